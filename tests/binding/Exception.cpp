// Engine errors: the engine's last error when it reports one, else the
// failing operation's name.
#include <cwchar>
#include <memory>
#include <regex>

#include "Binding.h"
#include "engine/LoadedTavikAPI.h"
#include "engine/TavikException.h"

namespace Binding {

namespace {

// An engine whose last-error call answers as told; every other call fails.
class ScriptedErrorEngine : public Tavik::LoadedTavikAPI {
 public:
  ScriptedErrorEngine(bool reports, int code, std::wstring text)
      : LoadedTavikAPI(L""), reports(reports), code(code), text(text) {}
  int APILastError(int* codeOut, wchar_t* message) override {
    if (!reports) return 0;
    *codeOut = code;
    std::wcsncpy(message, text.c_str(), 511);
    message[511] = L'\0';
    return 1;
  }

 private:
  bool reports;
  int code;
  std::wstring text;
};

}  // namespace

void exceptionText() {
  struct Case {
    bool reports;
    int code;
    const wchar_t* text;
    const char* expected;
  };
  const Case cases[] = {
      {true, 12, L"no such identifier", "tavikerror 12: no such identifier"},
      {true, -3, L"bad", "tavikerror -3: bad"},
      {true, 0, L"", "tavikerror 0: "},
      {false, 5, L"ignored", "[TavikSpace::getAttributeType]::unknown tavikerror"}};
  for (const Case& c : cases) {
    std::shared_ptr<Tavik::ITavik> api =
        std::make_shared<ScriptedErrorEngine>(c.reports, c.code, c.text);
    std::string message =
        Tavik::TavikException("TavikSpace::getAttributeType", api).what();
    CHECK(message == c.expected);
  }

  // A refusal of the simulated engine reaches the text.
  std::shared_ptr<Tavik::ITavik> api = Tavik::TavikAPI::getSharedTavikAPI(widen(setup.engine));
  std::wstring path = widen(transportProject());
  int project = 0;
  CHECK(api && api->ProjectOpen(&path[0], &project) != 0);
  if (!api) return;
  std::wstring name = L"NoSuchIdentifier";
  int handle = 0;
  CHECK(api->IdentifierHandleCreateW(&name[0], nullptr, nullptr, 0, &handle) == 0);
  std::string message = Tavik::TavikException("ctx", api).what();
  CHECK(std::regex_search(message, std::regex("^tavikerror -?[0-9]+: .+")));
  api->ProjectClose(project, 0);
}

}  // namespace Binding
