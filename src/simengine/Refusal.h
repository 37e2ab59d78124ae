// A refused engine call: the error code and text that the last-error entry
// point reports afterwards. Thrown inside the engine, caught at the exported
// entry point, never across it.
#ifndef TAVIK_SIM_REFUSAL_H
#define TAVIK_SIM_REFUSAL_H

#include <string>

namespace Sim {

enum ErrorCode {
  kNoProject = 1,
  kProjectFile = 2,
  kProjectAlreadyOpen = 3,
  kBadHandle = 4,
  kUnknownIdentifier = 5,
  kAmbiguousIdentifier = 6,
  kWrongType = 7,
  kNotInSet = 8,
  kOrdinalOutOfRange = 9,
  kBadArgument = 10,
  kBadValue = 11,
  kSetFull = 12,
  kNotSupported = 13,
  kCloseFailed = 14,
  kInternal = 15
};

struct Refusal {
  Refusal(int code, std::wstring text) : code(code), text(std::move(text)) {}
  int code;
  std::wstring text;
};

// Quotes a name for a message: 'name'.
inline std::wstring quoted(const std::wstring& name) {
  return L"'" + name + L"'";
}

[[noreturn]] void refuseNullPointer();

template <typename T>
inline void requirePointer(const T* pointer) {
  if (pointer == nullptr) refuseNullPointer();
}

}  // namespace Sim

#endif
