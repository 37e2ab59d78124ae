// Baselines that the package's transfers are measured against. Built apart
// from the package (R CMD SHLIB into a temporary folder) and run in the same
// R process. The engine is reached by dlopen() of the installed library with
// RTLD_NOLOAD, which hands back the very instance the package has loaded,
// open project included.
#include <R.h>
#include <Rinternals.h>
#include <dlfcn.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "TavikContract.h"

namespace {

// The entry points the baselines call, resolved in the loaded engine.
struct Engine {
  void* library = nullptr;
  TavikIdentifierHandleCreateWFn create = nullptr;
  TavikIdentifierHandleDeleteFn remove = nullptr;
  TavikAttributeDimensionFn dimension = nullptr;
  TavikAttributeStorageFn storage = nullptr;
  TavikAttributeDeclarationDomainFn domain = nullptr;
  TavikAttributeElementRangeFn range = nullptr;
  TavikAttributeNameWFn name = nullptr;
  TavikSetElementToNameWFn label = nullptr;
  TavikValueResetHandleFn reset = nullptr;
  TavikValueNextWFn next = nullptr;
  TavikValueAssignWFn assign = nullptr;
  TavikIdentifierEmptyFn empty = nullptr;

  // Closed again after each baseline, so the package alone decides when
  // the library is unloaded (closing a project reloads it).
  ~Engine() {
    if (library != nullptr) dlclose(library);
  }
};

template <typename F>
void resolve(Engine& engine, F& function, const char* symbol) {
  function = reinterpret_cast<F>(dlsym(engine.library, symbol));
  if (function == nullptr) Rf_error("engine entry point %s not found", symbol);
}

void openEngine(Engine& engine, SEXP path) {
  const char* file = CHAR(STRING_ELT(path, 0));
  engine.library = dlopen(file, RTLD_NOW | RTLD_NOLOAD);
  if (engine.library == nullptr)
    Rf_error("the engine library %s is not loaded in this process", file);
  resolve(engine, engine.create, "TavikIdentifierHandleCreateW");
  resolve(engine, engine.remove, "TavikIdentifierHandleDelete");
  resolve(engine, engine.dimension, "TavikAttributeDimension");
  resolve(engine, engine.storage, "TavikAttributeStorage");
  resolve(engine, engine.domain, "TavikAttributeDeclarationDomain");
  resolve(engine, engine.range, "TavikAttributeElementRange");
  resolve(engine, engine.name, "TavikAttributeNameW");
  resolve(engine, engine.label, "TavikSetElementToNameW");
  resolve(engine, engine.reset, "TavikValueResetHandle");
  resolve(engine, engine.next, "TavikValueNextW");
  resolve(engine, engine.assign, "TavikValueAssignW");
  resolve(engine, engine.empty, "TavikIdentifierEmpty");
}

std::wstring wide(SEXP text) {
  const char* bytes = CHAR(STRING_ELT(text, 0));
  std::wstring out(std::strlen(bytes) + 1, L'\0');
  const std::size_t length = std::mbstowcs(&out[0], bytes, out.size());
  if (length == static_cast<std::size_t>(-1)) Rf_error("bad identifier name");
  out.resize(length);
  return out;
}

std::string narrow(const wchar_t* text) {
  std::string out(std::wcslen(text) * MB_CUR_MAX + 1, '\0');
  const std::size_t length = std::wcstombs(&out[0], text, out.size());
  out.resize(length == static_cast<std::size_t>(-1) ? 0 : length);
  return out;
}

int handleOf(Engine& engine, SEXP name) {
  std::wstring text = wide(name);
  int handle = 0;
  if (!engine.create(&text[0], nullptr, nullptr, 0, &handle))
    Rf_error("the engine does not know %s", CHAR(STRING_ELT(name, 0)));
  return handle;
}

int dimensionOf(Engine& engine, int handle) {
  int full = 0, sliced = 0;
  if (!engine.dimension(handle, &full, &sliced)) Rf_error("no dimension");
  return full;
}

// Storage codes of the engine: double 1, integer 2, string 4, element 5.
int storageOf(Engine& engine, int handle) {
  int code = 0;
  if (!engine.storage(handle, &code)) Rf_error("no storage code");
  return code;
}

// Everything a write needs from the engine, read beforehand: tuples and
// value records of an identifier, in the engine's order.
struct Prepared {
  int dimension = 0;
  int storage = 0;
  std::vector<int> tuples;
  std::vector<int> integers;
  std::vector<std::wstring> texts;
};

void dropPrepared(SEXP pointer) {
  delete static_cast<Prepared*>(R_ExternalPtrAddr(pointer));
  R_ClearExternalPtr(pointer);
}

Prepared& preparedOf(SEXP pointer) {
  Prepared* prepared = static_cast<Prepared*>(R_ExternalPtrAddr(pointer));
  if (prepared == nullptr) Rf_error("prepared write data are gone");
  return *prepared;
}

// The CSV writer: a large buffer, flushed in blocks.
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
  LabelCache(Engine& engine, int set) : engine(engine), set(set) {}
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
    return labels.emplace(element, narrow(buf)).first->second;
  }

 private:
  Engine& engine;
  int set;
  std::unordered_map<int, std::string> labels;
};

