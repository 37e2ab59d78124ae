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
                            "most " + std::to_string(maxPathLength()));
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
  functions[FnProjectOpen] = APIFunction{8, "TavikServerProjectOpenW"};
  functions[FnProjectClose] = APIFunction{8, "TavikProjectClose"};
  functions[FnProcedureHandleCreateA] = APIFunction{16, "TavikProcedureHandleCreateA"};
  functions[FnProcedureArgumentHandleCreate] = APIFunction{12, "TavikProcedureArgumentHandleCreate"};
  functions[FnAttributeNameW] = APIFunction{8, "TavikAttributeNameW"};
  functions[FnValueCard] = APIFunction{8, "TavikValueCard"};
  functions[FnAttributeDimension] = APIFunction{12, "TavikAttributeDimension"};
  functions[FnValueResetHandle] = APIFunction{4, "TavikValueResetHandle"};
  functions[FnValueNextW] = APIFunction{12, "TavikValueNextW"};
  functions[FnAPILastError] = APIFunction{8, "TavikAPILastErrorW"};
  functions[FnIdentifierHandleCreateW] = APIFunction{20, "TavikIdentifierHandleCreateW"};
  functions[FnAttributeDeclarationDomain] = APIFunction{8, "TavikAttributeDeclarationDomain"};
  functions[FnSetOrdinalToElement] = APIFunction{12, "TavikSetOrdinalToElement"};
  functions[FnSetElementToNameW] = APIFunction{12, "TavikSetElementToNameW"};
  functions[FnAttributeRootDomain] = APIFunction{8, "TavikAttributeRootDomain"};
  functions[FnAttributeStorage] = APIFunction{8, "TavikAttributeStorage"};
  functions[FnAttributeType] = APIFunction{8, "TavikAttributeType"};
  functions[FnIdentifierHandleDelete] = APIFunction{4, "TavikIdentifierHandleDelete"};
  functions[FnAttributeElementRange] = APIFunction{8, "TavikAttributeElementRange"};
  functions[FnValueRetrieveW] = APIFunction{12, "TavikValueRetrieveW"};
  functions[FnValueRetrieve] = APIFunction{12, "TavikValueRetrieve"};
  functions[FnValueNextMultiW] = APIFunction{16, "TavikValueNextMultiW"};
  functions[FnValueAssignW] = APIFunction{12, "TavikValueAssignW"};
  functions[FnValueAssignA] = APIFunction{12, "TavikValueAssignA"};
  functions[FnIdentifierEmpty] = APIFunction{4, "TavikIdentifierEmpty"};
  functions[FnSetAddElement] = APIFunction{12, "TavikSetAddElementRecursiveW"};}

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
