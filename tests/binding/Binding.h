// The engine binding (loader, API facade, engine errors, text conversions)
// driven from C++, without R: what the sections share.
#ifndef TAVIK4R_TESTS_BINDING_H
#define TAVIK4R_TESTS_BINDING_H

#include <string>
#include <vector>

#include "../common/Check.h"
#include "../common/Scratch.h"
#include "engine/TavikLoader.h"

namespace Binding {

// The driver's arguments.
struct Setup {
  std::string engine;    // the simulated engine
  std::string projects;  // the folder of the example projects
  std::string fixture;   // the engine without TavikValueCard, or ""
};
extern Setup setup;

std::wstring widen(const std::string& text);
std::string transportProject();

// Non-null flags of every typed accessor, in the order of the entry list.
std::vector<bool> resolveAll(Tavik::TavikLoader& loader);
// The same of the address cache, without resolving anything.
std::vector<bool> cached(const Tavik::TavikLoader& loader);
std::vector<bool> every(bool flag);

// The simulated engine's test controls, from its own instance: the
// library is loaded once more, which shares that instance and keeps it
// (with its faults) in the process while the binding reloads it.
void simFault(const char* entry, int nth, int code, const char* text);
void simReset();

void loaderTable();
void loaderLoad();
void api();
void missingEntryPoint();
void exceptionText();
void localeText();
void utf8Text();

}  // namespace Binding

#endif
