// Drives the simulated engine through its exported entry points, as the
// package does: dlopen, look-up by name, calls through the contract's
// function types. Usage: driver <libtavik3.dll> <section>|all
// Prints "FAIL file:line: condition" per failed check and a closing line
// "checks N failures M"; the exit status is 1 when a check failed.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/TavikContract.h"

namespace {

int checks = 0;
int failures = 0;

void check(bool ok, const char* what, int line) {
  ++checks;
  if (!ok) {
    ++failures;
    std::printf("FAIL driver.cpp:%d: %s\n", line, what);
  }
}
#define CHECK(condition) check((condition), #condition, __LINE__)

typedef void (*SimResetFn)(int*);
typedef void (*SimFaultFn)(char**, int*, int*, char**, int*);
typedef void (*SimSwitchFn)(char**, int*, int*);
typedef void (*SimCounterFn)(char**, double*);

struct Api {
  TavikServerProjectOpenWFn open;
  TavikProjectCloseFn close;
  TavikProcedureHandleCreateAFn procedureCreate;
  TavikProcedureArgumentHandleCreateFn procedureArgument;
  TavikAttributeNameWFn name;
  TavikValueCardFn card;
  TavikAttributeDimensionFn dimension;
  TavikValueResetHandleFn reset;
  TavikValueNextWFn next;
  TavikAPILastErrorWFn lastError;
  TavikIdentifierHandleCreateWFn create;
  TavikAttributeDeclarationDomainFn declarationDomain;
  TavikSetOrdinalToElementFn ordinalToElement;
  TavikSetElementToNameWFn elementToName;
  TavikAttributeRootDomainFn rootDomain;
  TavikAttributeStorageFn storage;
  TavikAttributeTypeFn type;
  TavikIdentifierHandleDeleteFn remove;
  TavikAttributeElementRangeFn elementRange;
  TavikValueRetrieveWFn retrieve;
  TavikValueRetrieveFn retrieveA;
  TavikValueNextMultiWFn nextMulti;
  TavikValueAssignWFn assign;
  TavikValueAssignAFn assignA;
  TavikIdentifierEmptyFn empty;
  TavikSetAddElementRecursiveWFn addElement;
  SimResetFn simReset;
  SimFaultFn simFault;
  SimSwitchFn simSwitch;
  SimCounterFn simCounter;
  SimCounterFn simCalls;
};

Api api;
void* library = nullptr;
const int kOffset = TAVIK_INTEGER_ELEMENT_OFFSET;

template <typename T>
void bind(T& target, const char* name) {
  target = reinterpret_cast<T>(dlsym(library, name));
  if (target == nullptr) {
    std::printf("FAIL missing export %s\n", name);
    std::exit(2);
  }
}

void bindAll() {
  bind(api.open, "TavikServerProjectOpenW");
  bind(api.close, "TavikProjectClose");
  bind(api.procedureCreate, "TavikProcedureHandleCreateA");
  bind(api.procedureArgument, "TavikProcedureArgumentHandleCreate");
  bind(api.name, "TavikAttributeNameW");
  bind(api.card, "TavikValueCard");
  bind(api.dimension, "TavikAttributeDimension");
  bind(api.reset, "TavikValueResetHandle");
  bind(api.next, "TavikValueNextW");
  bind(api.lastError, "TavikAPILastErrorW");
  bind(api.create, "TavikIdentifierHandleCreateW");
  bind(api.declarationDomain, "TavikAttributeDeclarationDomain");
  bind(api.ordinalToElement, "TavikSetOrdinalToElement");
  bind(api.elementToName, "TavikSetElementToNameW");
  bind(api.rootDomain, "TavikAttributeRootDomain");
  bind(api.storage, "TavikAttributeStorage");
  bind(api.type, "TavikAttributeType");
  bind(api.remove, "TavikIdentifierHandleDelete");
  bind(api.elementRange, "TavikAttributeElementRange");
  bind(api.retrieve, "TavikValueRetrieveW");
  bind(api.retrieveA, "TavikValueRetrieve");
  bind(api.nextMulti, "TavikValueNextMultiW");
  bind(api.assign, "TavikValueAssignW");
  bind(api.assignA, "TavikValueAssignA");
  bind(api.empty, "TavikIdentifierEmpty");
  bind(api.addElement, "TavikSetAddElementRecursiveW");
  bind(api.simReset, "TavikSimReset");
  bind(api.simFault, "TavikSimFault");
  bind(api.simSwitch, "TavikSimSwitch");
  bind(api.simCounter, "TavikSimCounter");
  bind(api.simCalls, "TavikSimCalls");
}

// ---- small helpers ---------------------------------------------------------

std::wstring widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

std::string tempFile(const std::string& content) {
  char path[] = "/tmp/tavik-driver-XXXXXX";
  int fd = mkstemp(path);
  if (fd < 0) std::exit(3);
  if (write(fd, content.data(), content.size()) != (ssize_t)content.size()) std::exit(3);
  close(fd);
  return path;
}

int openText(const std::string& content) {
  std::wstring path = widen(tempFile(content));
  int project = 0;
  int ok = api.open(&path[0], &project);
  CHECK(ok != 0 && project != 0);
  return project;
}

std::string projectsDir;

int openTransport() {
  std::wstring path = widen(projectsDir + "/transport.tvp");
  int project = 0;
  CHECK(api.open(&path[0], &project) != 0 && project != 0);
  return project;
}

void closeProject(int project) { CHECK(api.close(project, 0) != 0); }

int lastCode() {
  int code = -1;
  wchar_t text[512];
  return api.lastError(&code, text) ? code : 0;
}

std::wstring lastText() {
  int code = 0;
  wchar_t text[512];
  return api.lastError(&code, text) ? std::wstring(text) : std::wstring();
}

bool contains(const std::wstring& text, const wchar_t* part) {
  return text.find(part) != std::wstring::npos;
}

int handle(const wchar_t* name) {
  std::wstring copy = name;
  int h = 0;
  CHECK(api.create(&copy[0], nullptr, nullptr, 0, &h) != 0 && h > 0);
  return h;
}

std::wstring nameOf(int h) {
  wchar_t buffer[256];
  tagTavikStringW record{256, buffer};
  if (!api.name(h, &record)) return L"<refused>";
  return buffer;
}

int typeOf(int h) {
  int t = -1;
  api.type(h, &t);
  return t;
}

int dimensionOf(int h) {
  int full = -1, sliced = -2;
  CHECK(api.dimension(h, &full, &sliced) != 0 && full == sliced);
  return full;
}

std::vector<int> elementsOf(int set) {
  int card = -1;
  CHECK(api.card(set, &card) != 0);
  std::vector<int> result;
  for (int k = 1; k <= card; ++k) {
    int e = 0;
    CHECK(api.ordinalToElement(set, k, &e) != 0);
    result.push_back(e);
  }
  return result;
}

std::wstring labelOf(int set, int element) {
  wchar_t buffer[300];
  tagTavikStringW record{300, buffer};
  if (!api.elementToName(set, element, &record)) return L"<refused>";
  return buffer;
}

int elementOf(int set, const wchar_t* label) {
  for (int e : elementsOf(set)) {
    if (labelOf(set, e) == label) return e;
  }
  return 0;
}

double counter(const char* name) {
  char* key = const_cast<char*>(name);
  double value = -2;
  api.simCounter(&key, &value);
  return value;
}

double calls(const char* entry) {
  char* key = const_cast<char*>(entry);
  double value = -2;
  api.simCalls(&key, &value);
  return value;
}

bool setSwitch(const char* name, bool on) {
  char* key = const_cast<char*>(name);
  int flag = on ? 1 : 0, ok = 0;
  api.simSwitch(&key, &flag, &ok);
  return ok == 1;
}

bool fault(const char* entry, int nth, int code, const char* text) {
  char* key = const_cast<char*>(entry);
  char* message = const_cast<char*>(text);
  int ok = 0;
  api.simFault(&key, &nth, &code, &message, &ok);
  return ok == 1;
}

void resetSim() {
  int done = 0;
  api.simReset(&done);
}

// All (tuple, double) pairs of a double identifier in delivery order.
std::vector<std::pair<std::vector<int>, double>> readDoubles(int h, int dim) {
  std::vector<std::pair<std::vector<int>, double>> rows;
  CHECK(api.reset(h) != 0);
  std::vector<int> tuple(dim + 1);
  tagTavikValueW value;
  while (api.next(h, tuple.data(), &value)) {
    rows.emplace_back(std::vector<int>(tuple.begin(), tuple.begin() + dim), value.Double);
  }
  return rows;
}

double retrieveDouble(int h, std::vector<int> tuple) {
  tagTavikValueW value;
  value.Double = -1;
  CHECK(api.retrieve(h, tuple.empty() ? nullptr : tuple.data(), &value) != 0);
  return value.Double;
}

bool assignDouble(int h, std::vector<int> tuple, double x) {
  tagTavikValueW value;
  value.Double = x;
  return api.assign(h, tuple.empty() ? nullptr : tuple.data(), &value) != 0;
}

std::wstring retrieveText(int h, int* tuple, int capacity = 300) {
  std::vector<wchar_t> buffer(300, L'?');
  tagTavikValueW value;
  value.Length = capacity;
  value.String = buffer.data();
  if (!api.retrieve(h, tuple, &value)) return L"<refused>";
  return buffer.data();
}

bool assignText(int h, int* tuple, const wchar_t* text, int length) {
  tagTavikValueW value;
  value.Length = length;
  value.String = const_cast<wchar_t*>(text);
  return api.assign(h, tuple, &value) != 0;
}

// ---- sections --------------------------------------------------------------

void projectLifecycle() {
  int h = 0;
  std::wstring name = L"Cost";
  CHECK(api.create(&name[0], nullptr, nullptr, 0, &h) == 0);
  CHECK(lastCode() == 1 && lastText() == L"no project open");
  CHECK(api.close(1, 0) == 0);

  std::wstring missing = L"/no/such/project.tvp";
  int project = 0;
  CHECK(api.open(&missing[0], &project) == 0 && project == 0);
  CHECK(lastCode() == 2 && contains(lastText(), L"/no/such/project.tvp"));

  std::wstring bad = widen(tempFile("set A = { a, b }\nparameter P(A, Nowhere)\n"));
  CHECK(api.open(&bad[0], &project) == 0);
  CHECK(lastCode() == 2 && contains(lastText(), L":2: unknown identifier 'Nowhere'"));

  double opened = counter("projects_opened");
  project = openTransport();
  CHECK(counter("projects_opened") == opened + 1);
  CHECK(lastCode() == 0);  // an open starts without an error
  int second = 0;
  std::wstring path = widen(projectsDir + "/transport.tvp");
  CHECK(api.open(&path[0], &second) == 0 && lastCode() == 3);

  int cost = handle(L"Cost");
  CHECK(api.close(project + 1, 0) == 0 && lastCode() == 4);
  double closed = counter("projects_closed");
  closeProject(project);
  CHECK(counter("projects_closed") == closed + 1);
  CHECK(api.remove(cost) == 0 && lastCode() == 1);

  // Handles are fresh after reopening; the old one stays invalid.
  project = openTransport();
  int again = handle(L"Cost");
  CHECK(again > cost);
  CHECK(api.remove(cost) == 0 && lastCode() == 4);
  CHECK(counter("live_handles") == 1);
  closeProject(project);
  CHECK(counter("live_handles") == 0);
}

void identifiers() {
  int project = openTransport();
  int a = handle(L"Cost"), b = handle(L"Cost");
  CHECK(a > 0 && b > 0 && a != b);
  CHECK(nameOf(handle(L"Stock")) == L"Plant::Area::Stock");
  CHECK(nameOf(handle(L"Area::Stock")) == L"Plant::Area::Stock");
  CHECK(nameOf(handle(L"Plant::Area::Stock")) == L"Plant::Area::Stock");
  std::wstring unknown = L"Nothing";
  int h = 0;
  CHECK(api.create(&unknown[0], nullptr, nullptr, 0, &h) == 0 && lastCode() == 5);
  CHECK(lastText() == L"unknown identifier 'Nothing'");
  std::wstring partial = L"ea::Stock";
  CHECK(api.create(&partial[0], nullptr, nullptr, 0, &h) == 0 && lastCode() == 5);

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
    CHECK(api.storage(id, &storage) != 0);
    bool ok = typeOf(id) == e.type && storage == e.storage && dimensionOf(id) == e.dim;
    if (!ok) std::printf("  identifier %ls\n", e.name);
    CHECK(ok);
  }

