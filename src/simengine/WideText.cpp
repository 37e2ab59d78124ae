#include "simengine/WideText.h"

namespace Sim {

namespace {

void appendCodePoint(std::wstring& out, unsigned long cp) {
  if (sizeof(wchar_t) == 2 && cp > 0xFFFF) {
    cp -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<wchar_t>(cp));
  }
}

// The code point of the UTF-8 sequence at text[i], its length in count; 0
// when the bytes there are no valid sequence. Overlong forms, surrogates and
// numbers past U+10FFFF are not UTF-8: decoded, they would turn into other
// characters, and into different ones where wchar_t has 16 bits.
unsigned long decodeAt(const std::string& text, size_t i, size_t& count) {
  const unsigned char lead = static_cast<unsigned char>(text[i]);
  unsigned long cp;
  if (lead >= 0xC2 && lead <= 0xDF) {
    count = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    count = 3;
    cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    count = 4;
    cp = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() - i < count) return 0;
  for (size_t k = 1; k < count; ++k) {
    const unsigned char next = static_cast<unsigned char>(text[i + k]);
    if ((next >> 6) != 2) return 0;
    cp = (cp << 6) | (next & 0x3F);
  }
  const unsigned long smallest = count == 2   ? 0x80
                                 : count == 3 ? 0x800
                                              : 0x10000;
  if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return cp;
}

}  // namespace

std::wstring fromUtf8(const std::string& text) {
  std::wstring out;
  out.reserve(text.size());
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    size_t count = 1;
    unsigned long cp = c;
    if (c >= 0x80 && (cp = decodeAt(text, i, count)) == 0) {
      // Not UTF-8: keep the byte as a Latin-1 character.
      out.push_back(static_cast<wchar_t>(c));
      ++i;
      continue;
    }
    appendCodePoint(out, cp);
    i += count;
  }
  return out;
}

std::string toUtf8(const std::wstring& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned long cp = static_cast<unsigned long>(text[i]);
    if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp < 0xDC00 &&
        i + 1 < text.size()) {
      unsigned long low = static_cast<unsigned long>(text[i + 1]);
      if (low >= 0xDC00 && low < 0xE000) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

bool parseInt(const std::wstring& text, long long& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
    negative = text[i] == L'-';
    ++i;
  }
  if (i == text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return false;
    v = v * 10 + (text[i] - L'0');
    if (v > 4000000000LL) return false;
  }
  value = negative ? -v : v;
  return true;
}

}  // namespace Sim
