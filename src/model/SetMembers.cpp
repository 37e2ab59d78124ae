#include "model/SetMembers.h"

#include <stdexcept>

#include "engine/TavikException.h"
#include "engine/TextConversion.h"
#include "model/HandleGuard.h"
#include "model/TavikSpace.h"

namespace Tavik {

std::shared_ptr<SetIdentifier> setNamed(TavikSpace& space,
                                        const std::wstring& name) {
  std::shared_ptr<ITavik>& api = space.api;
  int handle = 0;
  if (!api->IdentifierHandleCreateW(const_cast<wchar_t*>(name.c_str()), nullptr,
                                    nullptr, 0, &handle))
    throw TavikException("TavikSpace::createMultiDimIdentifier", api)
        .as(TavikFault::Identifier);
  HandleGuard identifier(api, handle);
  int setHandle = handle;
  HandleGuard inner;
  const int type = space.getAttributeType(handle);
  if (type == TAVIK_TYPE_INDEX) {
    std::vector<int> domain = space.getAttributeDeclarationDomain(handle);
    std::vector<HandleGuard> guards;
    for (int entry : domain) guards.emplace_back(api, entry);
    if (domain.size() != 1)
      throw std::runtime_error("unable to determine declaration domain");
    setHandle = domain[0];
    inner = std::move(guards[0]);
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
