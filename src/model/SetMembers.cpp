#include "model/SetMembers.h"

#include <stdexcept>

#include "engine/TextConversion.h"
#include "model/HandleGuard.h"
#include "model/TavikSpace.h"

namespace Tavik {

std::shared_ptr<SetIdentifier> setNamed(TavikSpace& space,
                                        const std::wstring& name) {
  const int handle = space.createIdentifierHandle(name);
  HandleGuard identifier(space.api, handle);
  int setHandle = handle;
  HandleGuard inner;
  const int type = space.getAttributeType(handle);
  if (type == TAVIK_TYPE_INDEX) {
    setHandle = space.setOfIndex(handle, inner);
  } else if (type != TAVIK_TYPE_ROOT_SET && type != TAVIK_TYPE_SUBSET) {
    throw std::runtime_error(w2a(L"'" + name + L"' is not a set"));
  }
  bool created = false;
  std::shared_ptr<SetIdentifier> set = space.getOrCreateSet(setHandle, created);
  // A set made now owns its handle.
  if (created) (setHandle == handle ? identifier : inner).release();
  return set;
}

}  // namespace Tavik
