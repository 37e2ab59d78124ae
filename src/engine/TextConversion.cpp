#include "engine/TextConversion.h"

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

void appendCodePoint(unsigned long c, std::wstring& out) {
  if (sizeof(wchar_t) >= 4 || c < 0x10000) {
    out.push_back(static_cast<wchar_t>(c));
    return;
  }
  c -= 0x10000;
  out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
  out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
}

}  // namespace

bool utf8ToWide(const char* bytes, std::size_t length, std::wstring& out) {
  out.clear();
  out.reserve(length);
  const unsigned char* s = reinterpret_cast<const unsigned char*>(bytes);
  std::size_t i = 0;
  while (i < length) {
    const unsigned char lead = s[i];
    if (lead < 0x80) {
      out.push_back(static_cast<wchar_t>(lead));
      ++i;
      continue;
    }
    std::size_t extra;
    unsigned long c;
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
    const unsigned long smallest = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
    if (c < smallest || c > kMaxCodePoint || isSurrogate(c)) return false;
    appendCodePoint(c, out);
    i += extra + 1;
  }
  return true;
}

bool wideToUtf8(const wchar_t* text, std::size_t length, std::string& out) {
  out.clear();
  out.reserve(length);
  for (std::size_t i = 0; i < length; ++i) {
    unsigned long c = static_cast<unsigned long>(text[i]);
    if (sizeof(wchar_t) < 4) c &= 0xFFFF;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    if (sizeof(wchar_t) < 4 && c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= length) return false;
      const unsigned long low = static_cast<unsigned long>(text[i + 1]) & 0xFFFF;
      if (low < 0xDC00 || low > 0xDFFF) return false;
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      ++i;
    } else if (isSurrogate(c) || c > kMaxCodePoint) {
      return false;
    }
    if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    }
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
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
