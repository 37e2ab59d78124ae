// Round-trips texts through the simulated engine's wide entry points with
// the binding's own UTF-8 conversions, as a Windows program. wchar_t has 16
// bits there: a character outside the Basic Multilingual Plane is two code
// units, so lengths in code units differ from lengths in characters, and a
// buffer the engine cuts can end between the two halves of one character.
// Writes a project file of such labels and values into the given folder,
// reads them back (file -> engine -> binding), writes them through the
// binding and reads them again (binding -> engine -> binding), and checks
// code unit counts and UTF-8 bytes. Prints one line per check and exits
// non-zero when any fails.
//   text-check <engine dll> <folder for the project file>
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "engine/ITavik.h"
#include "engine/LoadedTavikAPI.h"
#include "engine/TextConversion.h"

static_assert(sizeof(wchar_t) == 2, "a Windows program: 16-bit wchar_t");

namespace {

// The binding's first buffers: values read by a transfer, and set labels.
const int kValueBuffer = 256;
const int kLabelBuffer = 300;
const std::string kEmoji = u8"\U0001F600";  // two code units, four bytes

int failures = 0;

int checks = 0;

// Only failures are printed; the closing line counts the checks.
void check(bool ok, const std::string& what) {
  ++checks;
  if (ok) return;
  std::printf("FAIL %s\n", what.c_str());
  ++failures;
}

std::string repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// A text, its length in UTF-16 code units, and what a buffer too small for
// it holds once converted: the bytes of the part that fits, or nothing when
// the cut splits a character and the conversion must refuse it.
struct TextCase {
  std::string what;
  std::string utf8;
  std::size_t units;
  bool cutConverts;
  std::string cutUtf8;
};

std::vector<TextCase> labelCases() {
  const std::string x = "x";
  return {
      {"letters with marks", u8"Z\u00FCrich \u00C6r\u00F8sk\u00F8bing \u0141\u00F3d\u017A", 22, true, ""},
      {"CJK letters", u8"\u5317\u4EAC \u6771\u4EAC", 5, true, ""},
      {"an emoji alone", kEmoji, 2, true, ""},
      {"emoji between letters", "a" + kEmoji + "b" + u8"\U0001F389" + "c", 7, true, ""},
      {"298 units ending in an emoji", repeat(x, 296) + kEmoji, 298, true, ""},
      {"299 units: the buffer full", repeat(x, 297) + kEmoji, 299, true, ""},
      {"300 units: cut inside the emoji", repeat(x, 298) + kEmoji, 300, false, ""},
      {"301 units: cut before the emoji", repeat(x, 299) + kEmoji, 301, true, repeat(x, 299)},
      {"200 emoji: 200 characters, 400 units", repeat(kEmoji, 200), 400, false, ""},
  };
}

std::vector<TextCase> valueCases() {
  const std::string x = "x";
  return {
      {"a value with marks and an emoji", u8"Gr\u00FC\u00DFe " + kEmoji, 8, true, ""},
      {"254 units ending in an emoji", repeat(x, 252) + kEmoji, 254, true, ""},
      {"255 units: the buffer full", repeat(x, 253) + kEmoji, 255, true, ""},
      {"256 units: cut inside the emoji", repeat(x, 254) + kEmoji, 256, false, ""},
      {"257 units: cut before the emoji", repeat(x, 255) + kEmoji, 257, true, repeat(x, 255)},
  };
}

// Bytes in a project file that are not UTF-8, and the text they must read
// back as: each byte of a broken sequence as the Latin-1 character of the
// same number, the same whatever the size of wchar_t.
struct RawLabel {
  std::string bytes;
  TextCase read;
};

std::vector<RawLabel> rawLabels() {
  return {
      {"\xED\xA0\xBD\xED\xB8\x80",
       {"an emoji as two encoded surrogates",
        u8"\u00ED\u00A0\u00BD\u00ED\u00B8\u0080", 6, true, ""}},
      {"\xF4\x90\x80\x80",
       {"a number past U+10FFFF", u8"\u00F4\u0090\u0080\u0080", 4, true, ""}},
      {"a\xC0\x80z",
       {"an overlong zero", u8"a\u00C0\u0080z", 4, true, ""}},
  };
}

std::wstring wide(const std::string& utf8) {
  std::wstring out;
  if (!utf8ToWide(utf8.data(), utf8.size(), out)) out = L"(not UTF-8)";
  return out;
}

// A read buffer of capacity units as the engine is told, and one unit more
// that it must leave alone.
const wchar_t kGuard = static_cast<wchar_t>(0xFFFF);
std::vector<wchar_t> guardedBuffer(int capacity) {
  std::vector<wchar_t> buffer(static_cast<std::size_t>(capacity) + 1, L'\0');
  buffer.back() = kGuard;
  return buffer;
}

// What the engine wrote into a guarded buffer of this capacity, against the
// case: the whole text when it fits, else capacity - 1 units (the buffer
// filled to its end) whose conversion gives the part that fits or is
// refused.
void checkRead(const TextCase& c, const std::vector<wchar_t>& buffer,
               int capacity, const std::string& where) {
  const std::string label = where + ", " + c.what + ": ";
  if (buffer[capacity] != kGuard) {
    check(false, label + "written past the buffer of " +
                     std::to_string(capacity));
    return;
  }
  const auto end = buffer.begin() + capacity;
  const auto zero = std::find(buffer.begin(), end, L'\0');
  if (zero == end) {
    check(false, label + "no zero in the buffer of " + std::to_string(capacity));
    return;
  }
  const std::size_t units = static_cast<std::size_t>(zero - buffer.begin());
  std::string bytes;
  const bool converts = wideToUtf8(buffer.data(), units, bytes);
  if (c.units < static_cast<std::size_t>(capacity)) {
    check(units == c.units && converts && bytes == c.utf8,
          label + std::to_string(units) + " units, " +
              std::to_string(bytes.size()) + " bytes, as written");
    return;
  }
  const std::size_t cut = static_cast<std::size_t>(capacity) - 1;
  check(units == cut, label + "buffer of " + std::to_string(capacity) +
                          " filled to its end (" + std::to_string(units) +
                          " units)");
  check(converts == c.cutConverts && (!converts || bytes == c.cutUtf8),
        label + (c.cutConverts ? "the part that fits converts"
                               : "the split character is refused"));
}

class TextRoundTrip {
 public:
  TextRoundTrip(std::shared_ptr<Tavik::ITavik> api) : api(api) {}

