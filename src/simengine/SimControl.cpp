// Test controls, outside the engine's normal path, with signatures R's .C
// interface can call: counters, injected faults and misbehaviour switches.
#include <string>

#include "simengine/Engine.h"
#include "simengine/SimExport.h"
#include "simengine/WideText.h"

using namespace Sim;

extern "C" {

TAVIK_SIM_EXPORT void TavikSimReset(int* done);
TAVIK_SIM_EXPORT void TavikSimFault(char** entry, int* nth, int* code,
                                    char** text, int* ok);
TAVIK_SIM_EXPORT void TavikSimSwitch(char** name, int* on, int* ok);
TAVIK_SIM_EXPORT void TavikSimCounter(char** name, double* value);
TAVIK_SIM_EXPORT void TavikSimCalls(char** entry, double* value);

// Clears every fault, switch and counter.
void TavikSimReset(int* done) {
  engine().instrumentation.reset();
  if (done != nullptr) *done = 1;
}

// From now on the nth call (nth >= 1) or every call (nth == 0) of the entry
// point fails with code and text; nth < 0 removes the fault. ok tells
// whether the entry point is known.
void TavikSimFault(char** entry, int* nth, int* code, char** text, int* ok) {
  if (ok != nullptr) *ok = 0;
  if (entry == nullptr || *entry == nullptr || nth == nullptr) return;
  int which = entryByName(*entry);
  if (which < 0) return;
  Instrumentation& instrumentation = engine().instrumentation;
  if (*nth < 0) {
    instrumentation.clearFault(which);
  } else {
    std::wstring message =
        text != nullptr && *text != nullptr ? fromUtf8(*text) : std::wstring();
    instrumentation.setFault(which, *nth, code != nullptr ? *code : 0, message);
  }
  if (ok != nullptr) *ok = 1;
}

// Turns a misbehaviour switch on (on != 0) or off. ok tells whether the
// name is known.
void TavikSimSwitch(char** name, int* on, int* ok) {
  if (ok != nullptr) *ok = 0;
  if (name == nullptr || *name == nullptr || on == nullptr) return;
  int which = switchByName(*name);
  if (which < 0) return;
  engine().instrumentation.setSwitch(static_cast<Switch>(which), *on != 0);
  if (ok != nullptr) *ok = 1;
}

// A counter by name; -1 for an unknown name.
void TavikSimCounter(char** name, double* value) {
  if (value == nullptr) return;
  *value = -1;
  if (name == nullptr || *name == nullptr) return;
  Engine& state = engine();
  const Instrumentation& counts = state.instrumentation;
  std::string key = *name;
  if (key == "live_handles") {
    *value = static_cast<double>(state.hasProject() ? state.liveHandles() : 0);
  } else if (key == "handles_created") {
    *value = static_cast<double>(counts.handlesCreated);
  } else if (key == "handles_deleted") {
    *value = static_cast<double>(counts.handlesDeleted);
  } else if (key == "projects_opened") {
    *value = static_cast<double>(counts.projectsOpened);
  } else if (key == "projects_closed") {
    *value = static_cast<double>(counts.projectsClosed);
  } else if (key == "refusals") {
    *value = static_cast<double>(counts.refusals);
  } else if (key == "project_open") {
    *value = state.hasProject() ? 1 : 0;
  }
}

// Calls of an entry point since the last reset; -1 for an unknown name.
void TavikSimCalls(char** entry, double* value) {
  if (value == nullptr) return;
  *value = -1;
  if (entry == nullptr || *entry == nullptr) return;
  int which = entryByName(*entry);
  if (which >= 0)
    *value = static_cast<double>(engine().instrumentation.calls(which));
}

}  // extern "C"
