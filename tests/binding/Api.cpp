// The API facade over its loader: one API per load, a close that loads the
// library again, and operations that fail once the library is gone.
#include <memory>

#include "Binding.h"
#include "engine/LoadedTavikAPI.h"

namespace Binding {

using Tavik::ITavik;
using Tavik::LoadedTavikAPI;

namespace {

std::shared_ptr<ITavik> engineApi() {
  return Tavik::TavikAPI::getSharedTavikAPI(widen(setup.engine));
}

const Tavik::TavikLoader& loaderOf(const std::shared_ptr<ITavik>& api) {
  return dynamic_cast<LoadedTavikAPI&>(*api).Loader();
}

// The project handle, 0 when the open failed.
int openTransport(ITavik& api) {
  std::wstring path = widen(transportProject());
  int handle = 0;
  return api.ProjectOpen(&path[0], &handle) ? handle : 0;
}

int createHandle(ITavik& api, const wchar_t* name) {
  std::wstring copy = name;
  int handle = 0;
  return api.IdentifierHandleCreateW(&copy[0], nullptr, nullptr, 0, &handle);
}

int count(const std::vector<bool>& flags) {
  int n = 0;
  for (bool flag : flags) n += flag;
  return n;
}

}  // namespace

void api() {
  CHECK(!Tavik::TavikAPI::getSharedTavikAPI(widen(Driver::scratchPath("none.dll"))));

  // Two APIs for one path are independent: releasing one leaves the other
  // working.
  {
    std::shared_ptr<ITavik> first = engineApi(), second = engineApi();
    CHECK(first && second && first != second);
    int project = openTransport(*first);
    CHECK(project != 0);
    second.reset();
    CHECK(createHandle(*first, L"Cost") != 0);
    CHECK(first->ProjectClose(project, 0) == 1);
  }

  // Closing a project loads the library again and forgets the resolved
  // entry points; the next call resolves just its own.
  {
    std::shared_ptr<ITavik> api = engineApi();
    int project = openTransport(*api);
    CHECK(cached(loaderOf(api))[Tavik::TavikLoader::FnProjectOpen]);
    CHECK(api->ProjectClose(project, 0) == 1);
    CHECK(cached(loaderOf(api)) == every(false));
    int cardinality = -1;
    api->ValueCard(1, &cardinality);
    std::vector<bool> again = cached(loaderOf(api));
    CHECK(again[Tavik::TavikLoader::FnValueCard] && count(again) == 1);
  }

  // After a failed Reload every operation fails.
  {
    std::shared_ptr<ITavik> api = engineApi();
    CHECK(!api->Reload(widen(Driver::scratchPath("gone.dll"))));
    int cardinality = -1;
    CHECK(api->ValueCard(1, &cardinality) == 0);
    CHECK(createHandle(*api, L"Cost") == 0);
  }

  // A close the engine refuses is reported and loads nothing again.
  {
    std::shared_ptr<ITavik> api = engineApi();
    int project = openTransport(*api);
    simFault("TavikProjectClose", 0, 7, "busy");
    CHECK(api->ProjectClose(project, 0) == 0);
    std::vector<bool> after = cached(loaderOf(api));
    CHECK(after[Tavik::TavikLoader::FnProjectOpen] && after[Tavik::TavikLoader::FnProjectClose]);
    simReset();
    CHECK(api->ProjectClose(project, 0) == 1);
  }
}

// A library without TavikValueCard: exactly that entry point is null, on
// every look-up, and exactly that operation fails.
void missingEntryPoint() {
  std::wstring fixture = widen(setup.fixture);
  {
    Tavik::TavikLoader loader;
    CHECK(loader.Load(fixture));
    std::vector<bool> expected = every(true);
    expected[Tavik::TavikLoader::FnValueCard] = false;
    CHECK(resolveAll(loader) == expected);
    CHECK(resolveAll(loader) == expected);
  }
  std::shared_ptr<ITavik> api = Tavik::TavikAPI::getSharedTavikAPI(fixture);
  CHECK(api != nullptr);
  if (!api) return;
  int project = openTransport(*api);
  CHECK(project != 0);
  int cardinality = -1;
  CHECK(api->ValueCard(1, &cardinality) == 0);
  CHECK(api->ValueCard(1, &cardinality) == 0);
  CHECK(createHandle(*api, L"Plants") != 0);
  api->ProjectClose(project, 0);
}

}  // namespace Binding