  // Declaration domains hand out new handles: an index, then a set.
  int cost = handle(L"Cost");
  int domain[2] = {0, 0};
  double live = counter("live_handles");
  CHECK(api.declarationDomain(cost, domain) != 0);
  CHECK(counter("live_handles") == live + 2);
  CHECK(typeOf(domain[0]) == 60 && nameOf(domain[0]) == L"p");
  CHECK(nameOf(domain[1]) == L"Markets" && domain[0] != domain[1]);
  int inner = 0;
  CHECK(api.declarationDomain(domain[0], &inner) != 0 && nameOf(inner) == L"Plants");

  int root = 0;
  CHECK(api.rootDomain(handle(L"Years"), &root) != 0 && nameOf(root) == L"Integers");
  CHECK(api.rootDomain(handle(L"CoastalPlants"), &root) != 0 && nameOf(root) == L"Plants");
  int range = 0;
  CHECK(api.elementRange(handle(L"PreferredPlant"), &range) != 0 && nameOf(range) == L"Plants");
  CHECK(api.elementRange(handle(L"HubPlant"), &range) != 0 && nameOf(range) == L"Plants");
  CHECK(api.elementRange(cost, &range) == 0 && lastCode() == 7);

  double deleted = counter("handles_deleted");
  live = counter("live_handles");
  CHECK(api.remove(domain[0]) != 0 && api.remove(domain[1]) != 0);
  CHECK(counter("handles_deleted") == deleted + 2 && counter("live_handles") == live - 2);
  CHECK(api.remove(domain[0]) == 0 && lastCode() == 4);
  CHECK(api.remove(0) == 0 && api.remove(-3) == 0);
  closeProject(project);

