// Text between wide and byte strings: the locale's pair (a2w/w2a) and the
// locale-free UTF-8 pair.
#include <clocale>
#include <cstdio>
#include <stdexcept>
#include <typeinfo>

#include "Binding.h"
#include "engine/TextConversion.h"

namespace Binding {

namespace {

// The message of what convert throws, "" when it throws nothing; only a
// plain std::runtime_error counts.
template <typename Convert>
std::string failure(Convert convert) {
  try {
    convert();
  } catch (const std::exception& e) {
    return typeid(e) == typeid(std::runtime_error) ? e.what() : "another exception";
  }
  return "";
}

bool utf8Locale() {
  for (const char* name : {"", "C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
    if (std::setlocale(LC_CTYPE, name) && localeIsUtf8()) return true;
  }
  return false;
}

}  // namespace

void localeText() {
  CHECK(a2w("").empty() && w2a(L"").empty());

  std::setlocale(LC_CTYPE, "C");
  CHECK(failure([] { w2a(std::wstring(1, static_cast<wchar_t>(0xE9))); }) ==
        "wcstombs: conversion failed");

  if (!utf8Locale()) {
    Driver::skip("no UTF-8 locale for the multibyte conversions");
    return;
  }
  const std::string text = "S\xC3\xA3o Paulo \xE2\x82\xAC";
  std::wstring wide = a2w(text);
  CHECK(wide == L"S\u00e3o Paulo \u20ac" && wide.size() == 11);
  CHECK(w2a(wide) == text);
  CHECK(failure([] { a2w("caf\xC3"); }) == "mbstowcs: conversion failed");
}

void utf8Text() {
  struct Valid {
    std::string bytes;
    std::wstring wide;
  };
  const Valid valid[] = {
      {"", L""},
      {"abcdefghijklmnopq", L"abcdefghijklmnopq"},  // past the eight-byte runs
      {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
      {"Z\xC3\xBCrich", L"Z\u00fcrich"},
      {"abcdefgh\xE2\x82\xAC" "abcdefgh", L"abcdefgh\u20ac" L"abcdefgh"},
      {"\xF0\x9F\x98\x80", L"\U0001F600"},  // one unit in UTF-32, two in UTF-16
      {"x\xF0\x9F\x8C\x8D\xE6\x97\xA5", L"x\U0001F30D\u65e5"},
      {"\xC2\x80\xDF\xBF", L"\u0080\u07ff"},
      {"\xE0\xA0\x80\xEF\xBF\xBF", L"\u0800\uffff"},
      {"\xED\x9F\xBF\xEE\x80\x80", L"\ud7ff\ue000"},  // beside the surrogates
      {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", L"\U00010000\U0010FFFF"}};
  for (const Valid& c : valid) {
    std::wstring wide = L"old";
    CHECK(utf8ToWide(c.bytes.data(), c.bytes.size(), wide) && wide == c.wide);
    // Into a buffer of one character per byte; nothing written past the text.
    std::wstring buffer(c.bytes.size() + 1, L'#');
    std::size_t written = 99;
    CHECK(utf8ToWide(c.bytes.data(), c.bytes.size(), &buffer[0], written));
    CHECK(written == c.wide.size() && buffer.compare(0, written, c.wide) == 0);
    CHECK(buffer[written] == L'#');
    std::string bytes = "old";
    CHECK(wideToUtf8(c.wide.data(), c.wide.size(), bytes) && bytes == c.bytes);
  }

  // Each case is the first length bytes of its text: a text cut inside a
  // character is refused even when the bytes after the cut would end it.
  struct Invalid {
    std::string bytes;
    std::size_t length;
  };
  const Invalid invalid[] = {
      {"\x80", 1},                    // a continuation byte first
      {"\x80" "abcdefghij", 11},      // before a run of ASCII
      {"abcdefg\x80", 8},             // last of a run of eight
      {"abcdefgh\xFF" "abcdefgh", 17},
      {"abcdefghij\x80", 11},         // after a run of ASCII
      {"\xC3", 1},                    // cut short
      {"\xC3\xA9", 1},
      {"\xF0\x9F\x98\x80", 3},        // an emoji cut short
      {"\xC3\x28", 2},                // no continuation byte
      {"\xE2\x28\xA1", 3},
      {"\xC0\xAF", 2},                // overlong forms
      {"\xC1\xBF", 2},
      {"\xE0\x80\xAF", 3},
      {"\xF0\x80\x80\xAF", 4},
      {"\xED\xA0\x80", 3},            // encoded surrogates
      {"\xED\xBF\xBF", 3},
      {"\xF4\x90\x80\x80", 4},        // past U+10FFFF
      {"\xF5\x80\x80\x80", 4},
      {"\xFF", 1}};
  for (const Invalid& c : invalid) {
    std::wstring wide;
    std::wstring buffer(c.length, L'#');
    std::size_t written = 0;
    bool refused = !utf8ToWide(c.bytes.data(), c.length, wide) &&
                   !utf8ToWide(c.bytes.data(), c.length, &buffer[0], written);
    if (!refused) {
      std::printf("  accepted %zu bytes starting 0x%02x\n", c.length,
                  static_cast<unsigned char>(c.bytes[0]));
    }
    CHECK(refused);
  }

  // Wide text that is not Unicode: lone surrogates, and on UTF-32 a pair of
  // surrogates (two code points, not one) and numbers past U+10FFFF.
  std::vector<std::wstring> notUnicode = {
      std::wstring(1, static_cast<wchar_t>(0xD800)),
      std::wstring(1, static_cast<wchar_t>(0xDFFF)),
      std::wstring(L"a") + static_cast<wchar_t>(0xDC00) + L"b",
      std::wstring(1, static_cast<wchar_t>(0xD83D)) + L"x"};
  if (sizeof(wchar_t) >= 4) {
    notUnicode.push_back({static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)});
    notUnicode.push_back(std::wstring(1, static_cast<wchar_t>(0x110000)));
  }
  for (const std::wstring& wide : notUnicode) {
    std::string bytes;
    CHECK(!wideToUtf8(wide.data(), wide.size(), bytes));
  }
}

}  // namespace Binding
