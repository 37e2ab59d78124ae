// Drives the simulated engine through its exported entry points.
// Usage: driver <libtavik3.dll> <projects dir> [section|all]
// Prints "FAIL file:line: condition" per failed check and a closing line
// "checks N failures M"; the exit status is 1 when a check failed. The
// project files it writes go to a temporary folder it removes.
#include <dlfcn.h>

#include <cstdio>
#include <map>
#include <string>

#include "Engine.h"

namespace Engine {
std::string projectsDir;
}

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: driver <libtavik3.dll> <projects dir> [section]\n");
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::printf("FAIL cannot load %s: %s\n", argv[1], dlerror());
    return 2;
  }
  Engine::projectsDir = argv[2];
  const std::string section = argc > 3 ? argv[3] : "all";
  if (section == "exports-without-valuecard") {
    Engine::exportsWithoutValueCard(library);
    return Driver::report();
  }
  Engine::bindAll(library);
  const std::map<std::string, void (*)()> sections = {
      {"project", Engine::projectLifecycle}, {"identifiers", Engine::identifiers},
      {"sets", Engine::sets},                {"values", Engine::values},
      {"store", Engine::storeModel},         {"generate", Engine::generated},
      {"arguments", Engine::badArguments},   {"faults", Engine::faults},
      {"format", Engine::documentedFormat},  {"bundled", Engine::bundledProjects}};
  bool found = false;
  for (const auto& entry : sections) {
    if (section != "all" && section != entry.first) continue;
    found = true;
    Engine::resetSim();
    entry.second();
  }
  if (!found) {
    std::printf("FAIL unknown section %s\n", section.c_str());
    return 2;
  }
  return Driver::report();
}
