// The checks of the C++ test drivers. CHECK counts a check and prints
// "FAIL file:line: condition" when it fails; skip() notes a section that
// can't run here. report() prints the closing line the R tests read,
// "checks N failures M", after any "SKIP why" lines.
#ifndef TAVIK4R_TESTS_CHECK_H
#define TAVIK4R_TESTS_CHECK_H

#include <string>

namespace Driver {

void check(bool ok, const char* what, const char* file, int line);
void skip(const std::string& why);
// The exit status: 1 when a check failed.
int report();

}  // namespace Driver

#define CHECK(condition) Driver::check((condition), #condition, __FILE__, __LINE__)

#endif
