// The engine's test controls, and the binding of everything by name.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "Engine.h"

namespace Engine {

Api api;

namespace {

struct Controls {
  void (*reset)(int*);
  void (*fault)(char**, int*, int*, char**, int*);
  void (*switches)(char**, int*, int*);
  void (*counter)(char**, double*);
  void (*calls)(char**, double*);
};
Controls sim;

template <typename T>
void bind(void* library, T& target, const char* name) {
  target = reinterpret_cast<T>(dlsym(library, name));
  if (target == nullptr) {
    std::printf("FAIL missing export %s\n", name);
    std::exit(2);
  }
}

}  // namespace

void bindAll(void* library) {
#define TAVIK_BIND(Accessor, Export, Bytes, Use, Parameters, Arguments) \
  bind(library, api.Accessor, #Export);
  TAVIK_ENTRY_POINTS(TAVIK_BIND)
#undef TAVIK_BIND
  bind(library, sim.reset, "TavikSimReset");
  bind(library, sim.fault, "TavikSimFault");
  bind(library, sim.switches, "TavikSimSwitch");
  bind(library, sim.counter, "TavikSimCounter");
  bind(library, sim.calls, "TavikSimCalls");
}

double counter(const char* name) {
  char* key = const_cast<char*>(name);
  double value = -2;
  sim.counter(&key, &value);
  return value;
}

double calls(const char* entry) {
  char* key = const_cast<char*>(entry);
  double value = -2;
  sim.calls(&key, &value);
  return value;
}

bool setSwitch(const char* name, bool on) {
  char* key = const_cast<char*>(name);
  int flag = on ? 1 : 0, ok = 0;
  sim.switches(&key, &flag, &ok);
  return ok == 1;
}

bool fault(const char* entry, int nth, int code, const char* text) {
  char* key = const_cast<char*>(entry);
  char* message = const_cast<char*>(text);
  int ok = 0;
  sim.fault(&key, &nth, &code, &message, &ok);
  return ok == 1;
}

void resetSim() {
  int done = 0;
  sim.reset(&done);
}

}  // namespace Engine
