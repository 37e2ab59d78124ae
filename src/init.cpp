// Routine registration. The entry points stay exported under their plain
// names as well, since callers may find them by name.
#include <R.h>
#include <R_ext/Rdynload.h>
#include <R_ext/Visibility.h>
#include <Rinternals.h>

#include "engine/TavikEnvironment.h"
#include "entry/Routines.h"

// R's table holds every routine as DL_FUNC. The cast goes through the
// generic function pointer type, which says that the real type differs on
// purpose (and keeps -Wextra's cast-function-type check quiet).
#define ROUTINE(name, arguments)                                               \
  {                                                                            \
#name,                                                                     \
        reinterpret_cast < DL_FUNC>(reinterpret_cast <void (*)(void)>(&name)), \
        arguments                                                              \
  }

static const R_CallMethodDef callMethods[] = {
    ROUTINE(tavik4r_LoadTavik, 1),
    ROUTINE(tavik4r_OpenProject, 1),
    ROUTINE(tavik4r_LoadTavikAndOpenProject, 2),
    ROUTINE(tavik4r_CloseProject, 0),
    ROUTINE(tavik4r_TestLoadedApi, 1),
    ROUTINE(tavik4r_GetData, 1),
    ROUTINE(tavik4r_SetData, 3),
    ROUTINE(tavik4r_LibraryLoadError, 1),
    ROUTINE(tavik4r_EngineState, 0),
    ROUTINE(tavik4r_ReleaseEngineState, 0),
    ROUTINE(tavik4r_LostLibrary, 0),
    ROUTINE(tavik4r_Describe, 1),
    ROUTINE(tavik4r_ReadSet, 1),
    ROUTINE(tavik4r_ReadData, 1),
    ROUTINE(tavik4r_WriteData, 4),
    ROUTINE(tavik4r_EngineLastError, 0),
    ROUTINE(tavik4r_MissingEntryPoints, 1),
    {NULL, NULL, 0}};

extern "C" attribute_visible void R_init_tavik4r(DllInfo* dll) {
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
