#include "model/BaseIdentifier.h"

#include <utility>

namespace Tavik {

BaseIdentifier::BaseIdentifier(std::wstring name, std::wstring scope,
                               std::shared_ptr<ITavik> api, int handle)
    : name(std::move(name)),
      scope(std::move(scope)),
      api(std::move(api)),
      handle(handle),
      projectIsClosed(true) {}

BaseIdentifier::~BaseIdentifier() {
  if (api && !projectIsClosed) api->IdentifierHandleDelete(handle);
}

void BaseIdentifier::setProjectIsClosed(bool closed) {
  projectIsClosed = closed;
}

}  // namespace Tavik
