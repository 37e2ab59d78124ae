#include "engine/TavikLoader.h"

#include <stdexcept>
#include <string>

#include "engine/LibraryHandle.h"
#include "engine/TextConversion.h"

namespace Tavik {

TavikLoader::TavikLoader()
    : library(nullptr), addresses(FunctionCount, nullptr) {
  PopulateFunctionNameOffsets();
}

TavikLoader::TavikLoader(std::wstring& path) : TavikLoader() { Load(path); }

TavikLoader::~TavikLoader() { Unload(); }

bool TavikLoader::Load(std::wstring& path) {
  if (!Unload()) return false;
  // path may be libraryPath itself (Reload).
  libraryPath = std::wstring(path);
  addresses.assign(FunctionCount, nullptr);
  const std::string narrowPath = w2a(libraryPath);
  // The system's loader copies the name onto its stack: a path longer than
  // any the system takes must not reach it.
  if (narrowPath.size() > maxPathLength())
    throw std::length_error("The library path is " +
                            std::to_string(narrowPath.size()) +
                            " bytes long; this system takes paths of at "
                            "most " +
                            std::to_string(maxPathLength()));
  library = openLibrary(narrowPath);
  if (library) return true;
  StoreLastError(L"Couldn't load library" + libraryPath + L". Exit with " +
                 a2w(lastLibraryError()));
  return false;
}

bool TavikLoader::Unload() {
  addresses.assign(FunctionCount, nullptr);
  if (!library) return true;
  if (closeLibrary(library)) {
    library = nullptr;
    return true;
  }
  StoreLastError(L"Couldn't unload library" + libraryPath + L". Exit with " +
                 a2w(lastLibraryError()));
  return false;
}

bool TavikLoader::Reload() { return Load(libraryPath); }

std::wstring TavikLoader::LastError() const { return lastError; }

void TavikLoader::StoreLastError(std::wstring text) { lastError = text; }

void TavikLoader::PopulateFunctionNameOffsets() {
#define TAVIK_NAME_ROW(Accessor, Export, Bytes, Use, Parameters, Arguments) \
  functions[Fn##Accessor] = APIFunction{Bytes, #Export};
  TAVIK_ENTRY_POINTS(TAVIK_NAME_ROW)
#undef TAVIK_NAME_ROW
}

void* TavikLoader::Resolve(SupportedTavikFunctions function) {
  if (!library) return nullptr;
  // Every engine call passes here: a resolved address is returned without
  // touching the name table.
  void*& cached = addresses[function];
  if (cached) return cached;
  auto row = functions.find(function);
  if (row == functions.end()) return nullptr;
  cached = findSymbol(library,
                      platformExportName(row->second.name, row->second.offset));
  return cached;
}

}  // namespace Tavik
