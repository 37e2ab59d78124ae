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

int LoadedTavikAPI::ProjectOpen(wchar_t* path, int* handle) {
  return callEntry(loader->ProjectOpen(), path, handle);
}

int LoadedTavikAPI::ProjectClose(int project, int flag) {
  TavikProjectCloseFn close = loader->ProjectClose();
  if (!close) return 0;
  // A close the engine refused keeps the project and the library as they are.
  if (!close(project, flag)) return 0;
  return loader->Reload() ? 1 : 0;
}

int LoadedTavikAPI::ProcedureHandleCreateA(char* name, int* handle, int* argc,
                                           int* argv) {
  return callEntry(loader->ProcedureHandleCreateA(), name, handle, argc, argv);
}

int LoadedTavikAPI::ProcedureArgumentHandleCreate(int procedure, int argument,
                                                  int* handle) {
  return callEntry(loader->ProcedureArgumentHandleCreate(), procedure,
                   argument, handle);
}

int LoadedTavikAPI::AttributeNameW(int handle, tagTavikStringW* name) {
  return callEntry(loader->AttributeNameW(), handle, name);
}

int LoadedTavikAPI::ValueCard(int set, int* count) {
  return callEntry(loader->ValueCard(), set, count);
}

int LoadedTavikAPI::AttributeDimension(int handle, int* full, int* sliced) {
  return callEntry(loader->AttributeDimension(), handle, full, sliced);
}

int LoadedTavikAPI::ValueResetHandle(int handle) {
  return callEntry(loader->ValueResetHandle(), handle);
}

int LoadedTavikAPI::ValueNextW(int handle, int* tuple, tagTavikValueW* value) {
  return callEntry(loader->ValueNextW(), handle, tuple, value);
}

int LoadedTavikAPI::APILastError(int* code, wchar_t* message) {
  return callEntry(loader->APILastError(), code, message);
}

int LoadedTavikAPI::IdentifierHandleCreateW(wchar_t* name, int* domain,
                                            int* slicing, int flags,
                                            int* handle) {
  return callEntry(loader->IdentifierHandleCreateW(), name, domain, slicing,
                   flags, handle);
}

int LoadedTavikAPI::AttributeDeclarationDomain(int handle, int* domain) {
  return callEntry(loader->AttributeDeclarationDomain(), handle, domain);
}

int LoadedTavikAPI::SetOrdinalToElement(int set, int ordinal, int* element) {
  return callEntry(loader->SetOrdinalToElement(), set, ordinal, element);
}

int LoadedTavikAPI::SetElementToNameW(int set, int element,
                                      tagTavikStringW* name) {
  return callEntry(loader->SetElementToNameW(), set, element, name);
}

int LoadedTavikAPI::AttributeRootDomain(int handle, int* root) {
  return callEntry(loader->AttributeRootDomain(), handle, root);
}

int LoadedTavikAPI::AttributeStorage(int handle, int* storage) {
  return callEntry(loader->AttributeStorage(), handle, storage);
}

int LoadedTavikAPI::AttributeType(int handle, int* type) {
  return callEntry(loader->AttributeType(), handle, type);
}

int LoadedTavikAPI::IdentifierHandleDelete(int handle) {
  return callEntry(loader->IdentifierHandleDelete(), handle);
}

int LoadedTavikAPI::AttributeElementRange(int handle, int* range) {
  return callEntry(loader->AttributeElementRange(), handle, range);
}

int LoadedTavikAPI::ValueRetrieveW(int handle, int* tuple,
                                   tagTavikValueW* value) {
  return callEntry(loader->ValueRetrieveW(), handle, tuple, value);
}

int LoadedTavikAPI::ValueRetrieve(int handle, int* tuple,
                                  tagTavikValue* value) {
  return callEntry(loader->ValueRetrieve(), handle, tuple, value);
}

int LoadedTavikAPI::ValueNextMultiW(int handle, int* count, int* tuples,
                                    tagTavikValueW* values) {
  return callEntry(loader->ValueNextMultiW(), handle, count, tuples, values);
}

int LoadedTavikAPI::ValueAssignW(int handle, int* tuple,
                                 tagTavikValueW* value) {
  return callEntry(loader->ValueAssignW(), handle, tuple, value);
}

int LoadedTavikAPI::ValueAssignA(int handle, int* tuple, tagTavikValue* value) {
  return callEntry(loader->ValueAssignA(), handle, tuple, value);
}

int LoadedTavikAPI::IdentifierEmpty(int handle) {
  return callEntry(loader->IdentifierEmpty(), handle);
}

int LoadedTavikAPI::SetAddElement(int set, wchar_t* label, int* element) {
  return callEntry(loader->SetAddElement(), set, label, element);
}

std::shared_ptr<ITavik> TavikAPI::getSharedTavikAPI(std::wstring path) {
  std::unique_ptr<LoadedTavikAPI> api(new LoadedTavikAPI(path));
  if (!api->loaded) return std::shared_ptr<ITavik>();
  return std::shared_ptr<ITavik>(api.release());
}

}  // namespace Tavik
