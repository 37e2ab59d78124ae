// Exercises the engine loader as a Windows program: loads the engine DLL by
// path, resolves every entry point, calls a few through the stdcall
// pointers on the transport example project, frees the library, and refuses
// a library that isn't there (load-error-check checks what it says). Prints
// one line per check and exits non-zero when any fails.
//   loader-check <engine dll> <transport project> <missing dll>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "engine/LoadedTavikAPI.h"
#include "engine/TavikException.h"
#include "engine/TavikLoader.h"
#include "engine/TextConversion.h"

using Tavik::TavikLoader;

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
  if (!ok) ++failures;
}

// Every accessor once; afterwards the whole address cache is filled.
void resolveAll(TavikLoader& loader) {
  loader.ProjectOpen();
  loader.ProjectClose();
  loader.ProcedureHandleCreateA();
  loader.ProcedureArgumentHandleCreate();
  loader.AttributeNameW();
  loader.ValueCard();
  loader.AttributeDimension();
  loader.ValueResetHandle();
  loader.ValueNextW();
  loader.APILastError();
  loader.IdentifierHandleCreateW();
  loader.AttributeDeclarationDomain();
  loader.SetOrdinalToElement();
  loader.SetElementToNameW();
  loader.AttributeRootDomain();
  loader.AttributeStorage();
  loader.AttributeType();
  loader.IdentifierHandleDelete();
  loader.AttributeElementRange();
  loader.ValueRetrieveW();
  loader.ValueRetrieve();
  loader.ValueNextMultiW();
  loader.ValueAssignW();
  loader.ValueAssignA();
  loader.IdentifierEmpty();
  loader.SetAddElement();
}

int resolvedCount(const TavikLoader& loader) {
  int count = 0;
  for (void* address : loader.CachedAddresses()) count += address != nullptr;
  return count;
}

int identifier(TavikLoader& loader, const wchar_t* name) {
  std::wstring text(name);
  int handle = 0;
  if (!loader.IdentifierHandleCreateW()(&text[0], nullptr, nullptr, 0,
                                        &handle))
    return 0;
  return handle;
}

// Straight through the loader's typed pointers, as the facade calls them.
void callEntryPoints(TavikLoader& loader, std::wstring projectPath) {
  int project = 0;
  int opened = loader.ProjectOpen()(&projectPath[0], &project);
  check(opened && project != 0, "project opened");
  if (!opened) return;

  int discount = identifier(loader, L"Discount");
  tagTavikValueW value;
  value.Double = 0;
  check(discount && loader.ValueRetrieveW()(discount, nullptr, &value) &&
            std::fabs(value.Double - 0.05) < 1e-12,
        "scalar Discount read as 0.05");

  int plants = identifier(loader, L"Plants");
  int count = 0, element = 0;
  wchar_t label[300] = {0};
  tagTavikStringW name = {300, label};
  check(plants && loader.ValueCard()(plants, &count) && count == 4,
        "set Plants has 4 elements");
  check(plants && loader.SetOrdinalToElement()(plants, 4, &element) &&
            loader.SetElementToNameW()(plants, element, &name) &&
            std::wstring(label) == L"New York",
        "4th element of Plants is \"New York\"");

  int unknown = identifier(loader, L"NoSuchIdentifier");
  int code = 0;
  wchar_t message[512] = {0};
  bool told = loader.APILastError()(&code, message) && code != 0;
  check(!unknown && told && message[0] != L'\0',
        "unknown identifier refused, engine says why: " + w2a(message));

  loader.IdentifierHandleDelete()(discount);
  loader.IdentifierHandleDelete()(plants);
  check(loader.ProjectClose()(project, 0) != 0, "project closed");
}

void checkLoader(std::wstring dll, std::wstring projectPath) {
  TavikLoader loader;
  check(loader.Load(dll), "engine library loaded by path");
  resolveAll(loader);
  check(resolvedCount(loader) == TavikLoader::FunctionCount,
        "all " + std::to_string(resolvedCount(loader)) + " of 26 entry "
        "points resolved");
  callEntryPoints(loader, projectPath);
  check(loader.Unload(), "engine library freed");
  check(loader.ValueCard() == nullptr, "no entry point after freeing");
}

void checkMissingLibrary(std::wstring missing) {
  TavikLoader loader;
  check(!loader.Load(missing), "missing library not loaded");
}

// The facade over the same library: shared API, engine errors as text.
void checkFacade(std::wstring dll, std::wstring projectPath,
                 std::wstring missing) {
  check(!Tavik::TavikAPI::getSharedTavikAPI(missing),
        "no API for a missing library");
  std::shared_ptr<Tavik::ITavik> api = Tavik::TavikAPI::getSharedTavikAPI(dll);
  check(api != nullptr, "API for the engine library");
  if (!api) return;
  int project = 0;
  check(api->ProjectOpen(&projectPath[0], &project) && project != 0,
        "project opened through the API");
  std::wstring name = L"NoSuchIdentifier";
  int handle = 0;
  api->IdentifierHandleCreateW(&name[0], nullptr, nullptr, 0, &handle);
  std::string error = Tavik::TavikException("check", api).what();
  check(error.compare(0, 11, "tavikerror ") == 0,
        "engine error as exception text: " + error);
  check(api->ProjectClose(project, 0) == 1,
        "project closed, library reloaded");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr,
                 "usage: loader-check <engine dll> <project> <missing dll>\n");
    return 2;
  }
  std::wstring dll = a2w(argv[1]);
  std::wstring projectPath = a2w(argv[2]);
  std::wstring missing = a2w(argv[3]);
  checkLoader(dll, projectPath);
  checkMissingLibrary(missing);
  checkFacade(dll, projectPath, missing);
  std::printf("%d failed\n", failures);
  return failures == 0 ? 0 : 1;
}
