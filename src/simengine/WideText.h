// Text helpers: UTF-8 <-> wide conversion independent of the C locale, and
// integer parsing.
#ifndef TAVIK_SIM_WIDETEXT_H
#define TAVIK_SIM_WIDETEXT_H

#include <string>

namespace Sim {

std::wstring fromUtf8(const std::string& text);
std::string toUtf8(const std::wstring& text);

// The whole text as a decimal int (optional sign, no blanks); false when it
// is anything else or out of range.
bool parseInt(const std::wstring& text, long long& value);

}  // namespace Sim

#endif
