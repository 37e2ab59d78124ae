#include "entry/ProjectCommands.h"

#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

#include "engine/LibraryHandle.h"
#include "engine/LoadedTavikAPI.h"
#include "engine/TavikEnvironment.h"
#include "engine/TextConversion.h"

using Tavik::TavikEnvironmentState;
using Tavik::TavikResources;

namespace {
// Narrow text only: a wide write would switch C's stdout to wide
// orientation, after which R's own output would be dropped.
void printLine(const std::string& text) { std::cout << text << std::endl; }

// The system's loader and file functions must not get a path longer than
// they take (a very long one crashes the process); refused before any
// state changes.
void checkPath(const std::wstring& path, const char* what) {
  if (path.size() > Tavik::maxPathLength())
    throw std::length_error(std::string("The ") + what + " path is " +
                            std::to_string(path.size()) +
                            " characters long; this system takes paths of "
                            "at most " +
                            std::to_string(Tavik::maxPathLength()));
}

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
  checkPath(libraryPath, "library");
  TavikResources& resources = TavikEnvironmentState::getTavikResources();
  if (resources.loadTavikAPI(libraryPath)) return true;
  printLine("Couldn't load TAVIK library in " + w2a(libraryPath));
  return false;
}

bool OpenProject(std::wstring projectPath) {
  checkPath(projectPath, "project");
  TavikResources& resources = TavikEnvironmentState::getTavikResources();
  if (!resources.api) {
    printLine("Load Tavik library first..");
    return false;
  }
  // Opening over an open project would leave it open in the engine and keep
  // its sets cached; close it the way CloseProject does.
  if (resources.projectHandle != 0 && !resources.closeProject()) return false;
  return openInEngine(resources, projectPath);
}

bool LoadTavikAndOpenProject(std::wstring libraryPath,
                             std::wstring projectPath) {
  checkPath(libraryPath, "library");
  checkPath(projectPath, "project");
  if (!LoadTavik(libraryPath)) return false;
  return OpenProject(projectPath);
}

bool CloseProject() {
  return TavikEnvironmentState::getTavikResources().closeProject();
}

bool TestLoadedApi(std::wstring libraryPath) {
  checkPath(libraryPath, "library");
  std::unique_ptr<Tavik::LoadedTavikAPI> api(
      new Tavik::LoadedTavikAPI(libraryPath));
  return api->loaded;
}