std::string nameOf(Engine& engine, int handle) {
  wchar_t buf[256];
  tagTavikStringW record;
  record.Length = 256;
  record.String = buf;
  buf[0] = L'\0';
  engine.name(handle, &record);
  buf[255] = L'\0';
  std::string full = narrow(buf);
  const std::size_t scope = full.rfind("::");
  return scope == std::string::npos ? full : full.substr(scope + 2);
}

SEXP column(SEXP spec, R_xlen_t n) {
  if (TYPEOF(spec) == VECSXP) {
    // A label column: ready R strings picked by zero-based codes.
    SEXP table = VECTOR_ELT(spec, 0);
    const int* codes = INTEGER(VECTOR_ELT(spec, 1));
    SEXP out = PROTECT(Rf_allocVector(STRSXP, n));
    for (R_xlen_t i = 0; i < n; ++i)
      SET_STRING_ELT(out, i, STRING_ELT(table, codes[i]));
    UNPROTECT(1);
    return out;
  }
  SEXP out = PROTECT(Rf_allocVector(TYPEOF(spec), n));
  switch (TYPEOF(spec)) {
    case REALSXP:
      std::memcpy(REAL(out), REAL(spec), sizeof(double) * n);
      break;
    case INTSXP:
      std::memcpy(INTEGER(out), INTEGER(spec), sizeof(int) * n);
      break;
    case STRSXP:
      for (R_xlen_t i = 0; i < n; ++i)
        SET_STRING_ELT(out, i, STRING_ELT(spec, i));
      break;
    default:
      Rf_error("unexpected column type");
  }
  UNPROTECT(1);
  return out;
}

R_xlen_t rowsOfSpec(SEXP spec) {
  return TYPEOF(spec) == VECSXP ? Rf_xlength(VECTOR_ELT(spec, 1))
                                : Rf_xlength(spec);
}

}  // namespace

