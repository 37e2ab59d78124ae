// Projects open and close; handles die with their project.
#include "Engine.h"

namespace Engine {

void projectLifecycle() {
  int h = 0;
  std::wstring name = L"Cost";
  CHECK(api.IdentifierHandleCreateW(&name[0], nullptr, nullptr, 0, &h) == 0);
  CHECK(lastCode() == 1 && lastText() == L"no project open");
  CHECK(api.ProjectClose(1, 0) == 0);

  std::wstring missing = L"/no/such/project.tvp";
  int project = 0;
  CHECK(api.ProjectOpen(&missing[0], &project) == 0 && project == 0);
  CHECK(lastCode() == 2 && contains(lastText(), L"/no/such/project.tvp"));

  std::wstring bad = widen(projectFile("set A = { a, b }\nparameter P(A, Nowhere)\n"));
  CHECK(api.ProjectOpen(&bad[0], &project) == 0);
  CHECK(lastCode() == 2 && contains(lastText(), L":2: unknown identifier 'Nowhere'"));

  double opened = counter("projects_opened");
  project = openTransport();
  CHECK(counter("projects_opened") == opened + 1);
  CHECK(lastCode() == 0);  // an open starts without an error
  int second = 0;
  std::wstring path = widen(projectsDir + "/transport.tvp");
  CHECK(api.ProjectOpen(&path[0], &second) == 0 && lastCode() == 3);

  int cost = handle(L"Cost");
  CHECK(api.ProjectClose(project + 1, 0) == 0 && lastCode() == 4);
  double closed = counter("projects_closed");
  closeProject(project);
  CHECK(counter("projects_closed") == closed + 1);
  CHECK(api.IdentifierHandleDelete(cost) == 0 && lastCode() == 1);

  // Handles are fresh after reopening; the old one stays invalid.
  project = openTransport();
  int again = handle(L"Cost");
  CHECK(again > cost);
  CHECK(api.IdentifierHandleDelete(cost) == 0 && lastCode() == 4);
  CHECK(counter("live_handles") == 1);
  closeProject(project);
  CHECK(counter("live_handles") == 0);
}

}  // namespace Engine
