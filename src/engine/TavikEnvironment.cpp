#include "engine/TavikEnvironment.h"

#include <iostream>

#include "engine/LoadedTavikAPI.h"
#include "model/TavikSpace.h"

namespace Tavik {

TavikResources::TavikResources() : projectHandle(0) {}

TavikResources::~TavikResources() {
  tearDownSpace();
  api.reset();
}

bool TavikResources::loadTavikAPI(std::wstring path) {
  if (api) {
    // A project the engine will not close stays open, and so does our hold
    // on it; forgetting its handle would leave it open for good.
    if (projectHandle != 0 && !api->ProjectClose(projectHandle, 0))
      return false;
    if (space) space->sets.clear();
    projectHandle = 0;
    if (!api->Reload(path)) return false;
  }
  api = TavikAPI::getSharedTavikAPI(path);
  if (!api) return false;
  space.reset(new TavikSpace(api));
  return true;
}

TavikSpace* TavikResources::getSpace() {
  if (space) return space.get();
  // The API the user loaded stays in use; the bare name is only the fallback
  // when nothing is loaded.
  if (!api) {
    api = TavikAPI::getSharedTavikAPI(L"libtavik3.dll");
    if (!api) {
      std::cout << "Couldnt load libtavik3.dll" << std::endl;
      return nullptr;
    }
  }
  space.reset(new TavikSpace(api));
  return space.get();
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

void TavikEnvironmentState::releaseTavikResources() {
  delete resources;
  resources = nullptr;
}

}  // namespace Tavik