  int handle(const std::string& utf8Name) {
    std::wstring name = wide(utf8Name);
    int result = 0;
    if (!api->IdentifierHandleCreateW(&name[0], nullptr, nullptr, 0, &result))
      return 0;
    return result;
  }

  int element(int set, int ordinal) {
    int result = 0;
    api->SetOrdinalToElement(set, ordinal, &result);
    return result;
  }

  // A label read into a buffer of capacity; checked, then read again with
  // room for all of it, as a caller does when the buffer came back full.
  void readLabel(int set, int elementNumber, const TextCase& c,
                 const std::string& where) {
    for (int capacity : {kLabelBuffer, static_cast<int>(c.units) + 1}) {
      std::vector<wchar_t> buffer = guardedBuffer(capacity);
      tagTavikStringW name = {capacity, buffer.data()};
      if (!api->SetElementToNameW(set, elementNumber, &name)) {
        check(false, where + ", " + c.what + ": label read");
        return;
      }
      checkRead(c, buffer, capacity,
                capacity == kLabelBuffer ? where : where + " again");
      if (c.units < static_cast<std::size_t>(kLabelBuffer)) return;
    }
  }

  void readValue(int identifier, int* tuple, const TextCase& c,
                 const std::string& where) {
    for (int capacity : {kValueBuffer, static_cast<int>(c.units) + 1}) {
      std::vector<wchar_t> buffer = guardedBuffer(capacity);
      tagTavikValueW value;
      value.Length = capacity;
      value.String = buffer.data();
      if (!api->ValueRetrieveW(identifier, tuple, &value)) {
        check(false, where + ", " + c.what + ": value read");
        return;
      }
      checkRead(c, buffer, capacity,
                capacity == kValueBuffer ? where : where + " again");
      if (c.units < static_cast<std::size_t>(kValueBuffer)) return;
    }
  }

