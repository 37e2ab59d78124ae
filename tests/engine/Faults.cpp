// The test controls: injected faults, misbehaviour switches and counters.
#include "Engine.h"

namespace Engine {

void faults() {
  int project = openTransport();
  int plants = handle(L"Plants");
  int count = 0;
  CHECK(fault("TavikValueCard", 2, 42, "card fault"));
  CHECK(api.ValueCard(plants, &count) != 0);
  CHECK(api.ValueCard(plants, &count) == 0 && lastCode() == 42 && lastText() == L"card fault");
  CHECK(api.ValueCard(plants, &count) != 0);
  CHECK(fault("ValueCard", 0, 43, "always"));
  CHECK(api.ValueCard(plants, &count) == 0 && api.ValueCard(plants, &count) == 0 &&
        lastCode() == 43);
  CHECK(fault("ValueCard", -1, 0, ""));
  CHECK(api.ValueCard(plants, &count) != 0);
  CHECK(!fault("TavikNoSuchEntry", 1, 1, "x") && !setSwitch("no_such_switch", true));

  // The last-error call can be told to report nothing.
  CHECK(api.IdentifierHandleDelete(-1) == 0 && lastCode() == 4);
  CHECK(setSwitch("silent_last_error", true));
  CHECK(lastCode() == 0);
  CHECK(setSwitch("silent_last_error", false) && lastCode() == 4);

  // A failing close leaves the project open.
  CHECK(setSwitch("close_fails", true));
  CHECK(api.ProjectClose(project, 0) == 0 && lastCode() == 14);
  CHECK(counter("project_open") == 1 && handle(L"Cost") > 0);
  CHECK(setSwitch("close_fails", false));

  std::vector<int> e = elementsOf(plants);
  CHECK(setSwitch("ordinal_out_of_range", true));
  int last = 0;
  CHECK(api.SetOrdinalToElement(plants, 4, &last) != 0 && last != e[3]);
  CHECK(labelOf(plants, last) == L"<refused>");
  int first = 0;
  CHECK(api.SetOrdinalToElement(plants, 1, &first) != 0 && first == e[0]);
  CHECK(setSwitch("ordinal_out_of_range", false));

  CHECK(setSwitch("next_out_of_range", true));
  int cost = handle(L"Cost");
  int t[2];
  tagTavikValueW value;
  CHECK(api.ValueResetHandle(cost) && api.ValueNextW(cost, t, &value) && t[0] > e[3]);
  int preferred = handle(L"PreferredPlant");
  CHECK(api.ValueResetHandle(preferred) && api.ValueNextW(preferred, t, &value) &&
        value.Int > e[3]);
  CHECK(setSwitch("next_out_of_range", false));

  CHECK(setSwitch("add_nonconsecutive", true));
  std::wstring label = L"Oslo";
  int element = 0;
  CHECK(api.SetAddElement(plants, &label[0], &element) != 0 && element > e[3] + 1);
  CHECK(labelOf(plants, element) == L"Oslo" && elementsOf(plants).back() == element);
  CHECK(setSwitch("add_nonconsecutive", false));
  std::wstring next = L"Paris";
  int after = 0;
  CHECK(api.SetAddElement(plants, &next[0], &after) != 0 && after == element + 1);

  CHECK(setSwitch("write_back_length", true));
  wchar_t buffer[4];
  tagTavikStringW record{4, buffer};
  CHECK(api.AttributeNameW(plants, &record) != 0 && record.Length == 6 &&
        std::wstring(buffer) == L"Pla");
  CHECK(setSwitch("write_back_length", false));

  // Counters and their reset.
  resetSim();
  CHECK(calls("TavikValueCard") == 0 && counter("handles_created") == 0);
  CHECK(api.ValueCard(plants, &count) && api.ValueCard(plants, &count));
  CHECK(calls("TavikValueCard") == 2 && calls("ValueCard") == 2 && calls("Nope") == -1);
  int h = handle(L"Cost");
  CHECK(counter("handles_created") == 1 && counter("live_handles") > 1);
  CHECK(api.IdentifierHandleDelete(h) && counter("handles_deleted") == 1);
  CHECK(counter("nothing") == -1);
  closeProject(project);

  CHECK(fault("TavikServerProjectOpenW", 1, 77, "open fault"));
  std::wstring path = widen(projectsDir + "/transport.tvp");
  int refused = 0;
  CHECK(api.ProjectOpen(&path[0], &refused) == 0 && lastCode() == 77);
  CHECK(counter("project_open") == 0);
  project = openTransport();
  closeProject(project);
}

}  // namespace Engine
