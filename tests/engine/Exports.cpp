// The fixture engine built without TavikValueCard lacks just that export.
#include <dlfcn.h>

#include "Engine.h"

namespace Engine {

void exportsWithoutValueCard(void* library) {
  CHECK(dlsym(library, "TavikValueCard") == nullptr);
  CHECK(dlsym(library, "TavikValueNextW") != nullptr);
}

}  // namespace Engine
