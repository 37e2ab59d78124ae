// Routine registration. The entry points stay exported under their plain
// names as well, since callers may find them by name.
#include <R.h>
#include <R_ext/Rdynload.h>
#include <Rinternals.h>

extern "C" {
SEXP tavik4r_LoadTavik(SEXP libraryPath);
SEXP tavik4r_OpenProject(SEXP projectPath);
SEXP tavik4r_LoadTavikAndOpenProject(SEXP libraryPath, SEXP projectPath);
SEXP tavik4r_CloseProject();
SEXP tavik4r_TestLoadedApi(SEXP libraryPath);
SEXP tavik4r_GetData(SEXP identifierName);
SEXP tavik4r_SetData(SEXP dataFrame, SEXP identifierName,
                     SEXP unknownElementMode);
}

static const R_CallMethodDef callMethods[] = {
    {"tavik4r_LoadTavik", (DL_FUNC)&tavik4r_LoadTavik, 1},
    {"tavik4r_OpenProject", (DL_FUNC)&tavik4r_OpenProject, 1},
    {"tavik4r_LoadTavikAndOpenProject",
     (DL_FUNC)&tavik4r_LoadTavikAndOpenProject, 2},
    {"tavik4r_CloseProject", (DL_FUNC)&tavik4r_CloseProject, 0},
    {"tavik4r_TestLoadedApi", (DL_FUNC)&tavik4r_TestLoadedApi, 1},
    {"tavik4r_GetData", (DL_FUNC)&tavik4r_GetData, 1},
    {"tavik4r_SetData", (DL_FUNC)&tavik4r_SetData, 3},
    {NULL, NULL, 0}};

extern "C" void R_init_tavik4r(DllInfo* dll) {
  R_registerRoutines(dll, NULL, callMethods, NULL, NULL);
  R_useDynamicSymbols(dll, FALSE);
}
