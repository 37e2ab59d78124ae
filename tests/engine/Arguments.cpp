// Bad arguments are refused with an error, never a crash.
#include <cstdio>
#include <functional>

#include "Engine.h"

namespace Engine {

void badArguments() {
  tagTavikValueW value;
  wchar_t buffer[512];
  tagTavikStringW record{256, buffer};
  int out = 0, out2 = 0;
  std::wstring name = L"Cost";
  char narrow[] = "x";
  // Without a project, every call is refused with "no project open".
  CHECK(api.SetOrdinalToElement(1, 1, &out) == 0 && lastCode() == 1);
  int project = openTransport();
  int cost = handle(L"Cost"), plants = handle(L"Plants");
  const std::vector<std::pair<const char*, std::function<int()>>> calls = {
      {"name null", [&] { return api.AttributeNameW(cost, nullptr); }},
      {"name null buffer", [&] {
         tagTavikStringW r{10, nullptr}; return api.AttributeNameW(cost, &r); }},
      {"name zero length", [&] {
         tagTavikStringW r{0, buffer}; return api.AttributeNameW(cost, &r); }},
      {"name negative length", [&] {
         tagTavikStringW r{-5, buffer}; return api.AttributeNameW(cost, &r); }},
      {"name bad handle", [&] { return api.AttributeNameW(987654, &record); }},
      {"type null", [&] { return api.AttributeType(cost, nullptr); }},
      {"type bad handle", [&] { return api.AttributeType(-1, &out); }},
      {"storage null", [&] { return api.AttributeStorage(cost, nullptr); }},
      {"dimension null", [&] { return api.AttributeDimension(cost, &out, nullptr); }},
      {"dimension bad handle", [&] { return api.AttributeDimension(0, &out, &out2); }},
      {"domain null", [&] { return api.AttributeDeclarationDomain(cost, nullptr); }},
      {"root null", [&] { return api.AttributeRootDomain(handle(L"Years"), nullptr); }},
      {"range null", [&] { return api.AttributeElementRange(handle(L"PreferredPlant"), nullptr); }},
      {"card null", [&] { return api.ValueCard(plants, nullptr); }},
      {"card bad handle", [&] { return api.ValueCard(123456, &out); }},
      {"card index", [&] { return api.ValueCard(handle(L"p"), &out); }},
      {"ordinal null", [&] { return api.SetOrdinalToElement(plants, 1, nullptr); }},
      {"element name null", [&] { return api.SetElementToNameW(plants, 1, nullptr); }},
      {"element not in set", [&] { return api.SetElementToNameW(plants, 1, &record); }},
      {"add null label", [&] { return api.SetAddElement(plants, nullptr, &out); }},
      {"add null out", [&] { return api.SetAddElement(plants, &name[0], nullptr); }},
      {"create null name", [&] {
         return api.IdentifierHandleCreateW(nullptr, nullptr, nullptr, 0, &out); }},
      {"create null out", [&] {
         return api.IdentifierHandleCreateW(&name[0], nullptr, nullptr, 0, nullptr); }},
      {"create with domain", [&] {
         return api.IdentifierHandleCreateW(&name[0], &out, nullptr, 0, &out2); }},
      {"reset bad handle", [&] { return api.ValueResetHandle(55555); }},
      {"next null value", [&] { int t[2]; return api.ValueNextW(cost, t, nullptr); }},
      {"next null tuple", [&] {
         api.ValueResetHandle(cost); return api.ValueNextW(cost, nullptr, &value); }},
      {"retrieve null tuple", [&] { return api.ValueRetrieveW(cost, nullptr, &value); }},
      {"retrieve null value", [&] {
         int t[2] = {0, 0}; return api.ValueRetrieveW(cost, t, nullptr); }},
      {"retrieve bad tuple", [&] {
         int t[2] = {0, 0}; return api.ValueRetrieveW(cost, t, &value); }},
      {"assign null value", [&] { int t[2] = {0, 0}; return api.ValueAssignW(cost, t, nullptr); }},
      {"assign set", [&] {
         int t[1] = {1}; value.Int = 1; return api.ValueAssignW(plants, t, &value); }},
      {"empty bad handle", [&] { return api.IdentifierEmpty(-7); }},
      {"delete bad handle", [&] { return api.IdentifierHandleDelete(2000000000); }},
      {"close bad handle", [&] { return api.ProjectClose(-1, 0); }},
      {"open null path", [&] { return api.ProjectOpen(nullptr, &out); }},
      {"procedure", [&] { return api.ProcedureHandleCreateA(narrow, &out, &out, &out); }},
      {"procedure argument", [&] { return api.ProcedureArgumentHandleCreate(1, 1, &out); }},
      {"retrieve narrow", [&] { return api.ValueRetrieve(cost, nullptr, nullptr); }},
      {"next multi", [&] { return api.ValueNextMultiW(cost, &out, &out, &value); }},
      {"assign narrow", [&] { return api.ValueAssignA(cost, nullptr, nullptr); }},
  };
  for (const auto& call : calls) {
    bool refused = call.second() == 0 && lastCode() > 0 && !lastText().empty();
    if (!refused) std::printf("  not refused: %s\n", call.first);
    CHECK(refused);
  }
  CHECK(api.ValueAssignA(cost, nullptr, nullptr) == 0 && lastText() == L"not supported");
  CHECK(api.APILastError(nullptr, buffer) == 0 && api.APILastError(&out, nullptr) == 0);
  // Error texts are cut to the 512-character buffer.
  std::wstring longName(2000, L'x');
  CHECK(api.IdentifierHandleCreateW(&longName[0], nullptr, nullptr, 0, &out) == 0);
  std::wmemset(buffer, L'#', 512);
  CHECK(api.APILastError(&out, buffer) != 0 && wcslen(buffer) == 511);
  closeProject(project);
}

}  // namespace Engine
