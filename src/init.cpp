// Routine registration. The entry points stay exported under their plain
// names as well, since callers may find them by name.
#include <R.h>
#include <R_ext/Rdynload.h>
#include <Rinternals.h>

#include "engine/TavikEnvironment.h"

extern "C" {
SEXP tavik4r_LoadTavik(SEXP libraryPath);
SEXP tavik4r_OpenProject(SEXP projectPath);
SEXP tavik4r_LoadTavikAndOpenProject(SEXP libraryPath, SEXP projectPath);
SEXP tavik4r_CloseProject();
SEXP tavik4r_TestLoadedApi(SEXP libraryPath);
SEXP tavik4r_GetData(SEXP identifierName);
SEXP tavik4r_SetData(SEXP dataFrame, SEXP identifierName,
                     SEXP unknownElementMode);

// Internal routines of the R layer.
SEXP tavik4r_LibraryLoadError(SEXP libraryPath);
SEXP tavik4r_EngineState();
SEXP tavik4r_ReleaseEngineState();
SEXP tavik4r_LostLibrary();
SEXP tavik4r_Describe(SEXP identifierName);
SEXP tavik4r_ReadSet(SEXP setName);
SEXP tavik4r_ReadData(SEXP identifierName);
SEXP tavik4r_WriteData(SEXP dataFrame, SEXP identifierName,
                       SEXP unknownElementMode, SEXP replace);
SEXP tavik4r_EngineLastError();
SEXP tavik4r_MissingEntryPoints(SEXP libraryPath);

// Test-only routines.
SEXP tavik4r_test_loader_new();
SEXP tavik4r_test_loader_call(SEXP loader, SEXP operation, SEXP path);
SEXP tavik4r_test_decorated_name(SEXP name, SEXP offset);
SEXP tavik4r_test_api_new(SEXP path);
SEXP tavik4r_test_api_call(SEXP api, SEXP operation, SEXP argument);
SEXP tavik4r_test_string_roundtrip(SEXP text);
SEXP tavik4r_test_w2a_codepoint(SEXP codepoint);
SEXP tavik4r_test_exception_message(SEXP context, SEXP reports, SEXP code,
                                    SEXP text);
}

// R's table holds every routine as DL_FUNC; these casts are its idiom, not
// a mistake that -Wextra's cast-function-type check should fail a build on.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
static const R_CallMethodDef callMethods[] = {
    {"tavik4r_LoadTavik", (DL_FUNC)&tavik4r_LoadTavik, 1},
    {"tavik4r_OpenProject", (DL_FUNC)&tavik4r_OpenProject, 1},
    {"tavik4r_LoadTavikAndOpenProject",
     (DL_FUNC)&tavik4r_LoadTavikAndOpenProject, 2},
    {"tavik4r_CloseProject", (DL_FUNC)&tavik4r_CloseProject, 0},
    {"tavik4r_TestLoadedApi", (DL_FUNC)&tavik4r_TestLoadedApi, 1},
    {"tavik4r_GetData", (DL_FUNC)&tavik4r_GetData, 1},
    {"tavik4r_SetData", (DL_FUNC)&tavik4r_SetData, 3},
    {"tavik4r_LibraryLoadError", (DL_FUNC)&tavik4r_LibraryLoadError, 1},
    {"tavik4r_EngineState", (DL_FUNC)&tavik4r_EngineState, 0},
    {"tavik4r_ReleaseEngineState", (DL_FUNC)&tavik4r_ReleaseEngineState, 0},
    {"tavik4r_LostLibrary", (DL_FUNC)&tavik4r_LostLibrary, 0},
    {"tavik4r_Describe", (DL_FUNC)&tavik4r_Describe, 1},
    {"tavik4r_ReadSet", (DL_FUNC)&tavik4r_ReadSet, 1},
    {"tavik4r_ReadData", (DL_FUNC)&tavik4r_ReadData, 1},
    {"tavik4r_WriteData", (DL_FUNC)&tavik4r_WriteData, 4},
    {"tavik4r_EngineLastError", (DL_FUNC)&tavik4r_EngineLastError, 0},
    {"tavik4r_MissingEntryPoints", (DL_FUNC)&tavik4r_MissingEntryPoints, 1},
    {"tavik4r_test_loader_new", (DL_FUNC)&tavik4r_test_loader_new, 0},
    {"tavik4r_test_loader_call", (DL_FUNC)&tavik4r_test_loader_call, 3},
    {"tavik4r_test_decorated_name", (DL_FUNC)&tavik4r_test_decorated_name, 2},
    {"tavik4r_test_api_new", (DL_FUNC)&tavik4r_test_api_new, 1},
    {"tavik4r_test_api_call", (DL_FUNC)&tavik4r_test_api_call, 3},
    {"tavik4r_test_string_roundtrip", (DL_FUNC)&tavik4r_test_string_roundtrip,
     1},
    {"tavik4r_test_w2a_codepoint", (DL_FUNC)&tavik4r_test_w2a_codepoint, 1},
    {"tavik4r_test_exception_message",
     (DL_FUNC)&tavik4r_test_exception_message, 4},
    // Test hooks of the identifier model go here.
    {NULL, NULL, 0}};
#pragma GCC diagnostic pop

extern "C" void R_init_tavik4r(DllInfo* dll) {
  R_registerRoutines(dll, NULL, callMethods, NULL, NULL);
  R_useDynamicSymbols(dll, FALSE);
}

// The engine state goes with the package library (.onUnload calls this
// just before unloading it); at process exit it is left alone, since the
// engine library may be torn down before it.
extern "C" SEXP tavik4r_ReleaseEngineState() {
  Tavik::TavikEnvironmentState::releaseTavikResources();
  return R_NilValue;
}
