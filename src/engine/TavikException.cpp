#include "engine/TavikException.h"

#include "engine/TextConversion.h"

namespace Tavik {

TavikException::TavikException(std::string context,
                               std::shared_ptr<ITavik> api)
    : std::runtime_error(generateTavikException(context, api)) {}

TavikException::TavikException(const std::string& message)
    : std::runtime_error(message) {}

std::string TavikException::generateTavikException(
    std::string& context, std::shared_ptr<ITavik> api) {
  int code = 0;
  wchar_t buffer[512] = {0};
  if (api && api->APILastError(&code, buffer)) {
    // An engine that fills the whole buffer must not make us read past it.
    buffer[511] = L'\0';
    return w2a(L"tavikerror " + std::to_wstring(code) + L": " + buffer);
  }
  return "[" + context + "]::" + w2a(L"unknown tavikerror");
}

}  // namespace Tavik
