// Internal .Call routines behind the R layer's messages: why a library does
// not load, and what the engine state holds.
#include <Rcpp.h>

#include <memory>

#include "engine/LoadedTavikAPI.h"
#include "engine/TavikEnvironment.h"
#include "entry/ArgumentConversion.h"
#include "entry/Routines.h"
#include "engine/TextConversion.h"

extern "C" SEXP tavik4r_LibraryLoadError(SEXP libraryPathSEXP) {
  BEGIN_RCPP
  std::wstring libraryPath = wstringArgument(libraryPathSEXP);
  Tavik::TavikLoader loader;
  std::string reason;
  if (!loader.Load(libraryPath)) reason = w2a(loader.LastError());
  return Rcpp::wrap(reason);
  END_RCPP
}

extern "C" SEXP tavik4r_EngineState() {
  BEGIN_RCPP
  Tavik::TavikResources& resources =
      Tavik::TavikEnvironmentState::getTavikResources();
  Rcpp::LogicalVector state = Rcpp::LogicalVector::create(
      Rcpp::Named("engine_loaded") = static_cast<bool>(resources.api),
      Rcpp::Named("project_open") = resources.projectHandle != 0);
  return state;
  END_RCPP
}

// The library a close unloaded and could not load again, and why; empty
// when there is none.
extern "C" SEXP tavik4r_LostLibrary() {
  BEGIN_RCPP
  Tavik::TavikResources& resources =
      Tavik::TavikEnvironmentState::getTavikResources();
  if (resources.lostLibrary.empty()) return Rcpp::CharacterVector();
  return Rcpp::CharacterVector::create(
      Rcpp::Named("path") = w2a(resources.lostLibrary),
      Rcpp::Named("reason") = w2a(resources.lostReason));
  END_RCPP
}