  project = openText("set A = { a }\nparameter X::P(A)\nparameter Y::P(A)\n");
  std::wstring ambiguous = L"P";
  CHECK(api.create(&ambiguous[0], nullptr, nullptr, 0, &h) == 0 && lastCode() == 6);
  CHECK(nameOf(handle(L"Y::P")) == L"Y::P");
  closeProject(project);
}

void sets() {
  int project = openTransport();
  int plants = handle(L"Plants");
  std::vector<int> e = elementsOf(plants);
  CHECK(e.size() == 4);
  CHECK(e[1] == e[0] + 1 && e[2] == e[0] + 2 && e[3] == e[0] + 3);
  CHECK(labelOf(plants, e[0]) == L"Amsterdam" && labelOf(plants, e[3]) == L"New York");
  int element = 0;
  CHECK(api.ordinalToElement(plants, 0, &element) == 0 && lastCode() == 9);
  CHECK(api.ordinalToElement(plants, 5, &element) == 0 && lastCode() == 9);

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
  CHECK(api.addElement(coastal, &label[0], &element) != 0 && element == e[3] + 1);
  CHECK(elementsOf(plants).size() == 5 && elementsOf(coastal).size() == 3);
  int same = 0;
  CHECK(api.addElement(plants, &label[0], &same) != 0 && same == element);
  std::wstring berlin = L"Berlin";
  CHECK(api.addElement(coastal, &berlin[0], &same) != 0 && same == e[1]);
  CHECK(elementsOf(coastal).size() == 4 && elementsOf(plants).size() == 5);
  std::wstring year = L"2030";
  CHECK(api.addElement(years, &year[0], &element) != 0 && element == 2030 + kOffset);
  CHECK(elementsOf(integers).size() == 5);
  std::wstring negative = L"-7";
  CHECK(api.addElement(integers, &negative[0], &element) != 0 && element == kOffset - 7);
  CHECK(labelOf(integers, element) == L"-7" && elementsOf(integers)[0] == element);
  for (const wchar_t* text : {L"abc", L"12x", L"", L"99999999999"}) {
    std::wstring copy = text;
    CHECK(api.addElement(years, &copy[0], &element) == 0 && lastCode() == 11);
  }
  std::wstring empty = L"";
  CHECK(api.addElement(plants, &empty[0], &element) == 0 && lastCode() == 11);
  CHECK(api.addElement(handle(L"Cost"), &label[0], &element) == 0 && lastCode() == 7);

  // Label reads never write past Length, the zero included.
  wchar_t buffer[8];
  for (int length : {1, 4, 8}) {
    std::wmemset(buffer, L'#', 8);
    tagTavikStringW record{length, buffer};
    CHECK(api.elementToName(plants, e[0], &record) != 0);
    CHECK(std::wstring(buffer) == std::wstring(L"Amsterdam").substr(0, length - 1));
    CHECK(length == 8 || buffer[length] == L'#');
    CHECK(record.Length == length);
  }
  tagTavikStringW zero{0, buffer};
  CHECK(api.elementToName(plants, e[0], &zero) == 0 && lastCode() == 10);
  tagTavikStringW null{10, nullptr};
  CHECK(api.elementToName(plants, e[0], &null) == 0 && lastCode() == 10);
  CHECK(api.ordinalToElement(handle(L"p"), 1, &element) == 0 && lastCode() == 7);
  closeProject(project);
}

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
  CHECK(api.next(cost, t, &value) == 0 && api.next(cost, t, &value) == 0);
  int count = 0;
  CHECK(api.card(cost, &count) != 0 && count == 6);
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
  CHECK(api.reset(cost) && api.reset(other));
  CHECK(api.next(cost, t, &value) && api.next(cost, t, &value));
  CHECK(api.next(other, t, &value) && t[0] == amsterdam && t[1] == m1);

  CHECK(api.empty(cost) != 0 && api.card(cost, &count) && count == 0);
  CHECK(readDoubles(cost, 2).empty());
  CHECK(api.empty(plants) == 0 && lastCode() == 7);
  CHECK(api.empty(handle(L"p")) == 0 && lastCode() == 7);

  // Integer values and an integer-set dimension.
  int capacity = handle(L"Capacity");
  CHECK(api.reset(capacity));
  std::vector<int> seen;
  while (api.next(capacity, t, &value)) seen.push_back(value.Int);
  CHECK(seen == std::vector<int>({500, 350, 420}));
  int demand = handle(L"Demand");
  CHECK(retrieveDouble(demand, {m1, 2025 + kOffset}) == 130);
  CHECK(!assignDouble(demand, {m1, 2031 + kOffset}, 1) && lastCode() == 8);

  // Element values must lie in the range set; element 0 removes.
  int preferred = handle(L"PreferredPlant");
  value.Int = chicago;
  CHECK(api.assign(preferred, &m3, &value) != 0);
  value.Int = m1;
  CHECK(api.assign(preferred, &m3, &value) == 0 && lastCode() == 8);
  value.Int = -1;
  CHECK(api.retrieve(preferred, &m3, &value) != 0 && value.Int == chicago);
  value.Int = 0;
  CHECK(api.assign(preferred, &m1, &value) != 0 && api.card(preferred, &count) && count == 3);

  // Strings: a write takes Length characters, a read cuts at Length.
  int manager = handle(L"PlantManager");
  CHECK(retrieveText(manager, &amsterdam) == L"A. de Vries");
  CHECK(retrieveText(manager, &amsterdam, 5) == L"A. d");
  CHECK(retrieveText(manager, &chicago) == L"");
  CHECK(assignText(manager, &chicago, L"Dana Smith and more", 10));
  CHECK(retrieveText(manager, &chicago) == L"Dana Smith");
  CHECK(assignText(manager, &chicago, L"", 0) && api.card(manager, &count) && count == 3);
  CHECK(!assignText(manager, &chicago, L"x", -1) && lastCode() == 10);
  CHECK(!assignText(manager, &chicago, nullptr, 3) && lastCode() == 10);
  CHECK(retrieveText(manager, &amsterdam, 0) == L"<refused>" && lastCode() == 10);
  CHECK(api.reset(manager));
  std::wstring first;
  wchar_t buffer[300];
  value.Length = 300;
  value.String = buffer;
  CHECK(api.next(manager, t, &value) && std::wstring(buffer) == L"A. de Vries");
  CHECK(value.Length == 300);

  // Scalars: null tuple, a missing value reads as a default.
  int discount = handle(L"Discount");
  CHECK(retrieveDouble(discount, {}) == 0.05);
  CHECK(api.reset(discount) && api.next(discount, nullptr, &value) && value.Double == 0.05);
  CHECK(api.next(discount, nullptr, &value) == 0);
  CHECK(assignDouble(discount, {}, 0) && retrieveDouble(discount, {}) == 0);
  CHECK(api.card(discount, &count) && count == 0);
  int modelName = handle(L"ModelName");
  CHECK(retrieveText(modelName, nullptr) == L"Transport");
  CHECK(assignText(modelName, nullptr, L"Other", 5) && retrieveText(modelName, nullptr) == L"Other");
  int hub = handle(L"HubPlant");
  CHECK(api.retrieve(hub, nullptr, &value) && value.Int == berlin);
  int start = handle(L"StartYear");
  CHECK(api.retrieve(start, nullptr, &value) && value.Int == 2024 + kOffset);
  int horizon = handle(L"Horizon");
  value.Int = 12;
  CHECK(api.assign(horizon, nullptr, &value) && api.retrieve(horizon, nullptr, &value) && value.Int == 12);
  CHECK(api.reset(plants) == 0 && lastCode() == 7);
  closeProject(project);
}

