#include "model/IdentifierDescription.h"

#include "model/HandleGuard.h"
#include "model/TavikSpace.h"

namespace Tavik {

namespace {

const int kIndexType = TAVIK_TYPE_INDEX;

bool isSetType(int type) {
  return type == TAVIK_TYPE_ROOT_SET || type == TAVIK_TYPE_SUBSET;
}

std::wstring nameOf(TavikSpace& space, int handle) {
  std::wstring name;
  std::wstring scope;
  TavikSpace::splitName(space.getAttributeName(handle), name, scope);
  return name;
}

// The name of the set's root set (the set's own, for a root set).
std::wstring rootOf(TavikSpace& space, int setHandle) {
  std::vector<int> roots = space.getAttributeRootDomain(setHandle);
  std::vector<HandleGuard> guards;
  for (int root : roots) guards.emplace_back(space.api, root);
  return nameOf(space, roots.empty() ? setHandle : roots[0]);
}

// The set an entry of a declaration domain runs over: the entry itself, or
// the one set of an index. Its handle is the caller's to keep.
int setOfEntry(TavikSpace& space, int entry, HandleGuard& inner) {
  if (space.getAttributeType(entry) != kIndexType) return entry;
  return space.setOfIndex(entry, inner);
}

void addSet(TavikSpace& space, int setHandle,
            IdentifierDescription& description) {
  description.sets.push_back(nameOf(space, setHandle));
  description.roots.push_back(rootOf(space, setHandle));
  description.integerSets.push_back(description.roots.back() == L"Integers");
}

}  // namespace

IdentifierDescription describeIdentifier(TavikSpace& space,
                                         const std::wstring& identifierName) {
  std::shared_ptr<ITavik>& api = space.api;
  IdentifierDescription description;
  const int handle = space.createIdentifierHandle(identifierName);
  HandleGuard identifier(api, handle);

  description.fullName = space.getAttributeName(handle);
  std::wstring scope;
  TavikSpace::splitName(description.fullName, description.name, scope);
  description.type = space.getAttributeType(handle);
  description.dimension = space.getAttributeDimension(handle);

  int count = -1;
  if (isSetType(description.type) || description.type == kIndexType) {
    // A set, or an index over a set: the set's own elements.
    HandleGuard inner;
    const int setHandle = description.type == kIndexType
                              ? setOfEntry(space, handle, inner)
                              : handle;
    addSet(space, setHandle, description);
    if (api->ValueCard(setHandle, &count)) description.count = count;
    return description;
  }

  if (description.type == TAVIK_TYPE_PARAMETER ||
      description.type == TAVIK_TYPE_VARIABLE) {
    int storage = 0;
    if (api->AttributeStorage(handle, &storage)) description.storage = storage;
  }
  if (description.type == TAVIK_TYPE_ELEMENT_PARAMETER ||
      description.type == TAVIK_TYPE_ELEMENT_VARIABLE) {
    const int range = space.getAttributeElementRange(handle);
    HandleGuard guard(api, range);
    description.range = nameOf(space, range);
    description.integerRange = rootOf(space, range) == L"Integers";
  }
  const std::vector<int> domain = space.getAttributeDeclarationDomain(handle);
  std::vector<HandleGuard> guards;
  for (int entry : domain) guards.emplace_back(api, entry);
  for (int entry : domain) {
    description.declared.push_back(nameOf(space, entry));
    HandleGuard inner;
    addSet(space, setOfEntry(space, entry, inner), description);
  }
  if (api->ValueCard(handle, &count)) description.count = count;
  return description;
}

}  // namespace Tavik
