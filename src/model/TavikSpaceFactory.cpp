// Making identifier objects from engine handles, with sets cached by their
// full name.
#include <stdexcept>

#include "engine/TextConversion.h"
#include "model/HandleGuard.h"
#include "model/TavikSpace.h"
#include "engine/TavikException.h"

namespace Tavik {

namespace {

const int kIndexType = TAVIK_TYPE_INDEX;

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

std::shared_ptr<SetIdentifier> TavikSpace::createSetIdentifier(int setHandle) {
  const std::wstring fullName = getAttributeName(setHandle);
  std::wstring name;
  std::wstring scope;
  splitName(fullName, name, scope);

  const int type = getAttributeType(setHandle);
  if (type != TAVIK_TYPE_ROOT_SET && type != TAVIK_TYPE_SUBSET)
    throw std::runtime_error(
        w2a(L"unsported set type for '" + fullName + L"'"));

  std::vector<int> roots = getAttributeRootDomain(setHandle);
  std::vector<HandleGuard> rootHandles;
  for (int root : roots) rootHandles.emplace_back(api, root);
  if (roots.size() > 1) throw std::runtime_error("too many root sets");
  std::wstring rootName = name;
  if (roots.size() == 1) {
    std::wstring rootScope;
    splitName(getAttributeName(roots[0]), rootName, rootScope);
  }
  const SetIdentifier::SetElementType elementType =
      rootName == L"Integers" ? SetIdentifier::Integer : SetIdentifier::String;
  rootHandles.clear();

  return std::make_shared<SetIdentifier>(name, scope, api, setHandle,
                                         elementType);
}

int TavikSpace::createIdentifierHandle(const std::wstring& identifierName) {
  int handle = 0;
  if (!api->IdentifierHandleCreateW(
          const_cast<wchar_t*>(identifierName.c_str()), nullptr, nullptr, 0,
          &handle))
    throw TavikException("TavikSpace::createMultiDimIdentifier", api)
        .as(TavikFault::Identifier);
  return handle;
}

int TavikSpace::setOfIndex(int index, HandleGuard& inner) {
  std::vector<int> sets = getAttributeDeclarationDomain(index);
  std::vector<HandleGuard> guards;
  for (int set : sets) guards.emplace_back(api, set);
  if (sets.size() != 1)
    throw std::runtime_error("unable to determine declaration domain");
  inner = std::move(guards[0]);
  return sets[0];
}

std::shared_ptr<MultiDimIdentifier> TavikSpace::createMultiDimIdentifier(
    std::wstring identifierName) {
  const int handle = createIdentifierHandle(identifierName);
  // Every handle taken below goes back to the engine if no identifier
  // object ends up owning it, the failures included.
  HandleGuard identifierHandle(api, handle);

  std::wstring name;
  std::wstring scope;
  splitName(getAttributeName(handle), name, scope);

  std::shared_ptr<SetIdentifier> rangeSet;
  MultiDimIdentifier::StorageType storage;
  switch (getAttributeType(handle)) {
    case TAVIK_TYPE_PARAMETER:
    case TAVIK_TYPE_VARIABLE: storage = getStorageDataType(handle); break;
    case TAVIK_TYPE_ELEMENT_PARAMETER:
    case TAVIK_TYPE_ELEMENT_VARIABLE: {
      storage = MultiDimIdentifier::Element;
      const int range = getAttributeElementRange(handle);
      HandleGuard rangeHandle(api, range);
      bool created = false;
      rangeSet = getOrCreateSet(range, created);
      if (created) rangeHandle.release();
      break;
    }
    case TAVIK_TYPE_STRING_PARAMETER:
      storage = MultiDimIdentifier::String;
      break;
    default:
      throw std::runtime_error(
          w2a(L"unsported identifier type for '" + identifierName + L"'"));
  }

  const std::vector<int> entries = getAttributeDeclarationDomain(handle);
  std::vector<HandleGuard> entryHandles;
  for (int entry : entries) entryHandles.emplace_back(api, entry);
  std::vector<std::shared_ptr<SetIdentifier>> domain;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const int entry = entries[k];
    HandleGuard setHandleGuard;
    const int setHandle = getAttributeType(entry) == kIndexType
                              ? setOfIndex(entry, setHandleGuard)
                              : entry;
    bool created = false;
    domain.push_back(getOrCreateSet(setHandle, created));
    // A set made from this very handle owns it now.
    if (created) {
      if (setHandle == entry)
        entryHandles[k].release();
      else
        setHandleGuard.release();
    }
    entryHandles[k].giveBack();
  }

  auto identifier = std::make_shared<MultiDimIdentifier>(
      name, scope, api, handle, std::move(domain), storage, rangeSet);
  identifierHandle.release();
  // It lives for one command, with the project open: its handle goes back
  // to the engine with it instead of piling up until the project closes.
  identifier->setProjectIsClosed(false);
  return identifier;
}

}  // namespace Tavik