  std::shared_ptr<Tavik::ITavik> api;
};

std::string quotedList(const std::vector<TextCase>& cases) {
  std::string out;
  for (const TextCase& c : cases) out += " \"" + c.utf8 + "\"";
  return out;
}

std::string quotedList(const std::vector<RawLabel>& labels) {
  std::string out;
  for (const RawLabel& label : labels) out += " \"" + label.bytes + "\"";
  return out;
}

// Labels in a set Words, bytes that are not UTF-8 in a set Raw, values of
// Note over the set Keys (k1, k2, ...), an empty parameter Written for the
// write path, and a scalar whose name has letters with marks and an emoji.
bool writeProject(const std::string& path, const std::string& scalarName) {
  const std::vector<TextCase> values = valueCases();
  std::string text = "set Words = {" + quotedList(labelCases()) + " }\n";
  text += "set Raw = {" + quotedList(rawLabels()) + " }\n";
  text += "set Fresh = { seed }\n";
  text += "set Keys = { k1..k" + std::to_string(values.size()) + " }\n";
  text += "string parameter Note(Keys) = {\n";
  for (std::size_t k = 0; k < values.size(); ++k)
    text += "  k" + std::to_string(k + 1) + " : \"" + values[k].utf8 + "\"\n";
  text += "}\nstring parameter Written(Keys)\n";
  text += "parameter " + scalarName + " = 1\n";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written =
      std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

void checkFileTexts(TextRoundTrip& trip) {
  const std::vector<TextCase> labels = labelCases();
  int words = trip.handle("Words");
  for (std::size_t i = 0; i < labels.size(); ++i)
    trip.readLabel(words, trip.element(words, static_cast<int>(i) + 1),
                   labels[i], "file label");

  const std::vector<RawLabel> raw = rawLabels();
  int rawSet = trip.handle("Raw");
  for (std::size_t i = 0; i < raw.size(); ++i)
    trip.readLabel(rawSet, trip.element(rawSet, static_cast<int>(i) + 1),
                   raw[i].read, "file bytes that are not UTF-8");

  const std::vector<TextCase> values = valueCases();
  int note = trip.handle("Note");
  int keys = trip.handle("Keys");
  for (std::size_t k = 0; k < values.size(); ++k) {
    int tuple = trip.element(keys, static_cast<int>(k) + 1);
    trip.readValue(note, &tuple, values[k], "file value");
  }

  // The iteration hands out the same buffer for every value in turn.
  trip.api->ValueResetHandle(note);
  std::vector<wchar_t> buffer = guardedBuffer(kValueBuffer);
  int tuple = 0;
  for (std::size_t k = 0; k < values.size(); ++k) {
    tagTavikValueW value;
    value.Length = kValueBuffer;
    value.String = buffer.data();
    if (!trip.api->ValueNextW(note, &tuple, &value)) {
      check(false, "iterated value " + std::to_string(k + 1) + " delivered");
      return;
    }
    checkRead(values[k], buffer, kValueBuffer, "iterated value");
  }
}

void checkWrittenTexts(TextRoundTrip& trip) {
  const std::vector<TextCase> labels = labelCases();
  int fresh = trip.handle("Fresh");
  for (const TextCase& c : labels) {
    std::wstring label = wide(c.utf8);
    check(label.size() == c.units,
          "UTF-8 to wide, " + c.what + ": " + std::to_string(label.size()) +
              " units");
    int added = 0;
    if (!trip.api->SetAddElement(fresh, &label[0], &added)) {
      check(false, "written label, " + c.what + ": added");
      continue;
    }
    trip.readLabel(fresh, added, c, "written label");
  }

  const std::vector<TextCase> values = valueCases();
  int written = trip.handle("Written");
  int keys = trip.handle("Keys");
  for (std::size_t k = 0; k < values.size(); ++k) {
    int tuple = trip.element(keys, static_cast<int>(k) + 1);
    std::wstring text = wide(values[k].utf8);
    tagTavikValueW value;
    value.Length = static_cast<int>(text.size());
    value.String = &text[0];
    if (!trip.api->ValueAssignW(written, &tuple, &value)) {
      check(false, "written value, " + values[k].what + ": assigned");
      continue;
    }
    trip.readValue(written, &tuple, values[k], "written value");
  }
}

// Identifier names go both ways too, and the engine's error text quotes
// them back.
void checkNames(TextRoundTrip& trip, const std::string& scalarName) {
  int scalar = trip.handle(scalarName);
  std::vector<wchar_t> buffer(kValueBuffer, L'\0');
  tagTavikStringW name = {kValueBuffer, buffer.data()};
  std::string bytes;
  check(scalar && trip.api->AttributeNameW(scalar, &name) &&
            wideToUtf8(buffer.data(), std::wcslen(buffer.data()), bytes) &&
            bytes == scalarName,
        "identifier name read back as written");

  check(trip.handle(scalarName + "X") == 0, "unknown identifier refused");
  int code = 0;
  wchar_t message[512] = {0};
  const bool told = trip.api->APILastError(&code, message) &&
                    wideToUtf8(message, std::wcslen(message), bytes);
  check(told && bytes == "unknown identifier '" + scalarName + "X'",
        "engine error text quotes the name: " + bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: text-check <engine dll> <folder>\n");
    return 2;
  }
  const std::string scalarName = u8"Gr\u00F6\u00DFe" + kEmoji;
  const std::string projectFile = std::string(argv[2]) + "\\texts.tvp";
  if (!writeProject(projectFile, scalarName)) {
    std::printf("FAIL could not write %s\n", projectFile.c_str());
    return 1;
  }
  std::shared_ptr<Tavik::ITavik> api =
      Tavik::TavikAPI::getSharedTavikAPI(a2w(argv[1]));
  if (!api) {
    std::printf("FAIL engine library not loaded\n");
    return 1;
  }
  std::wstring projectPath = a2w(projectFile);
  int project = 0;
  if (!api->ProjectOpen(&projectPath[0], &project) || project == 0) {
    int code = 0;
    wchar_t message[512] = {0};
    api->APILastError(&code, message);
    std::string why;
    wideToUtf8(message, std::wcslen(message), why);
    std::printf("FAIL project not opened: %s\n", why.c_str());
    return 1;
  }
  TextRoundTrip trip(api);
  checkFileTexts(trip);
  checkWrittenTexts(trip);
  checkNames(trip, scalarName);
  api->ProjectClose(project, 0);
  std::printf("%d checks, %d failed\n", checks, failures);
  return failures == 0 ? 0 : 1;
}
