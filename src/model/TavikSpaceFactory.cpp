// Making identifier objects from engine handles, with sets cached by their
// full name.
#include <stdexcept>

#include "entry/StringConversion.h"
#include "model/TavikSpace.h"
#include "engine/TavikException.h"

namespace Tavik {

namespace {

const int kIndexType = 60;

}  // namespace

std::shared_ptr<SetIdentifier> TavikSpace::getOrCreateSet(int setHandle) {
  bool created = false;
  return getOrCreateSet(setHandle, created);
}

std::shared_ptr<SetIdentifier> TavikSpace::getOrCreateSet(int setHandle,
                                                          bool& created) {
  const std::wstring key = getAttributeName(setHandle);
  auto cached = sets.find(key);
  if (cached != sets.end()) {
    created = false;
    return cached->second;
  }
  std::shared_ptr<SetIdentifier> set = createSetIdentifier(setHandle);
  sets[key] = set;
  created = true;
  return set;
}

std::shared_ptr<SetIdentifier> TavikSpace::createSetIdentifier(
    int setHandle) {
  const std::wstring fullName = getAttributeName(setHandle);
  std::wstring name;
  std::wstring scope;
  splitName(fullName, name, scope);

  const int type = getAttributeType(setHandle);
  if (type != 1 && type != 2)
    throw std::runtime_error(w2a(L"unsported set type for '" + fullName + L"'"));

  std::vector<int> roots = getAttributeRootDomain(setHandle);
  if (roots.size() > 1) throw std::runtime_error("too many root sets");
  std::wstring rootName = name;
  if (roots.size() == 1) {
    std::wstring rootScope;
    splitName(getAttributeName(roots[0]), rootName, rootScope);
  }
  const SetIdentifier::SetElementType elementType =
      rootName == L"Integers" ? SetIdentifier::Integer : SetIdentifier::String;
  for (int root : roots) api->IdentifierHandleDelete(root);

  return std::make_shared<SetIdentifier>(name, scope, api, setHandle,
                                         elementType);
}

std::shared_ptr<MultiDimIdentifier> TavikSpace::createMultiDimIdentifier(
    std::wstring identifierName) {
  int handle = 0;
  if (!api->IdentifierHandleCreateW(
          const_cast<wchar_t*>(identifierName.c_str()), nullptr, nullptr, 0,
          &handle))
    throw TavikException("TavikSpace::createMultiDimIdentifier", api);

  std::wstring name;
  std::wstring scope;
  splitName(getAttributeName(handle), name, scope);

  std::shared_ptr<SetIdentifier> rangeSet;
  MultiDimIdentifier::StorageType storage;
  switch (getAttributeType(handle)) {
    case 30:
    case 40:
      storage = getStorageDataType(handle);
      break;
    case 31:
    case 70:
      storage = MultiDimIdentifier::Element;
      rangeSet = getOrCreateSet(getAttributeElementRange(handle));
      break;
    case 32:
      storage = MultiDimIdentifier::String;
      break;
    default:
      throw std::runtime_error(w2a(L"unsported identifier type for '" +
                                   identifierName + L"'"));
  }

  std::vector<std::shared_ptr<SetIdentifier>> domain;
  for (int entry : getAttributeDeclarationDomain(handle)) {
    int setHandle = entry;
    if (getAttributeType(entry) == kIndexType) {
      std::vector<int> inner = getAttributeDeclarationDomain(entry);
      if (inner.size() != 1)
        throw std::runtime_error("unable to determine declaration domain");
      setHandle = inner[0];
    }
    bool created = false;
    domain.push_back(getOrCreateSet(setHandle, created));
    // A set made from this very handle owns it now.
    if (!(created && setHandle == entry)) api->IdentifierHandleDelete(entry);
  }

  return std::make_shared<MultiDimIdentifier>(name, scope, api, handle,
                                              std::move(domain), storage,
                                              rangeSet);
}

}  // namespace Tavik
