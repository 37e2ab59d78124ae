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
unsigned long lastCode = 0;
std::string lastExplanation;
}  // namespace

void* openLibrary(const std::string& path) {
  HMODULE module =
      LoadLibraryExA(path.c_str(), NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) {
    lastCode = GetLastError();
    lastExplanation = explainLoadFailure(lastCode, path);
  }
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
  lastExplanation.clear();
  return false;
}

std::string lastLibraryError() {
  char number[32];
  std::snprintf(number, sizeof number, "%lu", lastCode);
  if (lastExplanation.empty()) return number;
  return std::string(number) + ": " + lastExplanation;
}

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

namespace {

const unsigned long kBadExeFormat = 193;  // ERROR_BAD_EXE_FORMAT
const unsigned long kModNotFound = 126;   // ERROR_MOD_NOT_FOUND

unsigned readLittleEndian(const unsigned char* bytes, int count) {
  unsigned value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

// The machine field of a Windows executable's header ("MZ", then "PE\0\0"
// at the offset kept at 0x3C), or 0 when the file is none or can't be read.
unsigned peMachine(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return 0;
  unsigned machine = 0;
  unsigned char dos[64], pe[6];
  if (std::fread(dos, 1, sizeof dos, file) == sizeof dos && dos[0] == 'M' &&
      dos[1] == 'Z' &&
      std::fseek(file, static_cast<long>(readLittleEndian(dos + 0x3C, 4)),
                 SEEK_SET) == 0 &&
      std::fread(pe, 1, sizeof pe, file) == sizeof pe && pe[0] == 'P' &&
      pe[1] == 'E' && pe[2] == 0 && pe[3] == 0) {
    machine = readLittleEndian(pe + 4, 2);
  }
  std::fclose(file);
  return machine;
}

const char* machineName(unsigned machine) {
  switch (machine) {
    case 0x014C: return "32-bit x86";
    case 0x8664: return "64-bit x86-64";
    case 0x01C4: return "32-bit ARM";
    case 0xAA64: return "64-bit ARM64";
    default: return nullptr;
  }
}

#if defined(__x86_64__) || defined(_M_X64)
const char* const kThisMachine = "64-bit x86-64";
#elif defined(__i386__) || defined(_M_IX86)
const char* const kThisMachine = "32-bit x86";
#elif defined(__aarch64__) || defined(_M_ARM64)
const char* const kThisMachine = "64-bit ARM64";
#else
const char* const kThisMachine = "this platform's";
#endif
const char* const kThisBits = sizeof(void*) == 8 ? "64-bit" : "32-bit";

bool fileExists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

std::string folderOf(const std::string& path) {
  const std::string::size_type slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return "the current folder";
  return path.substr(0,
                     slash == 0 || path[slash - 1] == ':' ? slash + 1 : slash);
}

}  // namespace

std::string explainLoadFailure(unsigned long code, const std::string& path) {
  if (code == kBadExeFormat) {
    const char* built = machineName(peMachine(path));
    if (!built) return "the file is not a Windows DLL";
    if (std::string(built) == kThisMachine)
      return "the file is not a DLL that Windows can load";
    return std::string("the library is built for another architecture (") +
           built + ") than this " + kThisMachine + " process; " + kThisBits +
           " R needs the engine's " + kThisBits + " library";
  }
  if (code == kModNotFound) {
    if (!fileExists(path)) return "there is no file at this path";
    return "a DLL that the library needs is missing; Windows looked for it "
           "in the library's folder " +
           folderOf(path) + ", then in the system folders and on PATH";
  }
  return "";
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
