// Loads libraries that Windows refuses, through the engine loader, and checks
// that its last-error text says why in words a user can act on. Prints one
// line per case and exits non-zero when any fails.
//   load-error-check <missing dll> <dll of the other architecture>
//                    <file that is no dll> <dll whose dependency is missing>
#include <cstdio>
#include <string>

#include "engine/TavikLoader.h"
#include "engine/TextConversion.h"

namespace {

std::wstring folderOf(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L"\\/"));
}

#if defined(__x86_64__)
const std::wstring kOtherBuilt = L"32-bit x86";
const std::wstring kThisProcess = L"64-bit x86-64";
const std::wstring kBits = L"64-bit";
#else
const std::wstring kOtherBuilt = L"64-bit x86-64";
const std::wstring kThisProcess = L"32-bit x86";
const std::wstring kBits = L"32-bit";
#endif

struct Case {
  const char* what;
  std::wstring path;
  std::wstring expected;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr,
                 "usage: load-error-check <missing dll> <other-architecture "
                 "dll> <not a dll> <dll missing a dependency>\n");
    return 2;
  }
  const std::wstring missing = a2w(argv[1]), other = a2w(argv[2]),
                     notDll = a2w(argv[3]), dependent = a2w(argv[4]);
  const Case cases[] = {
      {"missing library", missing,
       L"126: there is no file at this path"},
      {"library of the other architecture", other,
       L"193: the library is built for another architecture (" +
           kOtherBuilt + L") than this " + kThisProcess + L" process; " +
           kBits + L" R needs the engine's " + kBits + L" library"},
      {"file that is no DLL", notDll, L"193: the file is not a Windows DLL"},
      {"library whose dependency is missing", dependent,
       L"126: a DLL that the library needs is missing; Windows looked for "
       L"it in the library's folder " + folderOf(dependent) +
           L", then in the system folders and on PATH"},
  };
  int failures = 0;
  for (const Case& c : cases) {
    Tavik::TavikLoader loader;
    std::wstring path = c.path;
    const bool loaded = loader.Load(path);
    const std::wstring expected =
        L"Couldn't load library" + c.path + L". Exit with " + c.expected;
    const bool ok = !loaded && loader.LastError() == expected;
    std::printf("%s %s: %s\n", ok ? "ok  " : "FAIL", c.what,
                w2a(loader.LastError()).c_str());
    if (!ok) {
      std::printf("     expected: %s\n", w2a(expected).c_str());
      ++failures;
    }
  }
  std::printf("%d failed\n", failures);
  return failures == 0 ? 0 : 1;
}
