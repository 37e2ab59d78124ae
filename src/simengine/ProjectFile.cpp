#include "simengine/ProjectFile.h"

#include <cstdio>
#include <cstdlib>

#include "simengine/ProjectParser.h"
#include "simengine/Refusal.h"
#include "simengine/WideText.h"

namespace Sim {

namespace {

FILE* openFile(const std::wstring& path) {
#if defined(_WIN32)
  return _wfopen(path.c_str(), L"rb");
#else
  // The caller's wide path came from the locale's multibyte encoding; fall
  // back to UTF-8 when the locale can't express it.
  size_t size = std::wcstombs(nullptr, path.c_str(), 0);
  std::string narrow;
  if (size == static_cast<size_t>(-1)) {
    narrow = toUtf8(path);
  } else {
    narrow.assign(size, '\0');
    std::wcstombs(&narrow[0], path.c_str(), size + 1);
  }
  return std::fopen(narrow.c_str(), "rb");
#endif
}

bool readFile(const std::wstring& path, std::string& bytes) {
  FILE* file = openFile(path);
  if (file == nullptr) return false;
  char buffer[1 << 16];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.append(buffer, n);
  }
  bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

}  // namespace

std::unique_ptr<Project> loadProjectFile(const std::wstring& path) {
  std::string bytes;
  if (path.empty() || !readFile(path, bytes)) {
    throw Refusal(kProjectFile, L"cannot read project file " + quoted(path));
  }
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  try {
    return ProjectParser(fromUtf8(bytes)).parse();
  } catch (const Refusal& refusal) {
    throw Refusal(kProjectFile, path + L":" + refusal.text);
  }
}

}  // namespace Sim
