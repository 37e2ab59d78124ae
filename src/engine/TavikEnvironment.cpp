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
    if (space) space->sets.clear();
    if (projectHandle != 0) api->ProjectClose(projectHandle, 0);
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

TavikResources& TavikEnvironmentState::getTavikResources() {
  static TavikResources resources;
  return resources;
}

}  // namespace Tavik
