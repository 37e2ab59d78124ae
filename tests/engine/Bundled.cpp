// The example projects shipped with the package open, the large one in full.
#include "Engine.h"

namespace Engine {

void bundledProjects() {
  for (const char* name : {"transport", "bench1e6"}) {
    std::wstring path = widen(projectsDir + "/" + name + ".tvp");
    int project = 0;
    CHECK(api.ProjectOpen(&path[0], &project) != 0);
    if (project) closeProject(project);
  }
  std::wstring path = widen(projectsDir + "/bench1e6.tvp");
  int project = 0;
  CHECK(api.ProjectOpen(&path[0], &project) != 0);
  int count = 0;
  for (const wchar_t* name : {L"Cost", L"Count", L"Label", L"Assign"}) {
    CHECK(api.ValueCard(handle(name), &count) && count == 1000000);
  }
  closeProject(project);
}

}  // namespace Engine
