// Drives the package's engine binding over the simulated engine.
// Usage: binding <libtavik3.dll> <projects dir> <section>|all
//                [<libtavik3.dll without TavikValueCard>]
// Prints "FAIL file:line: condition" per failed check and a closing line
// "checks N failures M"; the exit status is 1 when a check failed.
#include <cstdio>
#include <map>
#include <string>

#include "Binding.h"

namespace Binding {
Setup setup;
}

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr,
                 "usage: binding <libtavik3.dll> <projects dir> <section> [fixture]\n");
    return 2;
  }
  Binding::setup = {argv[1], argv[2], argc > 4 ? argv[4] : ""};
  const std::map<std::string, void (*)()> sections = {
      {"loader-table", Binding::loaderTable},
      {"loader-load", Binding::loaderLoad},
      {"api", Binding::api},
      {"missing", Binding::missingEntryPoint},
      {"exception", Binding::exceptionText},
      {"locale-text", Binding::localeText},
      {"utf8", Binding::utf8Text}};
  const std::string section = argv[3];
  if (section == "missing" && Binding::setup.fixture.empty()) {
    std::printf("FAIL the section missing needs the fixture engine\n");
    return 2;
  }
  bool found = false;
  for (const auto& entry : sections) {
    if (section != "all" && section != entry.first) continue;
    if (entry.first == "missing" && Binding::setup.fixture.empty()) continue;
    found = true;
    entry.second();
  }
  if (!found) {
    std::printf("FAIL unknown section %s\n", section.c_str());
    return 2;
  }
  return Driver::report();
}
