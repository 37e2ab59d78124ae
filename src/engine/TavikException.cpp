#include "engine/TavikException.h"

#include "engine/TextConversion.h"

namespace Tavik {

namespace {

// The engine's last error, if it reports one.
bool lastEngineError(const std::shared_ptr<ITavik>& api, TavikFault& fault) {
  int code = 0;
  wchar_t buffer[512] = {0};
  if (!api || !api->APILastError(&code, buffer)) return false;
  // An engine that fills the whole buffer must not make us read past it.
  buffer[511] = L'\0';
  fault.code = code;
  fault.text = buffer;
  return true;
}

std::string messageOf(const std::string& context, const TavikFault* fault) {
  if (fault != nullptr)
    return w2a(L"tavikerror " + std::to_wstring(fault->code) + L": " +
               fault->text);
  return "[" + context + "]::" + w2a(L"unknown tavikerror");
}

}  // namespace

// The engine is asked once: the message and the fault come from one answer.
TavikException TavikException::fromEngine(std::string& context,
                                          const std::shared_ptr<ITavik>& api) {
  auto fault = std::make_shared<TavikFault>();
  fault->kind = TavikFault::Refused;
  const bool reported = lastEngineError(api, *fault);
  return TavikException(messageOf(context, reported ? fault.get() : nullptr),
                        Details(fault));
}

TavikException::TavikException(std::string context, std::shared_ptr<ITavik> api)
    : TavikException(fromEngine(context, api)) {}

TavikException::TavikException(const std::string& message, Details details)
    : std::runtime_error(message), details(std::move(details)) {}

TavikException::TavikException(const std::string& message)
    : std::runtime_error(message), details(std::make_shared<TavikFault>()) {}

TavikException::TavikException(const std::string& message,
                               const TavikFault& fault)
    : std::runtime_error(message),
      details(std::make_shared<TavikFault>(fault)) {}

TavikException TavikException::at(long row, int column) const {
  TavikFault located = *details;
  located.row = row;
  located.column = column;
  return TavikException(what(), located);
}

TavikException TavikException::as(TavikFault::Kind kind) const {
  TavikFault retyped = *details;
  retyped.kind = kind;
  return TavikException(what(), retyped);
}

std::string TavikException::generateTavikException(
    std::string& context, std::shared_ptr<ITavik> api) {
  TavikFault fault;
  return messageOf(context, lastEngineError(api, fault) ? &fault : nullptr);
}

}  // namespace Tavik