// Random assigns, removals and reads against a std::map model.
void storeModel() {
  int project = openText("set A = { a1..a60 }\nset B subset of Integers = { 1..50 }\n"
                         "parameter P(A, B)\nparameter Q(A)\nset C = { c1..c9 }\n"
                         "parameter R(A, B, C)\n");
  int a = handle(L"A"), b = handle(L"B"), c = handle(L"C");
  std::vector<int> ea = elementsOf(a), eb = elementsOf(b), ec = elementsOf(c);
  for (int dim = 1; dim <= 3; ++dim) {
    int h = handle(dim == 1 ? L"Q" : dim == 2 ? L"P" : L"R");
    std::map<std::vector<int>, double> model;
    unsigned state = 12345u + dim;
    auto rnd = [&state](unsigned n) {
      state = state * 1103515245u + 12345u;
      return (state >> 8) % n;
    };
    bool assigned = true, retrieved = true;
    for (int step = 0; step < 20000; ++step) {
      std::vector<int> tuple = {ea[rnd(60)], eb[rnd(50)], ec[rnd(9)]};
      tuple.resize(dim);
      double x = rnd(4) == 0 ? 0.0 : 1.0 + rnd(1000);
      assigned = assignDouble(h, tuple, x) && assigned;
      if (x == 0) model.erase(tuple); else model[tuple] = x;
      if (step % 2500 == 0 || step == 19999) {
        auto rows = readDoubles(h, dim);
        bool same = rows.size() == model.size();
        size_t i = 0;
        for (auto it = model.begin(); same && it != model.end(); ++it, ++i) {
          same = rows[i].first == it->first && rows[i].second == it->second;
        }
        CHECK(same);
      }
      if (step % 97 == 0) {
        auto found = model.find(tuple);
        double expected = found == model.end() ? 0.0 : found->second;
        retrieved = retrieveDouble(h, tuple) == expected && retrieved;
      }
    }
    CHECK(assigned && retrieved);
  }
  closeProject(project);
}

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
  CHECK(api.card(handle(L"Full"), &count) && count == 60000);
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
  CHECK(api.card(n, &count) && count > 8000 && count < 10000);
  int t[2];
  tagTavikValueW value;
  CHECK(api.reset(n) && api.next(n, t, &value) && t[1] >= kOffset - 5 && value.Int >= 1);
  int s = handle(L"S");
  wchar_t buffer[300];
  value.Length = 300;
  value.String = buffer;
  CHECK(api.reset(s) && api.next(s, t, &value) && buffer[0] == L's' && wcslen(buffer) > 1);
  int e = handle(L"E"), j = handle(L"J");
  std::vector<int> ej = elementsOf(j);
  bool inRange = true;
  CHECK(api.reset(e));
  while (api.next(e, t, &value)) {
    inRange = inRange && value.Int >= ej.front() && value.Int <= ej.back();
  }
  CHECK(inRange);
  CHECK(retrieveDouble(handle(L"Scalar"), {}) >= 1.0);
  closeProject(project);
}

