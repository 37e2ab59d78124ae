// Test-only routines that drive a loader or an engine API directly, so the
// binding can be checked without the commands on top of it.
#include <Rcpp.h>

#include <cwchar>
#include <memory>

#include "engine/LibraryHandle.h"
#include "engine/LoadedTavikAPI.h"
#include "engine/TavikException.h"
#include "entry/ArgumentConversion.h"
#include "engine/TextConversion.h"

using Tavik::ITavik;
using Tavik::LoadedTavikAPI;
using Tavik::TavikLoader;

namespace {

TavikLoader* loaderOf(SEXP pointer) {
  Rcpp::XPtr<TavikLoader> loader(pointer);
  return loader.checked_get();
}

std::shared_ptr<ITavik>& apiOf(SEXP pointer) {
  Rcpp::XPtr<std::shared_ptr<ITavik>> api(pointer);
  return *api.checked_get();
}

// Non-null flags of every typed accessor, in enumeration order.
Rcpp::LogicalVector resolveAll(TavikLoader& loader) {
  const void* addresses[] = {
      (void*)loader.ProjectOpen(), (void*)loader.ProjectClose(),
      (void*)loader.ProcedureHandleCreateA(),
      (void*)loader.ProcedureArgumentHandleCreate(),
      (void*)loader.AttributeNameW(), (void*)loader.ValueCard(),
      (void*)loader.AttributeDimension(), (void*)loader.ValueResetHandle(),
      (void*)loader.ValueNextW(), (void*)loader.APILastError(),
      (void*)loader.IdentifierHandleCreateW(),
      (void*)loader.AttributeDeclarationDomain(),
      (void*)loader.SetOrdinalToElement(), (void*)loader.SetElementToNameW(),
      (void*)loader.AttributeRootDomain(), (void*)loader.AttributeStorage(),
      (void*)loader.AttributeType(), (void*)loader.IdentifierHandleDelete(),
      (void*)loader.AttributeElementRange(), (void*)loader.ValueRetrieveW(),
      (void*)loader.ValueRetrieve(), (void*)loader.ValueNextMultiW(),
      (void*)loader.ValueAssignW(), (void*)loader.ValueAssignA(),
      (void*)loader.IdentifierEmpty(), (void*)loader.SetAddElement()};
  Rcpp::LogicalVector resolved(TavikLoader::FunctionCount);
  for (int i = 0; i < TavikLoader::FunctionCount; ++i)
    resolved[i] = addresses[i] != nullptr;
  return resolved;
}

Rcpp::LogicalVector cached(const TavikLoader& loader) {
  const std::vector<void*>& addresses = loader.CachedAddresses();
  Rcpp::LogicalVector flags(addresses.size());
  for (size_t i = 0; i < addresses.size(); ++i)
    flags[i] = addresses[i] != nullptr;
  return flags;
}

}  // namespace

extern "C" SEXP tavik4r_test_loader_new() {
  BEGIN_RCPP
  return Rcpp::XPtr<TavikLoader>(new TavikLoader(), true);
  END_RCPP
}

extern "C" SEXP tavik4r_test_loader_call(SEXP pointer, SEXP operationSEXP,
                                         SEXP pathSEXP) {
  BEGIN_RCPP
  TavikLoader* loader = loaderOf(pointer);
  std::string operation = Rcpp::as<std::string>(operationSEXP);
  if (operation == "load") {
    std::wstring path = wstringArgument(pathSEXP);
    return Rcpp::wrap(loader->Load(path));
  }
  if (operation == "unload") return Rcpp::wrap(loader->Unload());
  if (operation == "reload") return Rcpp::wrap(loader->Reload());
  if (operation == "last_error") return Rcpp::wrap(w2a(loader->LastError()));
  if (operation == "resolve") return resolveAll(*loader);
  if (operation == "cached") return cached(*loader);
  if (operation == "names") {
    Rcpp::CharacterVector names;
    Rcpp::IntegerVector offsets;
    for (const auto& row : loader->Functions()) {
      names.push_back(row.second.name);
      offsets.push_back(row.second.offset);
    }
    return Rcpp::List::create(Rcpp::Named("name") = names,
                              Rcpp::Named("offset") = offsets);
  }
  throw std::invalid_argument("unknown loader operation " + operation);
  END_RCPP
}

