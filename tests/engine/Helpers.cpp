// The calls the sections make over and over.
#include "Engine.h"

namespace Engine {

std::wstring widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

std::string projectFile(const std::string& content) {
  return Driver::scratchFile("project.tvp", content);
}

int openText(const std::string& content) {
  std::wstring path = widen(projectFile(content));
  int project = 0;
  int ok = api.ProjectOpen(&path[0], &project);
  CHECK(ok != 0 && project != 0);
  return project;
}

int openTransport() {
  std::wstring path = widen(projectsDir + "/transport.tvp");
  int project = 0;
  CHECK(api.ProjectOpen(&path[0], &project) != 0 && project != 0);
  return project;
}

void closeProject(int project) { CHECK(api.ProjectClose(project, 0) != 0); }

int lastCode() {
  int code = -1;
  wchar_t text[512];
  return api.APILastError(&code, text) ? code : 0;
}

std::wstring lastText() {
  int code = 0;
  wchar_t text[512];
  return api.APILastError(&code, text) ? std::wstring(text) : std::wstring();
}

bool contains(const std::wstring& text, const wchar_t* part) {
  return text.find(part) != std::wstring::npos;
}

int handle(const wchar_t* name) {
  std::wstring copy = name;
  int h = 0;
  CHECK(api.IdentifierHandleCreateW(&copy[0], nullptr, nullptr, 0, &h) != 0 && h > 0);
  return h;
}

std::wstring nameOf(int h) {
  wchar_t buffer[256];
  tagTavikStringW record{256, buffer};
  if (!api.AttributeNameW(h, &record)) return L"<refused>";
  return buffer;
}

int typeOf(int h) {
  int t = -1;
  api.AttributeType(h, &t);
  return t;
}

int dimensionOf(int h) {
  int full = -1, sliced = -2;
  CHECK(api.AttributeDimension(h, &full, &sliced) != 0 && full == sliced);
  return full;
}

std::vector<int> elementsOf(int set) {
  int card = -1;
  CHECK(api.ValueCard(set, &card) != 0);
  std::vector<int> result;
  for (int k = 1; k <= card; ++k) {
    int e = 0;
    CHECK(api.SetOrdinalToElement(set, k, &e) != 0);
    result.push_back(e);
  }
  return result;
}

std::wstring labelOf(int set, int element) {
  wchar_t buffer[300];
  tagTavikStringW record{300, buffer};
  if (!api.SetElementToNameW(set, element, &record)) return L"<refused>";
  return buffer;
}

int elementOf(int set, const wchar_t* label) {
  for (int e : elementsOf(set)) {
    if (labelOf(set, e) == label) return e;
  }
  return 0;
}

std::vector<std::pair<std::vector<int>, double>> readDoubles(int h, int dim) {
  std::vector<std::pair<std::vector<int>, double>> rows;
  CHECK(api.ValueResetHandle(h) != 0);
  std::vector<int> tuple(dim + 1);
  tagTavikValueW value;
  while (api.ValueNextW(h, tuple.data(), &value)) {
    rows.emplace_back(std::vector<int>(tuple.begin(), tuple.begin() + dim), value.Double);
  }
  return rows;
}

double retrieveDouble(int h, std::vector<int> tuple) {
  tagTavikValueW value;
  value.Double = -1;
  CHECK(api.ValueRetrieveW(h, tuple.empty() ? nullptr : tuple.data(), &value) != 0);
  return value.Double;
}

bool assignDouble(int h, std::vector<int> tuple, double x) {
  tagTavikValueW value;
  value.Double = x;
  return api.ValueAssignW(h, tuple.empty() ? nullptr : tuple.data(), &value) != 0;
}

std::wstring retrieveText(int h, int* tuple, int capacity) {
  std::vector<wchar_t> buffer(300, L'?');
  tagTavikValueW value;
  value.Length = capacity;
  value.String = buffer.data();
  if (!api.ValueRetrieveW(h, tuple, &value)) return L"<refused>";
  return buffer.data();
}

bool assignText(int h, int* tuple, const wchar_t* text, int length) {
  tagTavikValueW value;
  value.Length = length;
  value.String = const_cast<wchar_t*>(text);
  return api.ValueAssignW(h, tuple, &value) != 0;
}

}  // namespace Engine
