// Attribute queries: one engine call each, a failure becomes an exception
// naming the query.
#include "model/TavikSpace.h"

#include <stdexcept>

#include "engine/TavikException.h"
#include "model/WholeText.h"

namespace Tavik {

wchar_t TavikSpace::szBuf[256];

TavikSpace::TavikSpace(std::shared_ptr<ITavik> api) : api(std::move(api)) {}

std::wstring TavikSpace::getAttributeName(int handle) {
  tagTavikStringW record;
  record.Length = 256;
  record.String = szBuf;
  if (!api->AttributeNameW(handle, &record))
    throw TavikException("TavikSpace::getAttributeName", api);
  szBuf[255] = L'\0';
  if (!filledToEnd(szBuf, 256)) return std::wstring(szBuf);
  // A name that filled the buffer may be cut: read it again whole, since
  // the sets are cached by their full names.
  WholeText whole;
  const WholeText::Outcome outcome = whole.fetch(
      [&](int& capacity, wchar_t* text) {
        tagTavikStringW longer;
        longer.Length = capacity;
        longer.String = text;
        const int ok = api->AttributeNameW(handle, &longer);
        capacity = longer.Length;
        return ok != 0;
      },
      256);
  if (outcome == WholeText::Refused)
    throw TavikException("TavikSpace::getAttributeName", api);
  if (outcome == WholeText::TooLong)
    throw TavikException("An identifier name is too long to be read whole");
  return std::wstring(whole.text());
}

int TavikSpace::getAttributeType(int handle) {
  int type = 0;
  if (!api->AttributeType(handle, &type))
    throw TavikException("TavikSpace::getAttributeType", api);
  return type;
}

MultiDimIdentifier::StorageType TavikSpace::getStorageDataType(int handle) {
  int storage = -1;
  if (!api->AttributeStorage(handle, &storage))
    throw TavikException("TavikSpace::getStorageDataType", api);
  switch (storage) {
    case TAVIK_STORAGE_DOUBLE: return MultiDimIdentifier::Double;
    case TAVIK_STORAGE_INTEGER:
    case TAVIK_STORAGE_INTEGER_OTHER: return MultiDimIdentifier::Integer;
    case TAVIK_STORAGE_STRING: return MultiDimIdentifier::String;
    default: throw std::runtime_error("Unsupported storage type");
  }
}

int TavikSpace::getAttributeDimension(int handle) {
  int dimension = -1;
  int sliced = -1;
  if (!api->AttributeDimension(handle, &dimension, &sliced))
    throw TavikException("TavikSpace::getAttributeDimension", api);
  if (dimension != sliced)
    throw std::runtime_error("dimension unequal to slice dimension");
  return dimension;
}

std::vector<int> TavikSpace::getAttributeRootDomain(int handle) {
  const int dimension = getAttributeDimension(handle);
  if (dimension == 0) return std::vector<int>();
  if (dimension != 1)
    throw std::runtime_error(
        "getAttributeRootDomain: Unexpected amount of root domains");
  std::vector<int> roots(1, 0);
  if (!api->AttributeRootDomain(handle, roots.data()))
    throw TavikException("TavikSpace::getAttributeRootDomain", api);
  return roots;
}

int TavikSpace::getAttributeElementRange(int handle) {
  int range = 0;
  if (!api->AttributeElementRange(handle, &range))
    throw TavikException("TavikSpace::getAttributeElementRange", api);
  return range;
}

std::vector<int> TavikSpace::getAttributeDeclarationDomain(int handle) {
  const int dimension = getAttributeDimension(handle);
  if (dimension <= 0) return std::vector<int>();
  std::vector<int> domain(static_cast<std::size_t>(dimension), 0);
  if (!api->AttributeDeclarationDomain(handle, domain.data()))
    throw TavikException("TavikSpace::getAttributeDeclarationDomain", api);
  return domain;
}

void TavikSpace::splitName(const std::wstring& fullName, std::wstring& name,
                           std::wstring& scope) {
  const std::size_t at = fullName.rfind(L"::");
  if (at == std::wstring::npos) {
    name = fullName;
    scope.clear();
    return;
  }
  name = fullName.substr(at + 2);
  scope = fullName.substr(0, at);
}

}  // namespace Tavik
