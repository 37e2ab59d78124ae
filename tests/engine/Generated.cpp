// Generated data: deterministic by seed, of the density asked, within its sets.
#include "Engine.h"

namespace Engine {

void generated() {
  const char* text =
      "set I = { i001..i300 }\nset J = { j1..j200 }\nset T subset of Integers = { -5..94 }\n"
      "parameter Full(I, J)\ngenerate Full\n"
      "parameter Half(I, J)\n"
      "parameter Half2(I, J)\nparameter Half3(I, J)\n"
      "generate Half density=0.5 seed=7\ngenerate Half2 density=0.5 seed=7\n"
      "generate Half3 density=0.5 seed=8\n"
      "parameter N(I, T) integer\ngenerate N density=0.3\n"
      "string parameter S(J)\ngenerate S\n"
      "element parameter E(I, J) in J\ngenerate E density=0.2 seed=3\n"
      "parameter Scalar\ngenerate Scalar\n";
  int project = openText(text);
  int count = 0;
  CHECK(api.ValueCard(handle(L"Full"), &count) && count == 60000);
  int i = handle(L"I");
  CHECK(labelOf(i, elementsOf(i)[0]) == L"i001" && labelOf(i, elementsOf(i)[299]) == L"i300");
  int half = handle(L"Half"), half2 = handle(L"Half2"), half3 = handle(L"Half3");
  auto h1 = readDoubles(half, 2), h2 = readDoubles(half2, 2), h3 = readDoubles(half3, 2);
  CHECK(h1 == h2 && h1 != h3);
  CHECK(h1.size() > 28000 && h1.size() < 32000);
  bool nonzero = true;
  for (auto& row : h1) nonzero = nonzero && row.second >= 1.0;
  CHECK(nonzero);
  int n = handle(L"N");
  CHECK(api.ValueCard(n, &count) && count > 8000 && count < 10000);
  int t[2];
  tagTavikValueW value;
  CHECK(api.ValueResetHandle(n) && api.ValueNextW(n, t, &value) && t[1] >= kOffset - 5 &&
        value.Int >= 1);
  int s = handle(L"S");
  wchar_t buffer[300];
  value.Length = 300;
  value.String = buffer;
  CHECK(api.ValueResetHandle(s) && api.ValueNextW(s, t, &value) && buffer[0] == L's' &&
        wcslen(buffer) > 1);
  int e = handle(L"E"), j = handle(L"J");
  std::vector<int> ej = elementsOf(j);
  bool inRange = true;
  CHECK(api.ValueResetHandle(e));
  while (api.ValueNextW(e, t, &value)) {
    inRange = inRange && value.Int >= ej.front() && value.Int <= ej.back();
  }
  CHECK(inRange);
  CHECK(retrieveDouble(handle(L"Scalar"), {}) >= 1.0);
  closeProject(project);
}

}  // namespace Engine
