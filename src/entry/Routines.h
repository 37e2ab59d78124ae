// The .Call routines of the package library. The library is built with
// hidden visibility, so these and R_init_tavik4r are all it exports: the
// entry points stay findable by their plain names, and nothing of the
// binding's C++ inside leaks into the process's symbol table.
#ifndef TAVIK4R_ENTRY_ROUTINES_H
#define TAVIK4R_ENTRY_ROUTINES_H

#include <R_ext/Visibility.h>
#include <Rinternals.h>

extern "C" {
// The seven entry points.
attribute_visible SEXP tavik4r_LoadTavik(SEXP libraryPath);
attribute_visible SEXP tavik4r_OpenProject(SEXP projectPath);
attribute_visible SEXP tavik4r_LoadTavikAndOpenProject(SEXP libraryPath,
                                                       SEXP projectPath);
attribute_visible SEXP tavik4r_CloseProject();
attribute_visible SEXP tavik4r_TestLoadedApi(SEXP libraryPath);
attribute_visible SEXP tavik4r_GetData(SEXP identifierName);
attribute_visible SEXP tavik4r_SetData(SEXP dataFrame, SEXP identifierName,
                                       SEXP unknownElementMode);

// The routines behind the R functions.
attribute_visible SEXP tavik4r_LibraryLoadError(SEXP libraryPath);
attribute_visible SEXP tavik4r_EngineState();
attribute_visible SEXP tavik4r_ReleaseEngineState();
attribute_visible SEXP tavik4r_LostLibrary();
attribute_visible SEXP tavik4r_Describe(SEXP identifierName);
attribute_visible SEXP tavik4r_ReadSet(SEXP setName);
attribute_visible SEXP tavik4r_ReadData(SEXP identifierName);
attribute_visible SEXP tavik4r_WriteData(SEXP dataFrame, SEXP identifierName,
                                         SEXP unknownElementMode, SEXP replace);
attribute_visible SEXP tavik4r_EngineLastError();
attribute_visible SEXP tavik4r_MissingEntryPoints(SEXP libraryPath);
}

#endif
