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
  int ProjectOpen(wchar_t* path, int* handle) override;
  int ProjectClose(int project, int flag) override;
  int ProcedureHandleCreateA(char* name, int* handle, int* argc,
                             int* argv) override;
  int ProcedureArgumentHandleCreate(int procedure, int argument,
                                    int* handle) override;
  int AttributeNameW(int handle, tagTavikStringW* name) override;
  int ValueCard(int set, int* count) override;
  int AttributeDimension(int handle, int* full, int* sliced) override;
  int ValueResetHandle(int handle) override;
  int ValueNextW(int handle, int* tuple, tagTavikValueW* value) override;
  int APILastError(int* code, wchar_t* message) override;
  int IdentifierHandleCreateW(wchar_t* name, int* domain, int* slicing,
                              int flags, int* handle) override;
  int AttributeDeclarationDomain(int handle, int* domain) override;
  int SetOrdinalToElement(int set, int ordinal, int* element) override;
  int SetElementToNameW(int set, int element, tagTavikStringW* name) override;
  int AttributeRootDomain(int handle, int* root) override;
  int AttributeStorage(int handle, int* storage) override;
  int AttributeType(int handle, int* type) override;
  int IdentifierHandleDelete(int handle) override;
  int AttributeElementRange(int handle, int* range) override;
  int ValueRetrieveW(int handle, int* tuple, tagTavikValueW* value) override;
  int ValueRetrieve(int handle, int* tuple, tagTavikValue* value) override;
  int ValueNextMultiW(int handle, int* count, int* tuples,
                      tagTavikValueW* values) override;
  int ValueAssignW(int handle, int* tuple, tagTavikValueW* value) override;
  int ValueAssignA(int handle, int* tuple, tagTavikValue* value) override;
  int IdentifierEmpty(int handle) override;
  int SetAddElement(int set, wchar_t* label, int* element) override;
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
