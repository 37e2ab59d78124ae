// The engine's process-wide state and the frame every entry point runs in:
// count the call, apply an injected fault, require an open project, and turn
// a refusal (or any other exception) into the result 0 with a last error.
#ifndef TAVIK_SIM_ENGINE_H
#define TAVIK_SIM_ENGINE_H

#include <memory>
#include <new>

#include "simengine/HandleTable.h"
#include "simengine/Instrumentation.h"
#include "simengine/LastError.h"
#include "simengine/Project.h"
#include "simengine/Refusal.h"

namespace Sim {

class Engine {
 public:
  Project& project() {
    if (!project_) throw Refusal(kNoProject, L"no project open");
    return *project_;
  }
  bool hasProject() const { return static_cast<bool>(project_); }
  void open(std::unique_ptr<Project> project, int handle);
  void close();
  int projectHandle() const { return projectHandle_; }

  // The entry of a live identifier handle; refused for any other number.
  HandleEntry& handle(int handle) {
    HandleEntry* entry = handles_.find(handle);
    if (entry == nullptr) refuseHandle(handle);
    return *entry;
  }
  Identifier& identifier(int handle) {
    return project().identifier(this->handle(handle).identifier);
  }
  int newHandle(int identifier);
  void deleteHandle(int handle);
  size_t liveHandles() const { return handles_.live(); }
  int nextProjectHandle() { return nextProjectHandle_++; }

  LastError lastError;
  Instrumentation instrumentation;

 private:
  [[noreturn]] static void refuseHandle(int handle);

  std::unique_ptr<Project> project_;
  int projectHandle_ = 0;
  int nextProjectHandle_ = 1;
  HandleTable handles_;
};

// The one engine of the process.
extern Engine theEngine;
inline Engine& engine() { return theEngine; }

enum class Needs { Nothing, Project };

template <typename Body>
int runEntry(int entry, Needs needs, Body body) {
  Engine& state = engine();
  try {
    state.instrumentation.countCall(entry);
    state.instrumentation.checkFault(entry);
    if (needs == Needs::Project) state.project();
    return body(state);
  } catch (const Refusal& refusal) {
    state.lastError.set(refusal.code, refusal.text);
  } catch (const std::bad_alloc&) {
    state.lastError.set(kInternal, L"out of memory");
  } catch (...) {
    state.lastError.set(kInternal, L"internal error");
  }
  ++state.instrumentation.refusals;
  return 0;
}

}  // namespace Sim

#endif
