// Text helpers: UTF-8 <-> wide conversion independent of the C locale,
// integer parsing and the bounded copy into caller buffers.
#ifndef TAVIK_SIM_WIDETEXT_H
#define TAVIK_SIM_WIDETEXT_H

#include <cstddef>
#include <string>

namespace Sim {

std::wstring fromUtf8(const std::string& text);
std::string toUtf8(const std::wstring& text);

// The whole text as a decimal int (optional sign, no blanks); false when it
// is anything else or out of range.
bool parseInt(const std::wstring& text, long long& value);

// Writes at most capacity characters including the terminating zero.
// Returns the number of characters written before the zero.
size_t copyBounded(const wchar_t* text, size_t length, wchar_t* target,
                   size_t capacity);

}  // namespace Sim

#endif