void badArguments() {
  tagTavikValueW value;
  wchar_t buffer[512];
  tagTavikStringW record{256, buffer};
  int out = 0, out2 = 0;
  std::wstring name = L"Cost";
  char narrow[] = "x";
  // Without a project, every call is refused with "no project open".
  CHECK(api.ordinalToElement(1, 1, &out) == 0 && lastCode() == 1);
  int project = openTransport();
  int cost = handle(L"Cost"), plants = handle(L"Plants");
  const std::vector<std::pair<const char*, std::function<int()>>> calls = {
      {"name null", [&] { return api.name(cost, nullptr); }},
      {"name null buffer", [&] { tagTavikStringW r{10, nullptr}; return api.name(cost, &r); }},
      {"name zero length", [&] { tagTavikStringW r{0, buffer}; return api.name(cost, &r); }},
      {"name negative length", [&] { tagTavikStringW r{-5, buffer}; return api.name(cost, &r); }},
      {"name bad handle", [&] { return api.name(987654, &record); }},
      {"type null", [&] { return api.type(cost, nullptr); }},
      {"type bad handle", [&] { return api.type(-1, &out); }},
      {"storage null", [&] { return api.storage(cost, nullptr); }},
      {"dimension null", [&] { return api.dimension(cost, &out, nullptr); }},
      {"dimension bad handle", [&] { return api.dimension(0, &out, &out2); }},
      {"domain null", [&] { return api.declarationDomain(cost, nullptr); }},
      {"root null", [&] { return api.rootDomain(handle(L"Years"), nullptr); }},
      {"range null", [&] { return api.elementRange(handle(L"PreferredPlant"), nullptr); }},
      {"card null", [&] { return api.card(plants, nullptr); }},
      {"card bad handle", [&] { return api.card(123456, &out); }},
      {"card index", [&] { return api.card(handle(L"p"), &out); }},
      {"ordinal null", [&] { return api.ordinalToElement(plants, 1, nullptr); }},
      {"element name null", [&] { return api.elementToName(plants, 1, nullptr); }},
      {"element not in set", [&] { return api.elementToName(plants, 1, &record); }},
      {"add null label", [&] { return api.addElement(plants, nullptr, &out); }},
      {"add null out", [&] { return api.addElement(plants, &name[0], nullptr); }},
      {"create null name", [&] { return api.create(nullptr, nullptr, nullptr, 0, &out); }},
      {"create null out", [&] { return api.create(&name[0], nullptr, nullptr, 0, nullptr); }},
      {"create with domain", [&] { return api.create(&name[0], &out, nullptr, 0, &out2); }},
      {"reset bad handle", [&] { return api.reset(55555); }},
      {"next null value", [&] { int t[2]; return api.next(cost, t, nullptr); }},
      {"next null tuple", [&] { api.reset(cost); return api.next(cost, nullptr, &value); }},
      {"retrieve null tuple", [&] { return api.retrieve(cost, nullptr, &value); }},
      {"retrieve null value", [&] { int t[2] = {0, 0}; return api.retrieve(cost, t, nullptr); }},
      {"retrieve bad tuple", [&] { int t[2] = {0, 0}; return api.retrieve(cost, t, &value); }},
      {"assign null value", [&] { int t[2] = {0, 0}; return api.assign(cost, t, nullptr); }},
      {"assign set", [&] { int t[1] = {1}; value.Int = 1; return api.assign(plants, t, &value); }},
      {"empty bad handle", [&] { return api.empty(-7); }},
      {"delete bad handle", [&] { return api.remove(2000000000); }},
      {"close bad handle", [&] { return api.close(-1, 0); }},
      {"open null path", [&] { return api.open(nullptr, &out); }},
      {"procedure", [&] { return api.procedureCreate(narrow, &out, &out, &out); }},
      {"procedure argument", [&] { return api.procedureArgument(1, 1, &out); }},
      {"retrieve narrow", [&] { return api.retrieveA(cost, nullptr, nullptr); }},
      {"next multi", [&] { return api.nextMulti(cost, &out, &out, &value); }},
      {"assign narrow", [&] { return api.assignA(cost, nullptr, nullptr); }},
  };
  for (const auto& call : calls) {
    bool refused = call.second() == 0 && lastCode() > 0 && !lastText().empty();
    if (!refused) std::printf("  not refused: %s\n", call.first);
    CHECK(refused);
  }
  CHECK(api.assignA(cost, nullptr, nullptr) == 0 && lastText() == L"not supported");
  CHECK(api.lastError(nullptr, buffer) == 0 && api.lastError(&out, nullptr) == 0);
  // Error texts are cut to the 512-character buffer.
  std::wstring longName(2000, L'x');
  CHECK(api.create(&longName[0], nullptr, nullptr, 0, &out) == 0);
  std::wmemset(buffer, L'#', 512);
  CHECK(api.lastError(&out, buffer) != 0 && wcslen(buffer) == 511);
  closeProject(project);
}

