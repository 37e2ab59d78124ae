// An engine handle that goes back to the engine when the guard goes away,
// unless an identifier object took it over. Keeps handles from leaking when
// building an identifier fails half way.
#ifndef TAVIK4R_MODEL_HANDLEGUARD_H
#define TAVIK4R_MODEL_HANDLEGUARD_H

#include <memory>
#include <utility>

#include "engine/ITavik.h"

namespace Tavik {

class HandleGuard {
 public:
  HandleGuard() {}
  HandleGuard(std::shared_ptr<ITavik> api, int handle)
      : api(std::move(api)), handle(handle) {}
  HandleGuard(HandleGuard&& other) noexcept
      : api(std::move(other.api)), handle(other.handle) {}
  HandleGuard& operator=(HandleGuard&& other) noexcept {
    if (this != &other) {
      giveBack();
      api = std::move(other.api);
      handle = other.handle;
    }
    return *this;
  }
  HandleGuard(const HandleGuard&) = delete;
  HandleGuard& operator=(const HandleGuard&) = delete;
  ~HandleGuard() { giveBack(); }

  // The handle now belongs to someone else.
  void release() { api.reset(); }
  // Deletes the handle now; a refusal leaves it with the engine.
  void giveBack() {
    if (api) api->IdentifierHandleDelete(handle);
    api.reset();
  }

 private:
  std::shared_ptr<ITavik> api;
  int handle = 0;
};

}  // namespace Tavik

#endif
