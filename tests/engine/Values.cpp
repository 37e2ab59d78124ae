// Values: tuple order, retrieval, sparse assignment of every kind of value,
// scalars.
#include "Engine.h"

namespace Engine {

void values() {
  int project = openTransport();
  int plants = handle(L"Plants"), markets = handle(L"Markets");
  int amsterdam = elementOf(plants, L"Amsterdam"), berlin = elementOf(plants, L"Berlin");
  int chicago = elementOf(plants, L"Chicago"), newYork = elementOf(plants, L"New York");
  int m1 = elementOf(markets, L"m1"), m2 = elementOf(markets, L"m2");
  int m3 = elementOf(markets, L"m3"), m4 = elementOf(markets, L"m4");

  int cost = handle(L"Cost");
  auto rows = readDoubles(cost, 2);
  CHECK(rows.size() == 6);  // the zero is not stored
  CHECK(rows[0].first == std::vector<int>({amsterdam, m1}) && rows[0].second == 2.5);
  CHECK(rows[5].first == std::vector<int>({newYork, m4}) && rows[5].second == 1.5);
  for (size_t i = 1; i < rows.size(); ++i) CHECK(rows[i - 1].first < rows[i].first);
  int t[2];
  tagTavikValueW value;
  CHECK(api.ValueNextW(cost, t, &value) == 0 && api.ValueNextW(cost, t, &value) == 0);
  int count = 0;
  CHECK(api.ValueCard(cost, &count) != 0 && count == 6);
  CHECK(retrieveDouble(cost, {berlin, m3}) == 4.0);
  CHECK(retrieveDouble(cost, {chicago, m2}) == 0.0);

  // Assign: new, overwrite, zero removes; order stays ascending.
  CHECK(assignDouble(cost, {chicago, m1}, 7.5));
  CHECK(assignDouble(cost, {amsterdam, m1}, 9));
  CHECK(assignDouble(cost, {berlin, m3}, 0));
  CHECK(assignDouble(cost, {amsterdam, m3}, -1));
  rows = readDoubles(cost, 2);
  CHECK(rows.size() == 7);
  for (size_t i = 1; i < rows.size(); ++i) CHECK(rows[i - 1].first < rows[i].first);
  CHECK(rows[0].second == 9 && rows[1].first == std::vector<int>({amsterdam, m2}));
  CHECK(rows[2].first == std::vector<int>({amsterdam, m3}) && rows[2].second == -1);
  CHECK(retrieveDouble(cost, {chicago, m1}) == 7.5 && retrieveDouble(cost, {berlin, m3}) == 0);
  CHECK(!assignDouble(cost, {m1, amsterdam}, 1) && lastCode() == 8);
  CHECK(!assignDouble(cost, {}, 1) && lastCode() == 10);

  // Two handles iterate independently.
  int other = handle(L"Cost");
  CHECK(api.ValueResetHandle(cost) && api.ValueResetHandle(other));
  CHECK(api.ValueNextW(cost, t, &value) && api.ValueNextW(cost, t, &value));
  CHECK(api.ValueNextW(other, t, &value) && t[0] == amsterdam && t[1] == m1);

  CHECK(api.IdentifierEmpty(cost) != 0 && api.ValueCard(cost, &count) && count == 0);
  CHECK(readDoubles(cost, 2).empty());
  CHECK(api.IdentifierEmpty(plants) == 0 && lastCode() == 7);
  CHECK(api.IdentifierEmpty(handle(L"p")) == 0 && lastCode() == 7);

  // Integer values and an integer-set dimension.
  int capacity = handle(L"Capacity");
  CHECK(api.ValueResetHandle(capacity));
  std::vector<int> seen;
  while (api.ValueNextW(capacity, t, &value)) seen.push_back(value.Int);
  CHECK(seen == std::vector<int>({500, 350, 420}));
  int demand = handle(L"Demand");
  CHECK(retrieveDouble(demand, {m1, 2025 + kOffset}) == 130);
  CHECK(!assignDouble(demand, {m1, 2031 + kOffset}, 1) && lastCode() == 8);

  // Element values must lie in the range set; element 0 removes.
  int preferred = handle(L"PreferredPlant");
  value.Int = chicago;
  CHECK(api.ValueAssignW(preferred, &m3, &value) != 0);
  value.Int = m1;
  CHECK(api.ValueAssignW(preferred, &m3, &value) == 0 && lastCode() == 8);
  value.Int = -1;
  CHECK(api.ValueRetrieveW(preferred, &m3, &value) != 0 && value.Int == chicago);
  value.Int = 0;
  CHECK(api.ValueAssignW(preferred, &m1, &value) != 0 && api.ValueCard(preferred, &count) &&
        count == 3);

  // Strings: a write takes Length characters, a read cuts at Length.
  int manager = handle(L"PlantManager");
  CHECK(retrieveText(manager, &amsterdam) == L"A. de Vries");
  CHECK(retrieveText(manager, &amsterdam, 5) == L"A. d");
  CHECK(retrieveText(manager, &chicago) == L"");
  CHECK(assignText(manager, &chicago, L"Dana Smith and more", 10));
  CHECK(retrieveText(manager, &chicago) == L"Dana Smith");
  CHECK(assignText(manager, &chicago, L"", 0) && api.ValueCard(manager, &count) && count == 3);
  CHECK(!assignText(manager, &chicago, L"x", -1) && lastCode() == 10);
  CHECK(!assignText(manager, &chicago, nullptr, 3) && lastCode() == 10);
  CHECK(retrieveText(manager, &amsterdam, 0) == L"<refused>" && lastCode() == 10);
  CHECK(api.ValueResetHandle(manager));
  std::wstring first;
  wchar_t buffer[300];
  value.Length = 300;
  value.String = buffer;
  CHECK(api.ValueNextW(manager, t, &value) && std::wstring(buffer) == L"A. de Vries");
  CHECK(value.Length == 300);

  // Scalars: null tuple, a missing value reads as a default.
  int discount = handle(L"Discount");
  CHECK(retrieveDouble(discount, {}) == 0.05);
  CHECK(api.ValueResetHandle(discount) && api.ValueNextW(discount, nullptr, &value) &&
        value.Double == 0.05);
  CHECK(api.ValueNextW(discount, nullptr, &value) == 0);
  CHECK(assignDouble(discount, {}, 0) && retrieveDouble(discount, {}) == 0);
  CHECK(api.ValueCard(discount, &count) && count == 0);
  int modelName = handle(L"ModelName");
  CHECK(retrieveText(modelName, nullptr) == L"Transport");
  CHECK(assignText(modelName, nullptr, L"Other", 5) &&
        retrieveText(modelName, nullptr) == L"Other");
  int hub = handle(L"HubPlant");
  CHECK(api.ValueRetrieveW(hub, nullptr, &value) && value.Int == berlin);
  int start = handle(L"StartYear");
  CHECK(api.ValueRetrieveW(start, nullptr, &value) && value.Int == 2024 + kOffset);
  int horizon = handle(L"Horizon");
  value.Int = 12;
  CHECK(api.ValueAssignW(horizon, nullptr, &value) &&
        api.ValueRetrieveW(horizon, nullptr, &value) && value.Int == 12);
  CHECK(api.ValueResetHandle(plants) == 0 && lastCode() == 7);
  closeProject(project);
}

}  // namespace Engine