void faults() {
  int project = openTransport();
  int plants = handle(L"Plants");
  int count = 0;
  CHECK(fault("TavikValueCard", 2, 42, "card fault"));
  CHECK(api.card(plants, &count) != 0);
  CHECK(api.card(plants, &count) == 0 && lastCode() == 42 && lastText() == L"card fault");
  CHECK(api.card(plants, &count) != 0);
  CHECK(fault("ValueCard", 0, 43, "always"));
  CHECK(api.card(plants, &count) == 0 && api.card(plants, &count) == 0 && lastCode() == 43);
  CHECK(fault("ValueCard", -1, 0, ""));
  CHECK(api.card(plants, &count) != 0);
  CHECK(!fault("TavikNoSuchEntry", 1, 1, "x") && !setSwitch("no_such_switch", true));

  // The last-error call can be told to report nothing.
  CHECK(api.remove(-1) == 0 && lastCode() == 4);
  CHECK(setSwitch("silent_last_error", true));
  CHECK(lastCode() == 0);
  CHECK(setSwitch("silent_last_error", false) && lastCode() == 4);

  // A failing close leaves the project open.
  CHECK(setSwitch("close_fails", true));
  CHECK(api.close(project, 0) == 0 && lastCode() == 14);
  CHECK(counter("project_open") == 1 && handle(L"Cost") > 0);
  CHECK(setSwitch("close_fails", false));

  std::vector<int> e = elementsOf(plants);
  CHECK(setSwitch("ordinal_out_of_range", true));
  int last = 0;
  CHECK(api.ordinalToElement(plants, 4, &last) != 0 && last != e[3]);
  CHECK(labelOf(plants, last) == L"<refused>");
  int first = 0;
  CHECK(api.ordinalToElement(plants, 1, &first) != 0 && first == e[0]);
  CHECK(setSwitch("ordinal_out_of_range", false));

  CHECK(setSwitch("next_out_of_range", true));
  int cost = handle(L"Cost");
  int t[2];
  tagTavikValueW value;
  CHECK(api.reset(cost) && api.next(cost, t, &value) && t[0] > e[3]);
  int preferred = handle(L"PreferredPlant");
  CHECK(api.reset(preferred) && api.next(preferred, t, &value) && value.Int > e[3]);
  CHECK(setSwitch("next_out_of_range", false));

  CHECK(setSwitch("add_nonconsecutive", true));
  std::wstring label = L"Oslo";
  int element = 0;
  CHECK(api.addElement(plants, &label[0], &element) != 0 && element > e[3] + 1);
  CHECK(labelOf(plants, element) == L"Oslo" && elementsOf(plants).back() == element);
  CHECK(setSwitch("add_nonconsecutive", false));
  std::wstring next = L"Paris";
  int after = 0;
  CHECK(api.addElement(plants, &next[0], &after) != 0 && after == element + 1);

  CHECK(setSwitch("write_back_length", true));
  wchar_t buffer[4];
  tagTavikStringW record{4, buffer};
  CHECK(api.name(plants, &record) != 0 && record.Length == 6 && std::wstring(buffer) == L"Pla");
  CHECK(setSwitch("write_back_length", false));

  // Counters and their reset.
  resetSim();
  CHECK(calls("TavikValueCard") == 0 && counter("handles_created") == 0);
  CHECK(api.card(plants, &count) && api.card(plants, &count));
  CHECK(calls("TavikValueCard") == 2 && calls("ValueCard") == 2 && calls("Nope") == -1);
  int h = handle(L"Cost");
  CHECK(counter("handles_created") == 1 && counter("live_handles") > 1);
  CHECK(api.remove(h) && counter("handles_deleted") == 1);
  CHECK(counter("nothing") == -1);
  closeProject(project);

  CHECK(fault("TavikServerProjectOpenW", 1, 77, "open fault"));
  std::wstring path = widen(projectsDir + "/transport.tvp");
  int refused = 0;
  CHECK(api.open(&path[0], &refused) == 0 && lastCode() == 77);
  CHECK(counter("project_open") == 0);
  project = openTransport();
  closeProject(project);
}

