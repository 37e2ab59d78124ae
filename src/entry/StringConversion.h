// Conversion between the process's multibyte encoding (LC_CTYPE) and wide
// strings. Both stop at the first zero character.
#ifndef TAVIK4R_ENTRY_STRINGCONVERSION_H
#define TAVIK4R_ENTRY_STRINGCONVERSION_H

#include <string>

std::wstring a2w(std::string text);
std::string w2a(std::wstring text);

#endif
