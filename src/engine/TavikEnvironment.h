// The process-wide engine state: the loaded engine API, the open project and
// the identifier space over that API.
#ifndef TAVIK4R_ENGINE_TAVIKENVIRONMENT_H
#define TAVIK4R_ENGINE_TAVIKENVIRONMENT_H

#include <memory>
#include <string>

#include "engine/ITavik.h"

namespace Tavik {

class TavikSpace;

class TavikResources {
 public:
  TavikResources();
  ~TavikResources();
  TavikResources(const TavikResources&) = delete;
  TavikResources& operator=(const TavikResources&) = delete;

  // Replaces the engine API by one loaded from path (closing an open
  // project first); true when an API is loaded afterwards.
  bool loadTavikAPI(std::wstring path);
  // The current space, created over the held API (or over the library
  // loaded by its bare name when none is held); null when none can be had.
  TavikSpace* getSpace();
  // Closes the open project: the space goes first, its sets giving their
  // handles back. False when there is none, when the engine refuses (the
  // project stays open), or when the project closed but the library could
  // not be loaded again (then no library is loaded: see lostLibrary).
  bool closeProject();
  // Empties the space's set cache; while a project is open the sets that
  // no one else holds give their handles back.
  void dropSets();
  // Tells every cached set whether the project is closed, then discards
  // the space.
  void tearDownSpace();

  std::shared_ptr<ITavik> api;
  int projectHandle;
  std::unique_ptr<TavikSpace> space;
  // Set when a close unloaded the library and could not load it again: its
  // path and the system's reason. Cleared by the next successful load.
  std::wstring lostLibrary;
  std::wstring lostReason;
};

class TavikEnvironmentState {
 public:
  static TavikEnvironmentState& getInstance();
  static TavikResources& getTavikResources();
  // Tears the state down; for the package's unload only.
  static void releaseTavikResources();

 private:
  TavikEnvironmentState() {}
};

}  // namespace Tavik

#endif