extern "C" {

// The read floor: the data frame assembled from ready R strings (label
// tables plus codes) and copies of the numbers, with no engine involved.
SEXP bench_floor_read(SEXP specs, SEXP names) {
  const R_xlen_t width = Rf_xlength(specs);
  const R_xlen_t n = width > 0 ? rowsOfSpec(VECTOR_ELT(specs, 0)) : 0;
  SEXP frame = PROTECT(Rf_allocVector(VECSXP, width));
  for (R_xlen_t k = 0; k < width; ++k)
    SET_VECTOR_ELT(frame, k, column(VECTOR_ELT(specs, k), n));
  Rf_setAttrib(frame, R_NamesSymbol, names);
  SEXP rowNames = PROTECT(Rf_allocVector(INTSXP, 2));
  INTEGER(rowNames)[0] = NA_INTEGER;
  INTEGER(rowNames)[1] = -static_cast<int>(n);
  Rf_setAttrib(frame, R_RowNamesSymbol, rowNames);
  Rf_setAttrib(frame, R_ClassSymbol, Rf_mkString("data.frame"));
  UNPROTECT(2);
  return frame;
}

// The engine's own iteration: ValueResetHandle, then ValueNextW until it
// says no more, one indirect call per tuple. Returns the tuple count.
SEXP bench_iterate(SEXP enginePath, SEXP identifier) {
  Engine engine;
  openEngine(engine, enginePath);
  const int handle = handleOf(engine, identifier);
  std::vector<int> tuple(static_cast<std::size_t>(dimensionOf(engine, handle)) + 1);
  wchar_t buf[256];
  tagTavikValueW record;
  double count = 0;
  if (!engine.reset(handle)) Rf_error("ValueResetHandle refused");
  for (;;) {
    record.Length = 256;
    record.String = buf;
    if (!engine.next(handle, tuple.data(), &record)) break;
    ++count;
  }
  engine.remove(handle);
  return Rf_ScalarReal(count);
}

// Reads an identifier's tuples and values for the write floor.
SEXP bench_prepare_write(SEXP enginePath, SEXP identifier) {
  Engine engine;
  openEngine(engine, enginePath);
  const int handle = handleOf(engine, identifier);
  std::unique_ptr<Prepared> prepared(new Prepared());
  prepared->dimension = dimensionOf(engine, handle);
  prepared->storage = storageOf(engine, handle);
  std::vector<int> tuple(static_cast<std::size_t>(prepared->dimension) + 1);
  wchar_t buf[256];
  tagTavikValueW record;
  if (!engine.reset(handle)) Rf_error("ValueResetHandle refused");
  for (;;) {
    record.Length = 256;
    record.String = buf;
    if (!engine.next(handle, tuple.data(), &record)) break;
    prepared->tuples.insert(prepared->tuples.end(), tuple.begin(),
                            tuple.begin() + prepared->dimension);
    if (prepared->storage == 4) {
      buf[255] = L'\0';
      prepared->texts.emplace_back(buf);
    } else if (prepared->storage != 1) {
      prepared->integers.push_back(record.Int);
    }
  }
  engine.remove(handle);
  SEXP pointer = PROTECT(R_MakeExternalPtr(prepared.release(), R_NilValue,
                                           R_NilValue));
  R_RegisterCFinalizerEx(pointer, dropPrepared, TRUE);
  UNPROTECT(1);
  return pointer;
}

// The write floor: one coercion of each data-frame column to the type the
// write reads it as ("character", "integer" or "double"; a factor becomes
// its labels), then IdentifierEmpty and one ValueAssignW per row with the
// element numbers known beforehand.
SEXP bench_write_floor(SEXP preparedPointer, SEXP enginePath,
                       SEXP identifier, SEXP frame, SEXP targets) {
  Prepared& prepared = preparedOf(preparedPointer);
  const R_xlen_t width = Rf_xlength(frame);
  SEXP coerced = PROTECT(Rf_allocVector(VECSXP, width));
  for (R_xlen_t k = 0; k < width; ++k) {
    SEXP source = VECTOR_ELT(frame, k);
    const char* target = CHAR(STRING_ELT(targets, k));
    SEXPTYPE type = std::strcmp(target, "character") == 0 ? STRSXP
                    : std::strcmp(target, "integer") == 0 ? INTSXP
                                                          : REALSXP;
    SEXP out = source;
    if (type == STRSXP && Rf_isFactor(source))
      out = Rf_asCharacterFactor(source);
    else if (TYPEOF(source) != type)
      out = Rf_coerceVector(source, type);
    SET_VECTOR_ELT(coerced, k, out);
  }

  Engine engine;
  openEngine(engine, enginePath);
  const int handle = handleOf(engine, identifier);
  if (!engine.empty(handle)) Rf_error("IdentifierEmpty refused");
  const std::size_t dim = static_cast<std::size_t>(prepared.dimension);
  const std::size_t rows = dim > 0 ? prepared.tuples.size() / dim : 0;
  SEXP values = VECTOR_ELT(coerced, width - 1);
  tagTavikValueW record;
  for (std::size_t r = 0; r < rows; ++r) {
    switch (prepared.storage) {
      case 1:
        record.Double = REAL(values)[r];
        break;
      case 2:
        record.Int = INTEGER(values)[r];
        break;
      case 4:
        record.Length = static_cast<int>(prepared.texts[r].size());
        record.String = &prepared.texts[r][0];
        break;
      default:
        record.Int = prepared.integers[r];
    }
    if (!engine.assign(handle, &prepared.tuples[r * dim], &record))
      Rf_error("ValueAssignW refused row %d", static_cast<int>(r + 1));
  }
  engine.remove(handle);
  UNPROTECT(1);
  return Rf_ScalarReal(static_cast<double>(rows));
}

// What users do without a bridge, first half: the engine's data written to
// a CSV file by a fast writer (labels fetched once per element).
SEXP bench_csv_write(SEXP enginePath, SEXP identifier, SEXP path) {
  Engine engine;
  openEngine(engine, enginePath);
  const int handle = handleOf(engine, identifier);
  const int dim = dimensionOf(engine, handle);
  const int storage = storageOf(engine, handle);
  std::vector<int> domain(static_cast<std::size_t>(dim) + 1, 0);
  if (dim > 0 && !engine.domain(handle, domain.data())) Rf_error("no domain");
  std::vector<std::unique_ptr<LabelCache>> labels;
  for (int k = 0; k < dim; ++k)
    labels.emplace_back(new LabelCache(engine, domain[k]));
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
      out.text(nameOf(engine, domain[k]));
      out.character(',');
    }
    out.text(storage == 5 ? nameOf(engine, range) : nameOf(engine, handle));
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
          out.text(narrow(buf));
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

}  // extern "C"
