// The typed accessors: one per entry point, each the cached address cast to
// the entry point's function type.
#include "engine/TavikLoader.h"

namespace Tavik {

TavikServerProjectOpenWFn TavikLoader::ProjectOpen() {
  return reinterpret_cast<TavikServerProjectOpenWFn>(Resolve(FnProjectOpen));
}

TavikProjectCloseFn TavikLoader::ProjectClose() {
  return reinterpret_cast<TavikProjectCloseFn>(Resolve(FnProjectClose));
}

TavikProcedureHandleCreateAFn TavikLoader::ProcedureHandleCreateA() {
  return reinterpret_cast<TavikProcedureHandleCreateAFn>(Resolve(FnProcedureHandleCreateA));
}

TavikProcedureArgumentHandleCreateFn TavikLoader::ProcedureArgumentHandleCreate() {
  return reinterpret_cast<TavikProcedureArgumentHandleCreateFn>(Resolve(FnProcedureArgumentHandleCreate));
}

TavikAttributeNameWFn TavikLoader::AttributeNameW() {
  return reinterpret_cast<TavikAttributeNameWFn>(Resolve(FnAttributeNameW));
}

TavikValueCardFn TavikLoader::ValueCard() {
  return reinterpret_cast<TavikValueCardFn>(Resolve(FnValueCard));
}

TavikAttributeDimensionFn TavikLoader::AttributeDimension() {
  return reinterpret_cast<TavikAttributeDimensionFn>(Resolve(FnAttributeDimension));
}

TavikValueResetHandleFn TavikLoader::ValueResetHandle() {
  return reinterpret_cast<TavikValueResetHandleFn>(Resolve(FnValueResetHandle));
}

TavikValueNextWFn TavikLoader::ValueNextW() {
  return reinterpret_cast<TavikValueNextWFn>(Resolve(FnValueNextW));
}

TavikAPILastErrorWFn TavikLoader::APILastError() {
  return reinterpret_cast<TavikAPILastErrorWFn>(Resolve(FnAPILastError));
}

TavikIdentifierHandleCreateWFn TavikLoader::IdentifierHandleCreateW() {
  return reinterpret_cast<TavikIdentifierHandleCreateWFn>(Resolve(FnIdentifierHandleCreateW));
}

TavikAttributeDeclarationDomainFn TavikLoader::AttributeDeclarationDomain() {
  return reinterpret_cast<TavikAttributeDeclarationDomainFn>(Resolve(FnAttributeDeclarationDomain));
}

TavikSetOrdinalToElementFn TavikLoader::SetOrdinalToElement() {
  return reinterpret_cast<TavikSetOrdinalToElementFn>(Resolve(FnSetOrdinalToElement));
}

TavikSetElementToNameWFn TavikLoader::SetElementToNameW() {
  return reinterpret_cast<TavikSetElementToNameWFn>(Resolve(FnSetElementToNameW));
}

TavikAttributeRootDomainFn TavikLoader::AttributeRootDomain() {
  return reinterpret_cast<TavikAttributeRootDomainFn>(Resolve(FnAttributeRootDomain));
}

TavikAttributeStorageFn TavikLoader::AttributeStorage() {
  return reinterpret_cast<TavikAttributeStorageFn>(Resolve(FnAttributeStorage));
}

TavikAttributeTypeFn TavikLoader::AttributeType() {
  return reinterpret_cast<TavikAttributeTypeFn>(Resolve(FnAttributeType));
}

TavikIdentifierHandleDeleteFn TavikLoader::IdentifierHandleDelete() {
  return reinterpret_cast<TavikIdentifierHandleDeleteFn>(Resolve(FnIdentifierHandleDelete));
}

TavikAttributeElementRangeFn TavikLoader::AttributeElementRange() {
  return reinterpret_cast<TavikAttributeElementRangeFn>(Resolve(FnAttributeElementRange));
}

TavikValueRetrieveWFn TavikLoader::ValueRetrieveW() {
  return reinterpret_cast<TavikValueRetrieveWFn>(Resolve(FnValueRetrieveW));
}

TavikValueRetrieveFn TavikLoader::ValueRetrieve() {
  return reinterpret_cast<TavikValueRetrieveFn>(Resolve(FnValueRetrieve));
}

TavikValueNextMultiWFn TavikLoader::ValueNextMultiW() {
  return reinterpret_cast<TavikValueNextMultiWFn>(Resolve(FnValueNextMultiW));
}

TavikValueAssignWFn TavikLoader::ValueAssignW() {
  return reinterpret_cast<TavikValueAssignWFn>(Resolve(FnValueAssignW));
}

TavikValueAssignAFn TavikLoader::ValueAssignA() {
  return reinterpret_cast<TavikValueAssignAFn>(Resolve(FnValueAssignA));
}

TavikIdentifierEmptyFn TavikLoader::IdentifierEmpty() {
  return reinterpret_cast<TavikIdentifierEmptyFn>(Resolve(FnIdentifierEmpty));
}

TavikSetAddElementRecursiveWFn TavikLoader::SetAddElement() {
  return reinterpret_cast<TavikSetAddElementRecursiveWFn>(Resolve(FnSetAddElement));
}

}  // namespace Tavik
