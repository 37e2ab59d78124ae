// Identifiers: look-up by scoped name, types, storage, dimensions, domains
// and the handles they hand out.
#include <cstdio>

#include "Engine.h"

namespace Engine {

void identifiers() {
  int project = openTransport();
  int a = handle(L"Cost"), b = handle(L"Cost");
  CHECK(a > 0 && b > 0 && a != b);
  CHECK(nameOf(handle(L"Stock")) == L"Plant::Area::Stock");
  CHECK(nameOf(handle(L"Area::Stock")) == L"Plant::Area::Stock");
  CHECK(nameOf(handle(L"Plant::Area::Stock")) == L"Plant::Area::Stock");
  std::wstring unknown = L"Nothing";
  int h = 0;
  CHECK(api.IdentifierHandleCreateW(&unknown[0], nullptr, nullptr, 0, &h) == 0 && lastCode() == 5);
  CHECK(lastText() == L"unknown identifier 'Nothing'");
  std::wstring partial = L"ea::Stock";
  CHECK(api.IdentifierHandleCreateW(&partial[0], nullptr, nullptr, 0, &h) == 0 && lastCode() == 5);

  struct Expect { const wchar_t* name; int type; int storage; int dim; };
  const Expect table[] = {
      {L"Plants", 1, 5, 0},          {L"Integers", 1, 5, 0},
      {L"Years", 2, 5, 1},           {L"CoastalPlants", 2, 5, 1},
      {L"p", 60, 5, 1},              {L"Cost", 30, 1, 2},
      {L"Capacity", 30, 2, 1},       {L"Demand", 30, 1, 2},
      {L"PreferredPlant", 31, 5, 1}, {L"PlantManager", 32, 4, 1},
      {L"Shipment", 40, 1, 2},       {L"Discount", 30, 1, 0},
      {L"Horizon", 30, 2, 0},        {L"ModelName", 32, 4, 0},
      {L"HubPlant", 31, 5, 0},       {L"Stock", 30, 1, 1}};
  for (const Expect& e : table) {
    int id = handle(e.name);
    int storage = -1;
    CHECK(api.AttributeStorage(id, &storage) != 0);
    bool ok = typeOf(id) == e.type && storage == e.storage && dimensionOf(id) == e.dim;
    if (!ok) std::printf("  identifier %ls\n", e.name);
    CHECK(ok);
  }

  // Declaration domains hand out new handles: an index, then a set.
  int cost = handle(L"Cost");
  int domain[2] = {0, 0};
  double live = counter("live_handles");
  CHECK(api.AttributeDeclarationDomain(cost, domain) != 0);
  CHECK(counter("live_handles") == live + 2);
  CHECK(typeOf(domain[0]) == 60 && nameOf(domain[0]) == L"p");
  CHECK(nameOf(domain[1]) == L"Markets" && domain[0] != domain[1]);
  int inner = 0;
  CHECK(api.AttributeDeclarationDomain(domain[0], &inner) != 0 && nameOf(inner) == L"Plants");

  int root = 0;
  CHECK(api.AttributeRootDomain(handle(L"Years"), &root) != 0 && nameOf(root) == L"Integers");
  CHECK(api.AttributeRootDomain(handle(L"CoastalPlants"), &root) != 0 && nameOf(root) == L"Plants");
  int range = 0;
  CHECK(api.AttributeElementRange(handle(L"PreferredPlant"), &range) != 0 &&
        nameOf(range) == L"Plants");
  CHECK(api.AttributeElementRange(handle(L"HubPlant"), &range) != 0 && nameOf(range) == L"Plants");
  CHECK(api.AttributeElementRange(cost, &range) == 0 && lastCode() == 7);

  double deleted = counter("handles_deleted");
  live = counter("live_handles");
  CHECK(api.IdentifierHandleDelete(domain[0]) != 0 && api.IdentifierHandleDelete(domain[1]) != 0);
  CHECK(counter("handles_deleted") == deleted + 2 && counter("live_handles") == live - 2);
  CHECK(api.IdentifierHandleDelete(domain[0]) == 0 && lastCode() == 4);
  CHECK(api.IdentifierHandleDelete(0) == 0 && api.IdentifierHandleDelete(-3) == 0);
  closeProject(project);

  project = openText("set A = { a }\nparameter X::P(A)\nparameter Y::P(A)\n");
  std::wstring ambiguous = L"P";
  CHECK(api.IdentifierHandleCreateW(&ambiguous[0], nullptr, nullptr, 0, &h) == 0 &&
        lastCode() == 6);
  CHECK(nameOf(handle(L"Y::P")) == L"Y::P");
  closeProject(project);
}

}  // namespace Engine
