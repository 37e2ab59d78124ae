// Opening and closing projects, and the last error.
#include "simengine/Engine.h"
#include "simengine/EntryPoints.h"
#include "simengine/ProjectFile.h"
#include "simengine/TextTransfer.h"

using namespace Sim;

extern "C" int TAVIK_CALL TavikServerProjectOpenW(wchar_t* path, int* handle) {
  return runEntry(kProjectOpen, Needs::Nothing, [&](Engine& engine) {
    requirePointer(path);
    requirePointer(handle);
    if (engine.hasProject()) {
      throw Refusal(kProjectAlreadyOpen, L"a project is already open");
    }
    std::unique_ptr<Project> project = loadProjectFile(path);
    int number = engine.nextProjectHandle();
    engine.open(std::move(project), number);
    engine.lastError.clear();
    ++engine.instrumentation.projectsOpened;
    *handle = number;
    return 1;
  });
}

extern "C" int TAVIK_CALL TavikProjectClose(int handle, int /*flag*/) {
  return runEntry(kProjectClose, Needs::Project, [&](Engine& engine) {
    if (handle != engine.projectHandle()) {
      throw Refusal(kBadHandle,
                    L"invalid project handle " + std::to_wstring(handle));
    }
    if (engine.instrumentation.on(kSwitchCloseFails)) {
      throw Refusal(kCloseFailed, L"the project could not be closed");
    }
    engine.close();
    ++engine.instrumentation.projectsClosed;
    return 1;
  });
}

// Reports without being a refusal itself: its own failures leave the last
// error as it is.
extern "C" int TAVIK_CALL TavikAPILastErrorW(int* code, wchar_t* message) {
  Engine& engine = Sim::engine();
  engine.instrumentation.countCall(kAPILastError);
  try {
    engine.instrumentation.checkFault(kAPILastError);
  } catch (const Refusal&) {
    return 0;
  }
  if (code == nullptr || message == nullptr) return 0;
  *code = 0;
  message[0] = L'\0';
  if (engine.instrumentation.on(kSwitchSilentLastError) ||
      !engine.lastError.present()) {
    return 0;
  }
  const std::wstring& text = engine.lastError.text();
  int capacity = 512;
  *code = engine.lastError.code();
  writeText(text.data(), text.size(), capacity, message, false);
  return 1;
}