extern "C" SEXP tavik4r_test_decorated_name(SEXP nameSEXP, SEXP offsetSEXP) {
  BEGIN_RCPP
  return Rcpp::wrap(Tavik::decoratedExportName(
      Rcpp::as<std::string>(nameSEXP), Rcpp::as<int>(offsetSEXP)));
  END_RCPP
}

extern "C" SEXP tavik4r_test_api_new(SEXP pathSEXP) {
  BEGIN_RCPP
  std::shared_ptr<ITavik> api =
      Tavik::TavikAPI::getSharedTavikAPI(wstringArgument(pathSEXP));
  if (!api) return R_NilValue;
  return Rcpp::XPtr<std::shared_ptr<ITavik>>(new std::shared_ptr<ITavik>(api),
                                             true);
  END_RCPP
}

// A few operations of an API object, enough to watch what it resolves.
extern "C" SEXP tavik4r_test_api_call(SEXP pointer, SEXP operationSEXP,
                                      SEXP argumentSEXP) {
  BEGIN_RCPP
  std::shared_ptr<ITavik>& api = apiOf(pointer);
  std::string operation = Rcpp::as<std::string>(operationSEXP);
  LoadedTavikAPI& loaded = dynamic_cast<LoadedTavikAPI&>(*api);
  if (operation == "release") {
    api.reset();
    return R_NilValue;
  }
  if (!api) throw std::logic_error("released");
  if (operation == "cached") return cached(loaded.Loader());
  if (operation == "reload")
    return Rcpp::wrap(api->Reload(wstringArgument(argumentSEXP)));
  if (operation == "open") {
    std::wstring path = wstringArgument(argumentSEXP);
    int handle = 0;
    int result = api->ProjectOpen(&path[0], &handle);
    return Rcpp::IntegerVector::create(result, handle);
  }
  if (operation == "close")
    return Rcpp::wrap(api->ProjectClose(Rcpp::as<int>(argumentSEXP), 0));
  if (operation == "value_card") {
    int count = -1;
    int result = api->ValueCard(Rcpp::as<int>(argumentSEXP), &count);
    return Rcpp::IntegerVector::create(result, count);
  }
  if (operation == "handle") {
    std::wstring name = wstringArgument(argumentSEXP);
    int handle = 0;
    int result =
        api->IdentifierHandleCreateW(&name[0], nullptr, nullptr, 0, &handle);
    return Rcpp::IntegerVector::create(result, handle);
  }
  if (operation == "exception") {
    std::string context = Rcpp::as<std::string>(argumentSEXP);
    return Rcpp::wrap(Tavik::TavikException(context, api).what());
  }
  throw std::invalid_argument("unknown api operation " + operation);
  END_RCPP
}

extern "C" SEXP tavik4r_test_string_roundtrip(SEXP textSEXP) {
  BEGIN_RCPP
  std::string text = Rcpp::as<std::string>(textSEXP);
  std::wstring wide = a2w(text);
  return Rcpp::List::create(Rcpp::Named("wide_length") = (int)wide.size(),
                            Rcpp::Named("back") = w2a(wide));
  END_RCPP
}

extern "C" SEXP tavik4r_test_w2a_codepoint(SEXP codepointSEXP) {
  BEGIN_RCPP
  std::wstring wide(1, static_cast<wchar_t>(Rcpp::as<int>(codepointSEXP)));
  return Rcpp::wrap(w2a(wide));
  END_RCPP
}

namespace {
// An engine whose last-error call answers as told; every other call fails.
class ScriptedErrorEngine : public LoadedTavikAPI {
 public:
  ScriptedErrorEngine(int reports, int code, std::wstring text)
      : LoadedTavikAPI(L""), reports(reports), code(code), text(text) {}
  int APILastError(int* codeOut, wchar_t* message) override {
    if (!reports) return 0;
    *codeOut = code;
    std::wcsncpy(message, text.c_str(), 511);
    message[511] = L'\0';
    return 1;
  }

 private:
  int reports;
  int code;
  std::wstring text;
};
}  // namespace

extern "C" SEXP tavik4r_test_exception_message(SEXP contextSEXP,
                                               SEXP reportsSEXP,
                                               SEXP codeSEXP, SEXP textSEXP) {
  BEGIN_RCPP
  std::shared_ptr<ITavik> api(new ScriptedErrorEngine(
      Rcpp::as<int>(reportsSEXP), Rcpp::as<int>(codeSEXP),
      wstringArgument(textSEXP)));
  return Rcpp::wrap(
      Tavik::TavikException(Rcpp::as<std::string>(contextSEXP), api).what());
  END_RCPP
}
