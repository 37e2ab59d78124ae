#include "engine.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace bench {
namespace {

template <typename F>
void resolve(void* library, F& function, const char* symbol) {
  function = reinterpret_cast<F>(dlsym(library, symbol));
  if (function == nullptr) Rf_error("engine entry point %s not found", symbol);
}

std::wstring wide(SEXP text) {
  const char* bytes = CHAR(STRING_ELT(text, 0));
  std::wstring out(std::strlen(bytes) + 1, L'\0');
  const std::size_t length = std::mbstowcs(&out[0], bytes, out.size());
  if (length == static_cast<std::size_t>(-1)) Rf_error("bad identifier name");
  out.resize(length);
  return out;
}

}  // namespace

Engine::Engine(SEXP path) {
  const char* file = CHAR(STRING_ELT(path, 0));
  library = dlopen(file, RTLD_NOW | RTLD_NOLOAD);
  if (library == nullptr)
    Rf_error("the engine library %s is not loaded in this process", file);
  resolve(library, create, "TavikIdentifierHandleCreateW");
  resolve(library, remove, "TavikIdentifierHandleDelete");
  resolve(library, dimension, "TavikAttributeDimension");
  resolve(library, storage, "TavikAttributeStorage");
  resolve(library, domain, "TavikAttributeDeclarationDomain");
  resolve(library, range, "TavikAttributeElementRange");
  resolve(library, name, "TavikAttributeNameW");
  resolve(library, card, "TavikValueCard");
  resolve(library, element, "TavikSetOrdinalToElement");
  resolve(library, label, "TavikSetElementToNameW");
  resolve(library, reset, "TavikValueResetHandle");
  resolve(library, next, "TavikValueNextW");
  resolve(library, assign, "TavikValueAssignW");
  resolve(library, empty, "TavikIdentifierEmpty");
}

Engine::~Engine() {
  if (library != nullptr) dlclose(library);
}

int Engine::handleOf(SEXP identifier) {
  std::wstring text = wide(identifier);
  int handle = 0;
  if (!create(&text[0], nullptr, nullptr, 0, &handle))
    Rf_error("the engine does not know %s", CHAR(STRING_ELT(identifier, 0)));
  return handle;
}

int Engine::dimensionOf(int handle) {
  int full = 0, sliced = 0;
  if (!dimension(handle, &full, &sliced)) Rf_error("no dimension");
  return full;
}

int Engine::storageOf(int handle) {
  int code = 0;
  if (!storage(handle, &code)) Rf_error("no storage code");
  return code;
}

std::string Engine::nameOf(int handle) {
  wchar_t buf[256];
  tagTavikStringW record;
  record.Length = 256;
  record.String = buf;
  buf[0] = L'\0';
  name(handle, &record);
  buf[255] = L'\0';
  std::string full = narrow(buf);
  const std::size_t scope = full.rfind("::");
  return scope == std::string::npos ? full : full.substr(scope + 2);
}

std::string narrow(const wchar_t* text) {
  std::string out(std::wcslen(text) * MB_CUR_MAX + 1, '\0');
  const std::size_t length = std::wcstombs(&out[0], text, out.size());
  out.resize(length == static_cast<std::size_t>(-1) ? 0 : length);
  return out;
}

}  // namespace bench
