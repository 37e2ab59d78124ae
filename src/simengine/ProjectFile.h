// Opening a project file: read it, decode it, parse it.
#ifndef TAVIK_SIM_PROJECTFILE_H
#define TAVIK_SIM_PROJECTFILE_H

#include <memory>
#include <string>

#include "simengine/Project.h"

namespace Sim {

// The project in the file at path; refused with the file, line and reason
// when the file can't be read or is malformed.
std::unique_ptr<Project> loadProjectFile(const std::wstring& path);

}  // namespace Sim

#endif
