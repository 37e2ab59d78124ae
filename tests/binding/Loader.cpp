// The loader: its name table, its loads and failures, and the address
// cache that a load of another library must clear.
#include <regex>

#include "Binding.h"
#include "engine/LibraryHandle.h"
#include "engine/TextConversion.h"

namespace Binding {

using Tavik::TavikLoader;

namespace {

bool matches(const std::wstring& text, const std::string& pattern) {
  return std::regex_search(w2a(text), std::regex(pattern));
}

// A path as a regular expression that matches just that text.
std::string literal(const std::string& text) {
  return std::regex_replace(text, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
}

}  // namespace

void loaderTable() {
  // A fresh loader resolves nothing and unloads trivially.
  TavikLoader fresh;
  CHECK(resolveAll(fresh) == every(false));
  CHECK(fresh.Unload());
  CHECK(fresh.LastError().empty());

  // The 26 entry points with the bytes of their arguments, in the order of
  // the loader's enumeration.
  std::vector<std::string> names;
  std::vector<int> bytes;
  for (const auto& row : fresh.Functions()) {
    names.push_back(row.second.name);
    bytes.push_back(row.second.offset);
  }
  CHECK(names.size() == 26 && bytes.size() == 26);
  CHECK(names[0] == "TavikServerProjectOpenW" && names[7] == "TavikValueResetHandle");
  CHECK(names[9] == "TavikAPILastErrorW" && names[25] == "TavikSetAddElementRecursiveW");
  CHECK(bytes[0] == 8 && bytes[2] == 16 && bytes[7] == 4 && bytes[10] == 20 && bytes[21] == 16);

  // 32-bit Windows names carry the argument bytes.
  CHECK(Tavik::decoratedExportName("TavikValueResetHandle", 4) == "_TavikValueResetHandle@4");
  CHECK(Tavik::decoratedExportName("TavikValueCard", 8) == "_TavikValueCard@8");
}

void loaderLoad() {
  // Failures keep the path and the system's reason.
  TavikLoader loader;
  std::string missing = Driver::scratchPath("nowhere") + "/libtavik3.dll";
  std::wstring path = widen(missing);
  CHECK(!loader.Load(path));
  CHECK(matches(loader.LastError(), "^Couldn't load library" + literal(missing) +
                                        "\\. Exit with [0-9]+: .*No such file"));
  std::wstring empty;
  CHECK(!loader.Load(empty));
  CHECK(matches(loader.LastError(), "^Couldn't load library\\. Exit with [0-9]+: "));
  std::wstring text = widen(Driver::scratchFile("not-a-library.dll", "not a shared object\n"));
  CHECK(!loader.Load(text));
  CHECK(matches(loader.LastError(), "Exit with [0-9]+: .*(invalid ELF header|too short)"));
  CHECK(resolveAll(loader) == every(false));

  // A loaded engine resolves every entry point on first use and keeps the
  // text of an older failure.
  std::wstring gone = widen(Driver::scratchPath("missing.dll"));
  CHECK(!loader.Load(gone));
  std::wstring oldError = loader.LastError();
  std::wstring engine = widen(setup.engine);
  CHECK(loader.Load(engine));
  CHECK(cached(loader) == every(false));
  CHECK(resolveAll(loader) == every(true));
  CHECK(cached(loader) == every(true));
  CHECK(loader.LastError() == oldError);

  // Loading another path forgets every resolved address.
  std::string copy = Driver::scratchPath("libtavik3.dll");
  Driver::copyFile(setup.engine, copy);
  std::wstring copyPath = widen(copy);
  TavikLoader other;
  CHECK(other.Load(engine));
  resolveAll(other);
  CHECK(other.Load(copyPath));
  CHECK(cached(other) == every(false));
  CHECK(resolveAll(other) == every(true));
  CHECK(other.Unload());
  CHECK(resolveAll(other) == every(false));

  // Reload after a failed load tries that path again.
  std::string later = Driver::scratchPath("later.dll");
  std::wstring laterPath = widen(later);
  TavikLoader waiting;
  CHECK(!waiting.Load(laterPath));
  CHECK(!waiting.Reload());
  Driver::copyFile(setup.engine, later);
  CHECK(waiting.Reload());
  CHECK(resolveAll(waiting) == every(true));
}

}  // namespace Binding