// The examples of FORMAT.md, so the description stays true.
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
  CHECK(typeOf(x) == 40 && api.storage(x, &storage) && storage == 3);
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
    std::wstring path = widen(tempFile(bad));
    int refused = 0;
    bool ok = api.open(&path[0], &refused) == 0 && lastCode() == 2 &&
              contains(lastText(), L":");
    if (!ok) std::printf("  accepted: %s\n", bad);
    CHECK(ok);
  }
}

void bundledProjects() {
  for (const char* name : {"transport", "bench1e6"}) {
    std::wstring path = widen(projectsDir + "/" + name + ".tvp");
    int project = 0;
    CHECK(api.open(&path[0], &project) != 0);
    if (project) closeProject(project);
  }
  std::wstring path = widen(projectsDir + "/bench1e6.tvp");
  int project = 0;
  CHECK(api.open(&path[0], &project) != 0);
  int count = 0;
  for (const wchar_t* name : {L"Cost", L"Count", L"Label", L"Assign"}) {
    CHECK(api.card(handle(name), &count) && count == 1000000);
  }
  closeProject(project);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: driver <libtavik3.dll> <projects dir> [section]\n");
    return 2;
  }
  library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::printf("FAIL cannot load %s: %s\n", argv[1], dlerror());
    return 2;
  }
  projectsDir = argv[2];
  std::string section = argc > 3 ? argv[3] : "all";
  if (section == "exports-without-valuecard") {
    CHECK(dlsym(library, "TavikValueCard") == nullptr);
    CHECK(dlsym(library, "TavikValueNextW") != nullptr);
    std::printf("checks %d failures %d\n", checks, failures);
    return failures > 0;
  }
  bindAll();
  const std::map<std::string, void (*)()> sections = {
      {"project", projectLifecycle}, {"identifiers", identifiers},
      {"sets", sets},                {"values", values},
      {"store", storeModel},         {"generate", generated},
      {"arguments", badArguments},   {"faults", faults},
      {"format", documentedFormat},  {"bundled", bundledProjects}};
  bool found = false;
  for (const auto& entry : sections) {
    if (section != "all" && section != entry.first) continue;
    found = true;
    resetSim();
    entry.second();
  }
  if (!found) {
    std::printf("FAIL unknown section %s\n", section.c_str());
    return 2;
  }
  std::printf("checks %d failures %d\n", checks, failures);
  return failures > 0 ? 1 : 0;
}
