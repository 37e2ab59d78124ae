#include "entry/ProjectCommands.h"

#include <iostream>
#include <memory>

#include "engine/LoadedTavikAPI.h"
#include "engine/TavikEnvironment.h"
#include "engine/TextConversion.h"

using Tavik::TavikEnvironmentState;
using Tavik::TavikResources;

namespace {
// Narrow text only: a wide write would switch C's stdout to wide
// orientation, after which R's own output would be dropped.
void printLine(const std::string& text) { std::cout << text << std::endl; }

bool openInEngine(TavikResources& resources, std::wstring& projectPath) {
  int handle = 0;
  if (resources.api->ProjectOpen(&projectPath[0], &handle) && handle != 0) {
    resources.projectHandle = handle;
    return true;
  }
  return false;
}
}  // namespace

bool LoadTavik(std::wstring libraryPath) {
  TavikResources& resources = TavikEnvironmentState::getTavikResources();
  if (resources.loadTavikAPI(libraryPath)) return true;
  printLine("Couldn't load TAVIK library in " + w2a(libraryPath));
  return false;
}

bool OpenProject(std::wstring projectPath) {
  TavikResources& resources = TavikEnvironmentState::getTavikResources();
  if (!resources.api) {
    printLine("Load Tavik library first..");
    return false;
  }
  // Opening over an open project would leave it open in the engine and keep
  // its sets cached; close it the way CloseProject does.
  if (resources.projectHandle != 0 && !CloseProject()) return false;
  return openInEngine(resources, projectPath);
}

bool LoadTavikAndOpenProject(std::wstring libraryPath,
                             std::wstring projectPath) {
  if (!LoadTavik(libraryPath)) return false;
  return OpenProject(projectPath);
}

bool CloseProject() {
  TavikResources& resources = TavikEnvironmentState::getTavikResources();
  if (!resources.api) return false;
  if (resources.projectHandle == 0) return false;
  resources.tearDownSpace();
  if (resources.projectHandle == 0) return false;
  if (!resources.api->ProjectClose(resources.projectHandle, 0)) return false;
  resources.projectHandle = 0;
  return true;
}

bool TestLoadedApi(std::wstring libraryPath) {
  std::unique_ptr<Tavik::LoadedTavikAPI> api(
      new Tavik::LoadedTavikAPI(libraryPath));
  return api->loaded;
}
