// The .Call entry points: convert the arguments (the last one first), call
// the command, and let Rcpp turn any exception into an R condition whose
// first class is the exception's type.
#include <Rcpp.h>

#include "entry/ArgumentConversion.h"
#include "entry/DataCommands.h"
#include "entry/ProjectCommands.h"
#include "entry/Routines.h"

extern "C" SEXP tavik4r_LoadTavik(SEXP libraryPathSEXP) {
  BEGIN_RCPP
  Rcpp::RNGScope rngScope;
  std::wstring libraryPath = wstringArgument(libraryPathSEXP);
  return Rcpp::wrap(LoadTavik(libraryPath));
  END_RCPP
}

extern "C" SEXP tavik4r_OpenProject(SEXP projectPathSEXP) {
  BEGIN_RCPP
  Rcpp::RNGScope rngScope;
  std::wstring projectPath = wstringArgument(projectPathSEXP);
  return Rcpp::wrap(OpenProject(projectPath));
  END_RCPP
}

extern "C" SEXP tavik4r_LoadTavikAndOpenProject(SEXP libraryPathSEXP,
                                                SEXP projectPathSEXP) {
  BEGIN_RCPP
  Rcpp::RNGScope rngScope;
  std::wstring projectPath = wstringArgument(projectPathSEXP);
  std::wstring libraryPath = wstringArgument(libraryPathSEXP);
  return Rcpp::wrap(LoadTavikAndOpenProject(libraryPath, projectPath));
  END_RCPP
}

extern "C" SEXP tavik4r_CloseProject() {
  BEGIN_RCPP
  Rcpp::RNGScope rngScope;
  return Rcpp::wrap(CloseProject());
  END_RCPP
}

extern "C" SEXP tavik4r_TestLoadedApi(SEXP libraryPathSEXP) {
  BEGIN_RCPP
  Rcpp::RNGScope rngScope;
  std::wstring libraryPath = wstringArgument(libraryPathSEXP);
  return Rcpp::wrap(TestLoadedApi(libraryPath));
  END_RCPP
}

extern "C" SEXP tavik4r_GetData(SEXP identifierNameSEXP) {
  BEGIN_RCPP
  Rcpp::RNGScope rngScope;
  std::wstring identifierName = wstringArgument(identifierNameSEXP);
  return GetData(identifierName);
  END_RCPP
}

extern "C" SEXP tavik4r_SetData(SEXP dataFrame, SEXP identifierNameSEXP,
                                SEXP unknownElementModeSEXP) {
  BEGIN_RCPP
  Rcpp::RNGScope rngScope;
  int unknownElementMode = intArgument(unknownElementModeSEXP);
  std::wstring identifierName = wstringArgument(identifierNameSEXP);
  SetData(dataFrame, identifierName, unknownElementMode);
  return R_NilValue;
  END_RCPP
}
