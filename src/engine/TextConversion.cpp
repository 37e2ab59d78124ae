#include "engine/TextConversion.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#endif

std::wstring a2w(std::string text) {
  if (text.empty()) return std::wstring();
  const size_t failed = static_cast<size_t>(-1);
  size_t count = std::mbstowcs(nullptr, text.c_str(), 0);
  if (count == failed) throw std::runtime_error("mbstowcs: conversion failed");
  std::wstring wide(count, L'\0');
  if (std::mbstowcs(&wide[0], text.c_str(), count + 1) != count)
    throw std::runtime_error("mbstowcs: conversion failed");
  return wide;
}

std::string w2a(std::wstring text) {
  if (text.empty()) return std::string();
  const size_t failed = static_cast<size_t>(-1);
  size_t count = std::wcstombs(nullptr, text.c_str(), 0);
  if (count == failed) throw std::runtime_error("wcstombs: conversion failed");
  std::string narrow(count, '\0');
  if (std::wcstombs(&narrow[0], text.c_str(), count + 1) != count)
    throw std::runtime_error("wcstombs: conversion failed");
  return narrow;
}

namespace {

const unsigned long kMaxCodePoint = 0x10FFFF;

bool isSurrogate(unsigned long c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

namespace {

// Eight bytes at a time while none has its high bit set: runs of ASCII are
// the common case.
inline bool asciiWord(const unsigned char* s, std::size_t i,
                      std::size_t length) {
  if (length - i < 8) return false;
  std::uint64_t word;
  std::memcpy(&word, s + i, 8);
  return (word & 0x8080808080808080ull) == 0;
}

// The code point of the sequence that starts at s[i], a byte past ASCII;
// i moves past it. False when the bytes there are not UTF-8.
bool decodeSequence(const unsigned char* s, std::size_t length,
                    std::size_t& i, unsigned long& c) {
  const unsigned char lead = s[i];
  std::size_t extra;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    c = lead & 0x07;
  } else {
    return false;
  }
  if (length - i <= extra) return false;
  for (std::size_t k = 1; k <= extra; ++k) {
    const unsigned char next = s[i + k];
    if ((next & 0xC0) != 0x80) return false;
    c = (c << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and numbers past U+10FFFF are not UTF-8.
  const unsigned long smallest = extra == 1   ? 0x80
                                 : extra == 2 ? 0x800
                                              : 0x10000;
  if (c < smallest || c > kMaxCodePoint || isSurrogate(c)) return false;
  i += extra + 1;
  return true;
}

}  // namespace

bool utf8ToWide(const char* bytes, std::size_t length, wchar_t* out,
                std::size_t& written) {
  wchar_t* to = out;
  const unsigned char* s = reinterpret_cast<const unsigned char*>(bytes);
  std::size_t i = 0;
  while (i < length) {
    while (asciiWord(s, i, length)) {
      for (int k = 0; k < 8; ++k) to[k] = static_cast<wchar_t>(s[i + k]);
      to += 8;
      i += 8;
    }
    while (i < length && s[i] < 0x80) *to++ = static_cast<wchar_t>(s[i++]);
    if (i == length) break;
    unsigned long c;
    if (!decodeSequence(s, length, i, c)) return false;
    if (sizeof(wchar_t) >= 4 || c < 0x10000) {
      *to++ = static_cast<wchar_t>(c);
    } else {
      // Four bytes give two UTF-16 units: still no more units than bytes.
      c -= 0x10000;
      *to++ = static_cast<wchar_t>(0xD800 + (c >> 10));
      *to++ = static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    }
  }
  written = static_cast<std::size_t>(to - out);
  return true;
}

bool isUtf8(const char* bytes, std::size_t length) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(bytes);
  std::size_t i = 0;
  while (i < length) {
    while (asciiWord(s, i, length)) i += 8;
    while (i < length && s[i] < 0x80) ++i;
    if (i == length) break;
    unsigned long c;
    if (!decodeSequence(s, length, i, c)) return false;
  }
  return true;
}

bool utf8ToWide(const char* bytes, std::size_t length, std::wstring& out) {
  // At most one wide character per byte: decoded in place, then trimmed.
  out.resize(length);
  std::size_t written = 0;
  if (!utf8ToWide(bytes, length, &out[0], written)) return false;
  out.resize(written);
  return true;
}

bool wideToUtf8(const wchar_t* text, std::size_t length, std::string& out) {
  // At most four bytes per wide character (three per UTF-16 unit).
  out.resize(length * 4);
  char* to = &out[0];
  for (std::size_t i = 0; i < length; ++i) {
    unsigned long c = static_cast<unsigned long>(text[i]);
    if (sizeof(wchar_t) < 4) c &= 0xFFFF;
    if (c < 0x80) {
      *to++ = static_cast<char>(c);
      continue;
    }
    if (sizeof(wchar_t) < 4 && c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= length) return false;
      const unsigned long low =
          static_cast<unsigned long>(text[i + 1]) & 0xFFFF;
      if (low < 0xDC00 || low > 0xDFFF) return false;
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      ++i;
    } else if (isSurrogate(c) || c > kMaxCodePoint) {
      return false;
    }
    if (c < 0x800) {
      *to++ = static_cast<char>(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
      *to++ = static_cast<char>(0xE0 | (c >> 12));
      *to++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    } else {
      *to++ = static_cast<char>(0xF0 | (c >> 18));
      *to++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      *to++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    *to++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
  return true;
}

bool localeIsUtf8() {
#ifdef _WIN32
  // R on Windows runs with the UTF-8 code page from version 4.2 on.
  return GetACP() == CP_UTF8;
#else
  const char* codeset = nl_langinfo(CODESET);
  return codeset != nullptr && (std::strcmp(codeset, "UTF-8") == 0 ||
                                std::strcmp(codeset, "utf8") == 0);
#endif
}
