#include "engine/TavikEnvironment.h"

#include <iostream>

#include "engine/LoadedTavikAPI.h"
// The engine state owns the identifier space, so that loading a library or
// closing a project drops it with the engine it was made over: the one
// include from the engine layer up into the model.
#include "model/TavikSpace.h"

namespace Tavik {

TavikResources::TavikResources() : projectHandle(0) {}

TavikResources::~TavikResources() {
  tearDownSpace();
  api.reset();
}

bool TavikResources::loadTavikAPI(std::wstring path) {
  if (api) {
    dropSets();
    // A project the engine will not close stays open, and so does our hold
    // on it; forgetting its handle would leave it open for good. A close
    // that lost the library still closed the project.
    if (projectHandle != 0 && !api->ProjectClose(projectHandle, 0) &&
        api->IsLoaded())
      return false;
    projectHandle = 0;
    if (!api->Reload(path)) {
      // An API without a library would only fail every later call.
      tearDownSpace();
      api.reset();
      return false;
    }
  }
  api = TavikAPI::getSharedTavikAPI(path);
  if (!api) return false;
  space.reset(new TavikSpace(api));
  lostLibrary.clear();
  lostReason.clear();
  return true;
}

TavikSpace* TavikResources::getSpace() {
  if (space) return space.get();
  // The API the user loaded stays in use; the bare name is only the fallback
  // when nothing was loaded. After a lost library the user must say which
  // library to load.
  if (!api) {
    if (!lostLibrary.empty()) return nullptr;
    api = TavikAPI::getSharedTavikAPI(L"libtavik3.dll");
    if (!api) {
      std::cout << "Couldnt load libtavik3.dll" << std::endl;
      return nullptr;
    }
  }
  space.reset(new TavikSpace(api));
  return space.get();
}

bool TavikResources::closeProject() {
  if (!api) return false;
  if (projectHandle == 0) return false;
  tearDownSpace();
  if (projectHandle == 0) return false;
  if (api->ProjectClose(projectHandle, 0)) {
    projectHandle = 0;
    return true;
  }
  if (api->IsLoaded()) return false;
  // The engine closed the project, then its library could not be loaded
  // again (moved or deleted): no project is open and no library loaded.
  lostLibrary = api->LibraryPath();
  lostReason = api->LoadError();
  projectHandle = 0;
  api.reset();
  return false;
}

void TavikResources::dropSets() {
  if (!space) return;
  const bool closed = projectHandle == 0;
  for (auto& entry : space->sets) entry.second->setProjectIsClosed(closed);
  space->sets.clear();
}

void TavikResources::tearDownSpace() {
  if (!space) return;
  std::unique_ptr<TavikSpace> old(space.release());
  const bool closed = projectHandle == 0;
  for (auto& entry : old->sets) entry.second->setProjectIsClosed(closed);
  old->sets.clear();
}

TavikEnvironmentState& TavikEnvironmentState::getInstance() {
  static TavikEnvironmentState instance;
  return instance;
}

namespace {
// Made on first use and destroyed only when R unloads the package. At
// process exit the engine library's own statics may already be gone, so the
// teardown must not call into it then.
TavikResources* resources = nullptr;
}  // namespace

TavikResources& TavikEnvironmentState::getTavikResources() {
  if (resources == nullptr) resources = new TavikResources();
  return *resources;
}

// The package is being unloaded: an open project is closed while the
// engine is intact, so the engine is left ready for whoever loads it next.
void TavikEnvironmentState::releaseTavikResources() {
  if (resources != nullptr && resources->api && resources->projectHandle != 0)
    resources->closeProject();
  delete resources;
  resources = nullptr;
}

}  // namespace Tavik
