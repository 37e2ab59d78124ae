// Internal .Call routines behind the R layer's messages: why a library does
// not load, and what the engine state holds.
#include <Rcpp.h>

#include <memory>

#include "engine/LoadedTavikAPI.h"
#include "engine/TavikEnvironment.h"
#include "entry/ArgumentConversion.h"
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
