// The files a driver writes (projects, copies of the engine library) go to
// one folder of its own under $TMPDIR, made on first use and removed with
// everything in it when the driver ends, also through std::exit.
#ifndef TAVIK4R_TESTS_SCRATCH_H
#define TAVIK4R_TESTS_SCRATCH_H

#include <string>

namespace Driver {

// A path in the folder with a name not handed out before; nothing is
// written there.
std::string scratchPath(const std::string& name);
// A new file of the folder holding content; its path.
std::string scratchFile(const std::string& name, const std::string& content);
// Copies the file at from to the path to (in the folder).
void copyFile(const std::string& from, const std::string& to);

}  // namespace Driver

#endif
