// The examples of FORMAT.md, so the description stays true.
#include <cstdio>

#include "Engine.h"

namespace Engine {

void documentedFormat() {
  const char* text =
      "set Plants = { Amsterdam, Berlin, \"New York\" }      # a root set of labels\n"
      "set Markets = { m1..m4 }\n"
      "set Codes = { p001..p120 }\n"
      "set Coastal subset of Plants = { Amsterdam, \"New York\" }\n"
      "set Years subset of Integers = { 2024..2027, 2030 }\n"
      "set Integers = { -3..3 }\n"
      "set Extra type=2\n"
      "index p in Plants\n"
      "parameter Cost(p, Markets)\n"
      "parameter Capacity(Plants) integer\n"
      "parameter Code(Plants) string\n"
      "variable Shipment(Plants, Markets)\n"
      "string parameter PlantManager(Plants)\n"
      "element parameter PreferredPlant(Markets) in Plants\n"
      "element variable Route(Plants) in Markets\n"
      "parameter Discount = 0.05\n"
      "parameter X(Plants) type=40 storage=3\n"
      "data Cost = {\n  Amsterdam, m1 : 2.5\n  Berlin, m3 : 4\n}\n"
      "data Cost = { \"New York\", m2 : 1.5, Berlin, m1 : 0 }\n"
      "data PreferredPlant = { m1 : Berlin }\n"
      "data Discount = 0.07\n"
      "data Coastal = { Berlin }; data Plants = { \"quote \\\" inside\" }\n"
      "generate Cost density=0.5 seed=7\n";
  int project = openText(text);
  int codes = handle(L"Codes");
  CHECK(labelOf(codes, elementsOf(codes)[0]) == L"p001" && elementsOf(codes).size() == 120);
  CHECK(elementsOf(handle(L"Years")).size() == 5 && elementsOf(handle(L"Integers")).size() == 12);
  CHECK(typeOf(handle(L"Extra")) == 2 && typeOf(handle(L"Route")) == 70);
  int x = handle(L"X"), storage = 0;
  CHECK(typeOf(x) == 40 && api.AttributeStorage(x, &storage) && storage == 3);
  CHECK(retrieveDouble(handle(L"Discount"), {}) == 0.07);
  CHECK(elementsOf(handle(L"Coastal")).size() == 3);
  int plants = handle(L"Plants");
  CHECK(labelOf(plants, elementsOf(plants).back()) == L"quote \" inside");
  closeProject(project);
  const char* broken[] = {
      "set A = { a }\nset B subset of A = { b }\n",
      "set A = { a }\nparameter P(A) = { b : 1 }\n",
      "set A = { a }\nparameter P(A) = { a : x }\n",
      "set A = { a }\nparameter P(A) integer = { a : 1.5 }\n",
      "set A = { a }\nset A = { b }\n",
      "set Y subset of Integers = { y }\n",
      "set A = { a5..a1 }\n",
      "set A = { \"a }\n",
      "parameter P\nfrobnicate P\n",
      "set A = { a }\nelement parameter E(A) in A = { a : b }\n",
      "set A = { a }\nparameter P(A) density=0.5\n",
      "set A = { a }\nparameter P(A)\ngenerate P density=2\n",
  };
  for (const char* bad : broken) {
    std::wstring path = widen(projectFile(bad));
    int refused = 0;
    bool ok = api.ProjectOpen(&path[0], &refused) == 0 && lastCode() == 2 &&
              contains(lastText(), L":");
    if (!ok) std::printf("  accepted: %s\n", bad);
    CHECK(ok);
  }
}

}  // namespace Engine
