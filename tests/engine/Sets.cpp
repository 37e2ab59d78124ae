// Sets: element numbers, labels, subsets, integer sets and additions.
#include "Engine.h"

namespace Engine {

void sets() {
  int project = openTransport();
  int plants = handle(L"Plants");
  std::vector<int> e = elementsOf(plants);
  CHECK(e.size() == 4);
  CHECK(e[1] == e[0] + 1 && e[2] == e[0] + 2 && e[3] == e[0] + 3);
  CHECK(labelOf(plants, e[0]) == L"Amsterdam" && labelOf(plants, e[3]) == L"New York");
  int element = 0;
  CHECK(api.SetOrdinalToElement(plants, 0, &element) == 0 && lastCode() == 9);
  CHECK(api.SetOrdinalToElement(plants, 5, &element) == 0 && lastCode() == 9);

  // Subsets use their root's numbers, in ascending order.
  int coastal = handle(L"CoastalPlants");
  std::vector<int> c = elementsOf(coastal);
  CHECK(c.size() == 2 && c[0] == e[0] && c[1] == e[3]);
  CHECK(labelOf(coastal, e[1]) == L"<refused>" && lastCode() == 8);

  // Root label sets have separate number blocks.
  int markets = handle(L"Markets");
  std::vector<int> m = elementsOf(markets);
  CHECK(m.size() == 4 && m[0] > e[3] && (m[0] - e[0]) % (1 << 20) == 0);

  int years = handle(L"Years");
  std::vector<int> y = elementsOf(years);
  CHECK(y.size() == 4 && y[0] == 2024 + kOffset && y[3] == 2027 + kOffset);
  CHECK(labelOf(years, y[0]) == L"2024");
  int integers = handle(L"Integers");
  CHECK(elementsOf(integers) == y);

  // Adding: to the set and its root; an existing label keeps its number.
  std::wstring label = L"Dublin";
  CHECK(api.SetAddElement(coastal, &label[0], &element) != 0 && element == e[3] + 1);
  CHECK(elementsOf(plants).size() == 5 && elementsOf(coastal).size() == 3);
  int same = 0;
  CHECK(api.SetAddElement(plants, &label[0], &same) != 0 && same == element);
  std::wstring berlin = L"Berlin";
  CHECK(api.SetAddElement(coastal, &berlin[0], &same) != 0 && same == e[1]);
  CHECK(elementsOf(coastal).size() == 4 && elementsOf(plants).size() == 5);
  std::wstring year = L"2030";
  CHECK(api.SetAddElement(years, &year[0], &element) != 0 && element == 2030 + kOffset);
  CHECK(elementsOf(integers).size() == 5);
  std::wstring negative = L"-7";
  CHECK(api.SetAddElement(integers, &negative[0], &element) != 0 && element == kOffset - 7);
  CHECK(labelOf(integers, element) == L"-7" && elementsOf(integers)[0] == element);
  for (const wchar_t* text : {L"abc", L"12x", L"", L"99999999999"}) {
    std::wstring copy = text;
    CHECK(api.SetAddElement(years, &copy[0], &element) == 0 && lastCode() == 11);
  }
  std::wstring empty = L"";
  CHECK(api.SetAddElement(plants, &empty[0], &element) == 0 && lastCode() == 11);
  CHECK(api.SetAddElement(handle(L"Cost"), &label[0], &element) == 0 && lastCode() == 7);

  // Label reads never write past Length, the zero included.
  wchar_t buffer[8];
  for (int length : {1, 4, 8}) {
    std::wmemset(buffer, L'#', 8);
    tagTavikStringW record{length, buffer};
    CHECK(api.SetElementToNameW(plants, e[0], &record) != 0);
    CHECK(std::wstring(buffer) == std::wstring(L"Amsterdam").substr(0, length - 1));
    CHECK(length == 8 || buffer[length] == L'#');
    CHECK(record.Length == length);
  }
  tagTavikStringW zero{0, buffer};
  CHECK(api.SetElementToNameW(plants, e[0], &zero) == 0 && lastCode() == 10);
  tagTavikStringW null{10, nullptr};
  CHECK(api.SetElementToNameW(plants, e[0], &null) == 0 && lastCode() == 10);
  CHECK(api.SetOrdinalToElement(handle(L"p"), 1, &element) == 0 && lastCode() == 7);
  closeProject(project);
}

}  // namespace Engine
