// Owns one loaded instance of the engine library and resolves its entry
// points on first use.
#ifndef TAVIK4R_ENGINE_TAVIKLOADER_H
#define TAVIK4R_ENGINE_TAVIKLOADER_H

#include <map>
#include <string>
#include <vector>

#include "engine/TavikContract.h"

namespace Tavik {

// One entry point: its undecorated export name and the bytes of its
// arguments (the number after "@" in its decorated name).
struct APIFunction {
  int offset;
  std::string name;
};

class TavikLoader {
 public:
  enum SupportedTavikFunctions {
    FnProjectOpen = 0,
    FnProjectClose = 1,
    FnProcedureHandleCreateA = 2,
    FnProcedureArgumentHandleCreate = 3,
    FnAttributeNameW = 4,
    FnValueCard = 5,
    FnAttributeDimension = 6,
    FnValueResetHandle = 7,
    FnValueNextW = 8,
    FnAPILastError = 9,
    FnIdentifierHandleCreateW = 10,
    FnAttributeDeclarationDomain = 11,
    FnSetOrdinalToElement = 12,
    FnSetElementToNameW = 13,
    FnAttributeRootDomain = 14,
    FnAttributeStorage = 15,
    FnAttributeType = 16,
    FnIdentifierHandleDelete = 17,
    FnAttributeElementRange = 18,
    FnValueRetrieveW = 19,
    FnValueRetrieve = 20,
    FnValueNextMultiW = 21,
    FnValueAssignW = 22,
    FnValueAssignA = 23,
    FnIdentifierEmpty = 24,
    FnSetAddElement = 25,
  };
  static constexpr int FunctionCount = 26;

  TavikLoader();
  explicit TavikLoader(std::wstring& path);
  ~TavikLoader();
  TavikLoader(const TavikLoader&) = delete;
  TavikLoader& operator=(const TavikLoader&) = delete;

  bool Load(std::wstring& path);
  bool Unload();
  bool Reload();
  std::wstring LastError() const;
  bool IsLoaded() const { return library != nullptr; }
  const std::wstring& LibraryPath() const { return libraryPath; }
  void StoreLastError(std::wstring text);
  void PopulateFunctionNameOffsets();

  // The name table, for checks of what a library must export.
  const std::map<SupportedTavikFunctions, APIFunction>& Functions() const {
    return functions;
  }
  // The address cache as it stands, without resolving anything.
  const std::vector<void*>& CachedAddresses() const { return addresses; }

  TavikServerProjectOpenWFn ProjectOpen();
  TavikProjectCloseFn ProjectClose();
  TavikProcedureHandleCreateAFn ProcedureHandleCreateA();
  TavikProcedureArgumentHandleCreateFn ProcedureArgumentHandleCreate();
  TavikAttributeNameWFn AttributeNameW();
  TavikValueCardFn ValueCard();
  TavikAttributeDimensionFn AttributeDimension();
  TavikValueResetHandleFn ValueResetHandle();
  TavikValueNextWFn ValueNextW();
  TavikAPILastErrorWFn APILastError();
  TavikIdentifierHandleCreateWFn IdentifierHandleCreateW();
  TavikAttributeDeclarationDomainFn AttributeDeclarationDomain();
  TavikSetOrdinalToElementFn SetOrdinalToElement();
  TavikSetElementToNameWFn SetElementToNameW();
  TavikAttributeRootDomainFn AttributeRootDomain();
  TavikAttributeStorageFn AttributeStorage();
  TavikAttributeTypeFn AttributeType();
  TavikIdentifierHandleDeleteFn IdentifierHandleDelete();
  TavikAttributeElementRangeFn AttributeElementRange();
  TavikValueRetrieveWFn ValueRetrieveW();
  TavikValueRetrieveFn ValueRetrieve();
  TavikValueNextMultiWFn ValueNextMultiW();
  TavikValueAssignWFn ValueAssignW();
  TavikValueAssignAFn ValueAssignA();
  TavikIdentifierEmptyFn IdentifierEmpty();
  TavikSetAddElementRecursiveWFn SetAddElement();

  // The address of an entry point, looked up on first use; null when the
  // library does not export it.
  void* Resolve(SupportedTavikFunctions function);

 private:

  std::map<SupportedTavikFunctions, APIFunction> functions;
  void* library;
  std::wstring libraryPath;
  std::vector<void*> addresses;
  std::wstring lastError;
};

}  // namespace Tavik

#endif
