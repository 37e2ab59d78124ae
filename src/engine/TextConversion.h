// Text between the engine's wide strings and byte strings.
// a2w/w2a use the process's multibyte encoding (LC_CTYPE) and stop at the
// first zero character. The UTF-8 pair does not depend on the locale, and
// handles wchar_t of 32 bits (UTF-32) and of 16 bits (UTF-16, Windows).
#ifndef TAVIK4R_ENGINE_TEXTCONVERSION_H
#define TAVIK4R_ENGINE_TEXTCONVERSION_H

#include <cstddef>
#include <string>

std::wstring a2w(std::string text);
std::string w2a(std::wstring text);

// Replaces out by the wide form of length bytes of UTF-8; false (out left
// undefined) when the bytes are not valid UTF-8.
bool utf8ToWide(const char* bytes, std::size_t length, std::wstring& out);
// The same into out, which has room for length wide characters; written
// tells how many it holds (no zero is added).
bool utf8ToWide(const char* bytes, std::size_t length, wchar_t* out,
                std::size_t& written);
// Whether length bytes are UTF-8, as utf8ToWide would take them.
bool isUtf8(const char* bytes, std::size_t length);
// Replaces out by the UTF-8 form of length wide characters; false when the
// text is not valid Unicode (a lone surrogate, a number past U+10FFFF).
bool wideToUtf8(const wchar_t* text, std::size_t length, std::string& out);

// Whether the process's multibyte encoding (LC_CTYPE) is UTF-8.
bool localeIsUtf8();

#endif
