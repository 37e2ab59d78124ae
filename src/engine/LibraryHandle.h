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
// Why the last call above failed: the system's error code in decimal, on
// POSIX followed by ": " and the loader's own text. Read it right after the
// failing call.
std::string lastLibraryError();

// The longest path, in bytes of the multibyte encoding, that the system's
// library and file functions take.
std::size_t maxPathLength();

// "_" + name + "@" + argument bytes: the name a 32-bit stdcall export has.
std::string decoratedExportName(const std::string& name, int offset);
// The name the engine exports on this platform: decorated on 32-bit Windows,
// plain elsewhere.
std::string platformExportName(const std::string& name, int offset);

}  // namespace Tavik

#endif
