// The simulated engine driven through its exported entry points, as the
// package drives it (look-up by name, calls through the contract's function
// types): what the sections share.
#ifndef TAVIK4R_TESTS_ENGINE_H
#define TAVIK4R_TESTS_ENGINE_H

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "../common/Check.h"
#include "../common/Scratch.h"
#include "engine/TavikContract.h"

namespace Engine {

// Every entry point under its operation's name (api.ValueCard, ...), bound
// from the package's list of entry points.
struct Api {
#define TAVIK_API_MEMBER(Accessor, Export, Bytes, Use, Parameters, Arguments) \
  Export##Fn Accessor;
  TAVIK_ENTRY_POINTS(TAVIK_API_MEMBER)
#undef TAVIK_API_MEMBER
};
extern Api api;

// Binds every entry point and test control; a missing one ends the driver.
void bindAll(void* library);

extern std::string projectsDir;
const int kOffset = TAVIK_INTEGER_ELEMENT_OFFSET;

// Projects.
std::wstring widen(const std::string& text);
std::string projectFile(const std::string& content);
int openText(const std::string& content);
int openTransport();
void closeProject(int project);

// The engine's last error.
int lastCode();
std::wstring lastText();
bool contains(const std::wstring& text, const wchar_t* part);

// Identifiers and sets.
int handle(const wchar_t* name);
std::wstring nameOf(int h);
int typeOf(int h);
int dimensionOf(int h);
std::vector<int> elementsOf(int set);
std::wstring labelOf(int set, int element);
int elementOf(int set, const wchar_t* label);

// Values.
// All (tuple, double) pairs of a double identifier in delivery order.
std::vector<std::pair<std::vector<int>, double>> readDoubles(int h, int dim);
double retrieveDouble(int h, std::vector<int> tuple);
bool assignDouble(int h, std::vector<int> tuple, double x);
std::wstring retrieveText(int h, int* tuple, int capacity = 300);
bool assignText(int h, int* tuple, const wchar_t* text, int length);

// The engine's test controls.
double counter(const char* name);
double calls(const char* entry);
bool setSwitch(const char* name, bool on);
bool fault(const char* entry, int nth, int code, const char* text);
void resetSim();

// The sections.
void projectLifecycle();
void identifiers();
void sets();
void values();
void storeModel();
void generated();
void badArguments();
void faults();
void documentedFormat();
void bundledProjects();
// Run on the fixture engine, with nothing bound.
void exportsWithoutValueCard(void* library);

}  // namespace Engine

#endif
