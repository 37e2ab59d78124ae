// The operating system's dynamic loader behind one small interface.
#ifndef TAVIK4R_ENGINE_LIBRARYHANDLE_H
#define TAVIK4R_ENGINE_LIBRARYHANDLE_H

#include <cstddef>
#include <string>

namespace Tavik {

// Loads the library at path, looking for its own dependencies in its folder
// first where the platform allows; null on failure.
void* openLibrary(const std::string& path);
// Address of an exported function, or null.
void* findSymbol(void* library, const std::string& name);
// True when the library was freed.
bool closeLibrary(void* library);
// Why the last call above failed: the system's error code in decimal,
// followed by ": " and the loader's own text on POSIX, or on Windows by
// ": " and explainLoadFailure's sentence when it has one. Read it right
// after the failing call.
std::string lastLibraryError();

// The longest path, in bytes of the multibyte encoding, that the system's
// library and file functions take.
std::size_t maxPathLength();

// What a Windows load failure means for the library at path, for the codes
// users meet: 193, a file that is no DLL or one built for another
// architecture (a 32-bit engine in 64-bit R); 126, a missing library or a
// missing DLL it depends on. Empty for other codes. Looks at the file
// itself, so it works on any platform.
std::string explainLoadFailure(unsigned long code, const std::string& path);

// "_" + name + "@" + argument bytes: the name a 32-bit stdcall export has.
std::string decoratedExportName(const std::string& name, int offset);
// The name the engine exports on this platform: decorated on 32-bit Windows,
// plain elsewhere.
std::string platformExportName(const std::string& name, int offset);

}  // namespace Tavik

#endif
