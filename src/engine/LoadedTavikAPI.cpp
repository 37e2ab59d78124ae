#include "engine/LoadedTavikAPI.h"

namespace Tavik {

namespace {
// A missing entry point answers like an engine failure.
template <typename Function, typename... Args>
int callEntry(Function function, Args... args) {
  return function ? function(args...) : 0;
}
}  // namespace

LoadedTavikAPI::LoadedTavikAPI(std::wstring path)
    : loader(new TavikLoader()), loaded(false) {
  loaded = loader->Load(path);
}

LoadedTavikAPI::~LoadedTavikAPI() {}

bool LoadedTavikAPI::Reload(std::wstring path) {
  loader->Unload();
  loaded = loader->Load(path);
  return loaded;
}

// The forwarders: fetch the entry point, call it or answer 0. The project
// close is written out below, since it loads the library again.
#define TAVIK_FORWARD_CALL(Accessor, Parameters, Arguments)        \
  int LoadedTavikAPI::Accessor Parameters {                        \
    return callEntry(loader->Accessor(), TAVIK_UNPAREN Arguments); \
  }
#define TAVIK_FORWARD_NEVER TAVIK_FORWARD_CALL
#define TAVIK_FORWARD_RELOAD(Accessor, Parameters, Arguments)
#define TAVIK_UNPAREN(...) __VA_ARGS__
#define TAVIK_FORWARDER(Accessor, Export, Bytes, Use, Parameters, Arguments) \
  TAVIK_FORWARD_##Use(Accessor, Parameters, Arguments)
TAVIK_ENTRY_POINTS(TAVIK_FORWARDER)
#undef TAVIK_FORWARDER
#undef TAVIK_UNPAREN
#undef TAVIK_FORWARD_RELOAD
#undef TAVIK_FORWARD_NEVER
#undef TAVIK_FORWARD_CALL

int LoadedTavikAPI::ProjectClose(int project, int flag) {
  TavikProjectCloseFn close = loader->ProjectClose();
  if (!close) return 0;
  // A close the engine refused keeps the project and the library as they are.
  if (!close(project, flag)) return 0;
  return loader->Reload() ? 1 : 0;
}

std::shared_ptr<ITavik> TavikAPI::getSharedTavikAPI(std::wstring path) {
  std::unique_ptr<LoadedTavikAPI> api(new LoadedTavikAPI(path));
  if (!api->loaded) return std::shared_ptr<ITavik>();
  return std::shared_ptr<ITavik>(api.release());
}

}  // namespace Tavik
