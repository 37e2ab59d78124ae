#include "engine/LibraryHandle.h"

#include "engine/TavikContract.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <limits.h>

#include <cerrno>
#endif

#include <cstdio>

namespace Tavik {

#ifdef _WIN32

namespace {
std::string lastErrorText(unsigned long code) {
  char number[32];
  std::snprintf(number, sizeof number, "%lu", code);
  return number;
}
unsigned long lastCode = 0;
}  // namespace

void* openLibrary(const std::string& path) {
  HMODULE module =
      LoadLibraryExA(path.c_str(), NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) lastCode = GetLastError();
  return reinterpret_cast<void*>(module);
}

void* findSymbol(void* library, const std::string& name) {
  FARPROC address =
      GetProcAddress(reinterpret_cast<HMODULE>(library), name.c_str());
  // Through void*: the address cache holds data pointers.
  return reinterpret_cast<void*>(reinterpret_cast<INT_PTR>(address));
}

bool closeLibrary(void* library) {
  if (FreeLibrary(reinterpret_cast<HMODULE>(library))) return true;
  lastCode = GetLastError();
  return false;
}

std::string lastLibraryError() { return lastErrorText(lastCode); }

#else

namespace {
int lastErrno = 0;
std::string lastText;

void rememberFailure() {
  lastErrno = errno;
  const char* text = dlerror();
  lastText = text ? text : "";
}
}  // namespace

void* openLibrary(const std::string& path) {
  // dlopen("") would hand back the main program; an empty name is no library.
  if (path.empty()) {
    lastErrno = ENOENT;
    lastText = "empty library path";
    return nullptr;
  }
  errno = 0;
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) rememberFailure();
  return library;
}

void* findSymbol(void* library, const std::string& name) {
  return dlsym(library, name.c_str());
}

bool closeLibrary(void* library) {
  errno = 0;
  if (dlclose(library) == 0) return true;
  rememberFailure();
  return false;
}

std::string lastLibraryError() {
  char number[32];
  std::snprintf(number, sizeof number, "%lu",
                static_cast<unsigned long>(lastErrno));
  return std::string(number) + ": " + lastText;
}

#endif

std::size_t maxPathLength() {
#ifdef _WIN32
  // R declares itself long-path aware on Windows.
  return 32767;
#else
  return PATH_MAX - 1;
#endif
}

std::string decoratedExportName(const std::string& name, int offset) {
  char number[16];
  std::snprintf(number, sizeof number, "%d", offset);
  return "_" + name + "@" + number;
}

std::string platformExportName(const std::string& name, int offset) {
  return TAVIK_DECORATED_EXPORTS ? decoratedExportName(name, offset) : name;
}

}  // namespace Tavik
