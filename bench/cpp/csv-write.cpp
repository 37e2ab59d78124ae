// What users do without a bridge, first half: the engine's data written to
// a CSV file by a fast writer (labels fetched once per element); the second
// half is data.table::fread in R.
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine.h"

namespace {

// A large buffer, flushed in blocks.
class CsvOut {
 public:
  explicit CsvOut(const char* path) : file(std::fopen(path, "wb")) {
    if (file == nullptr) Rf_error("cannot write %s", path);
    buffer.reserve(kBlock + 512);
  }
  ~CsvOut() {
    flush();
    std::fclose(file);
  }
  void text(const std::string& s) { buffer.append(s); }
  void character(char c) { buffer.push_back(c); }
  void number(double value) {
    char digits[32];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    buffer.append(digits, end);
  }
  void number(int value) {
    char digits[16];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    buffer.append(digits, end);
  }
  void endLine() {
    buffer.push_back('\n');
    if (buffer.size() >= kBlock) flush();
  }

 private:
  void flush() {
    std::fwrite(buffer.data(), 1, buffer.size(), file);
    buffer.clear();
  }
  static const std::size_t kBlock = 1 << 20;
  std::FILE* file;
  std::string buffer;
};

// Labels of one set, fetched from the engine once per element.
class LabelCache {
 public:
  LabelCache(bench::Engine& engine, int set) : engine(engine), set(set) {}
  const std::string& of(int element) {
    auto found = labels.find(element);
    if (found != labels.end()) return found->second;
    wchar_t buf[300];
    tagTavikStringW record;
    record.Length = 300;
    record.String = buf;
    buf[0] = L'\0';
    engine.label(set, element, &record);
    buf[299] = L'\0';
    return labels.emplace(element, bench::narrow(buf)).first->second;
  }

 private:
  bench::Engine& engine;
  int set;
  std::unordered_map<int, std::string> labels;
};

}  // namespace

extern "C" SEXP bench_csv_write(SEXP enginePath, SEXP identifier, SEXP path) {
  bench::Engine engine(enginePath);
  const int handle = engine.handleOf(identifier);
  const int dim = engine.dimensionOf(handle);
  const int storage = engine.storageOf(handle);
  std::vector<int> domain(static_cast<std::size_t>(dim) + 1, 0);
  if (dim > 0 && !engine.domain(handle, domain.data())) Rf_error("no domain");
  std::vector<std::unique_ptr<LabelCache>> labels;
  for (int k = 0; k < dim; ++k) labels.emplace_back(new LabelCache(engine, domain[k]));
  int range = 0;
  std::unique_ptr<LabelCache> values;
  if (storage == 5) {
    if (!engine.range(handle, &range)) Rf_error("no element range");
    values.reset(new LabelCache(engine, range));
  }
  double count = 0;
  {
    CsvOut out(CHAR(STRING_ELT(path, 0)));
    for (int k = 0; k < dim; ++k) {
      out.text(engine.nameOf(domain[k]));
      out.character(',');
    }
    out.text(storage == 5 ? engine.nameOf(range) : engine.nameOf(handle));
    out.endLine();
    std::vector<int> tuple(static_cast<std::size_t>(dim) + 1);
    wchar_t buf[256];
    tagTavikValueW record;
    if (!engine.reset(handle)) Rf_error("ValueResetHandle refused");
    for (;;) {
      record.Length = 256;
      record.String = buf;
      if (!engine.next(handle, tuple.data(), &record)) break;
      for (int k = 0; k < dim; ++k) {
        out.text(labels[k]->of(tuple[k]));
        out.character(',');
      }
      switch (storage) {
        case 1:
          out.number(record.Double);
          break;
        case 2:
          out.number(record.Int);
          break;
        case 4:
          buf[255] = L'\0';
          out.text(bench::narrow(buf));
          break;
        default:
          out.text(values->of(record.Int));
      }
      out.endLine();
      ++count;
    }
  }
  for (int k = 0; k < dim; ++k) engine.remove(domain[k]);
  if (storage == 5) engine.remove(range);
  engine.remove(handle);
  return Rf_ScalarReal(count);
}
