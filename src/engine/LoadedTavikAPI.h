// The engine API over a loader it owns: every operation fetches its entry
// point and calls it, or returns 0 when the entry point is missing.
#ifndef TAVIK4R_ENGINE_LOADEDTAVIKAPI_H
#define TAVIK4R_ENGINE_LOADEDTAVIKAPI_H

#include <memory>
#include <string>

#include "engine/ITavik.h"
#include "engine/TavikLoader.h"

namespace Tavik {

class LoadedTavikAPI : public ITavik {
 public:
  explicit LoadedTavikAPI(std::wstring path);
  ~LoadedTavikAPI() override;

  bool Reload(std::wstring path) override;
#define TAVIK_OPERATION(Accessor, Export, Bytes, Use, Parameters, Arguments) \
  int Accessor Parameters override;
  TAVIK_ENTRY_POINTS(TAVIK_OPERATION)
#undef TAVIK_OPERATION
  TavikValueNextWFn ValueNextWEntry() override { return loader->ValueNextW(); }
  TavikValueAssignWFn ValueAssignWEntry() override {
    return loader->ValueAssignW();
  }
  TavikValueRetrieveWFn ValueRetrieveWEntry() override {
    return loader->ValueRetrieveW();
  }
  bool IsLoaded() const override { return loader->IsLoaded(); }
  std::wstring LibraryPath() const override { return loader->LibraryPath(); }
  std::wstring LoadError() const override { return loader->LastError(); }

  // For checks of the binding itself.
  const TavikLoader& Loader() const { return *loader; }

  std::unique_ptr<TavikLoader> loader;
  bool loaded;
};

// Hands out engine APIs with shared ownership; holds nothing itself.
class TavikAPI {
 public:
  // A fresh API over the library at path, or empty when it doesn't load.
  static std::shared_ptr<ITavik> getSharedTavikAPI(std::wstring path);

 private:
  TavikAPI() = delete;
};

}  // namespace Tavik

#endif
