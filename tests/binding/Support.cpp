#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "Binding.h"

namespace Binding {

std::wstring widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

std::string transportProject() { return setup.projects + "/transport.tvp"; }

std::vector<bool> resolveAll(Tavik::TavikLoader& loader) {
  const void* addresses[] = {
#define TAVIK_RESOLVE(Accessor, Export, Bytes, Use, Parameters, Arguments) \
  reinterpret_cast<const void*>(loader.Accessor()),
      TAVIK_ENTRY_POINTS(TAVIK_RESOLVE)
#undef TAVIK_RESOLVE
  };
  std::vector<bool> resolved;
  for (const void* address : addresses) resolved.push_back(address != nullptr);
  return resolved;
}

std::vector<bool> cached(const Tavik::TavikLoader& loader) {
  std::vector<bool> flags;
  for (void* address : loader.CachedAddresses()) flags.push_back(address != nullptr);
  return flags;
}

std::vector<bool> every(bool flag) {
  return std::vector<bool>(Tavik::TavikLoader::FunctionCount, flag);
}

namespace {

void* control(const char* name) {
  static void* library = dlopen(setup.engine.c_str(), RTLD_NOW | RTLD_LOCAL);
  void* address = library ? dlsym(library, name) : nullptr;
  if (address == nullptr) {
    std::printf("FAIL no test control %s in %s\n", name, setup.engine.c_str());
    std::exit(2);
  }
  return address;
}

}  // namespace

void simFault(const char* entry, int nth, int code, const char* text) {
  typedef void (*FaultFn)(char**, int*, int*, char**, int*);
  char* name = const_cast<char*>(entry);
  char* message = const_cast<char*>(text);
  int ok = 0;
  reinterpret_cast<FaultFn>(control("TavikSimFault"))(&name, &nth, &code, &message, &ok);
  CHECK(ok == 1);
}

void simReset() {
  typedef void (*ResetFn)(int*);
  int done = 0;
  reinterpret_cast<ResetFn>(control("TavikSimReset"))(&done);
}

}  // namespace Binding
