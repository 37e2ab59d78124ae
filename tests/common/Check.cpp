#include "Check.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace Driver {

namespace {
int checks = 0;
int failures = 0;
std::vector<std::string> skipped;
}  // namespace

void check(bool ok, const char* what, const char* file, int line) {
  ++checks;
  if (ok) return;
  ++failures;
  const char* name = std::strrchr(file, '/');
  std::printf("FAIL %s:%d: %s\n", name ? name + 1 : file, line, what);
}

void skip(const std::string& why) { skipped.push_back(why); }

int report() {
  for (const std::string& why : skipped) std::printf("SKIP %s\n", why.c_str());
  std::printf("checks %d failures %d\n", checks, failures);
  return failures > 0 ? 1 : 0;
}

}  // namespace Driver
