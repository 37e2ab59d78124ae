// Loading the engine library and opening and closing a project. Engine-level
// failures are reported as false, never thrown.
#ifndef TAVIK4R_ENTRY_PROJECTCOMMANDS_H
#define TAVIK4R_ENTRY_PROJECTCOMMANDS_H

#include <string>

bool LoadTavik(std::wstring libraryPath);
bool OpenProject(std::wstring projectPath);
bool LoadTavikAndOpenProject(std::wstring libraryPath,
                             std::wstring projectPath);
bool CloseProject();
bool TestLoadedApi(std::wstring libraryPath);

#endif
