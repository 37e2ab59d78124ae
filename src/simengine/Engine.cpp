#include "simengine/Engine.h"

#include <string>

namespace Sim {

Engine theEngine;

void refuseNullPointer() {
  throw Refusal(kBadArgument, L"null pointer argument");
}

void Engine::refuseHandle(int handle) {
  throw Refusal(kBadHandle, L"invalid handle " + std::to_wstring(handle));
}

void Engine::open(std::unique_ptr<Project> project, int handle) {
  handles_.clear();
  project_ = std::move(project);
  projectHandle_ = handle;
}

void Engine::close() {
  handles_.clear();
  project_.reset();
  projectHandle_ = 0;
}

int Engine::newHandle(int identifier) {
  int number = handles_.create(identifier);
  ++instrumentation.handlesCreated;
  return number;
}

void Engine::deleteHandle(int handle) {
  if (!handles_.remove(handle)) refuseHandle(handle);
  ++instrumentation.handlesDeleted;
}

}  // namespace Sim
