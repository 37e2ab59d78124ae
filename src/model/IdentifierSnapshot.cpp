#include "model/IdentifierSnapshot.h"

#include <cwchar>
#include <utility>

#include "engine/TavikException.h"
#include "model/WholeText.h"

namespace Tavik {

namespace {

const int kTextBuffer = 256;

}  // namespace

IdentifierSnapshot::IdentifierSnapshot(std::shared_ptr<ITavik> api,
                                       int handle, std::size_t dimension,
                                       Kind kind)
    : api(std::move(api)), handle(handle), dimension(dimension), kind(kind) {}

void IdentifierSnapshot::keep(const tagTavikValueW& record) {
  switch (kind) {
    case Numbers:
      numbers.push_back(record.Double);
      break;
    case Integers:
      integers.push_back(record.Int);
      break;
    case Texts: {
      starts.push_back(chars.size());
      const wchar_t* text = record.String;
      chars.insert(chars.end(), text, text + std::wcslen(text) + 1);
      break;
    }
  }
  ++count;
}

void IdentifierSnapshot::capture(const char* context) {
  std::vector<wchar_t> buffer(kTextBuffer);
  WholeText whole;
  tagTavikValueW record;
  // A text that filled the buffer is asked for again by its tuple.
  auto keepWhole = [&](int* tuple) {
    buffer[kTextBuffer - 1] = L'\0';
    if (kind == Texts && filledToEnd(buffer.data(), kTextBuffer)) {
      const WholeText::Outcome outcome = whole.fetch(
          [&](int& capacity, wchar_t* text) {
            tagTavikValueW longer;
            longer.Length = capacity;
            longer.String = text;
            const int ok = api->ValueRetrieveW(handle, tuple, &longer);
            capacity = longer.Length;
            return ok != 0;
          },
          kTextBuffer);
      if (outcome == WholeText::Refused) throw TavikException(context, api);
      if (outcome == WholeText::TooLong)
        throw TavikException("A value is too long to be read whole");
      record.String = const_cast<wchar_t*>(whole.text());
    }
    keep(record);
  };

  if (dimension == 0) {
    record.Length = kTextBuffer;
    record.String = buffer.data();
    if (!api->ValueRetrieveW(handle, nullptr, &record))
      throw TavikException(context, api);
    keepWhole(nullptr);
    return;
  }

  int hint = -1;
  if (api->ValueCard(handle, &hint) && hint > 0 && hint < (1 << 26)) {
    tuples.reserve(static_cast<std::size_t>(hint) * dimension);
    if (kind == Numbers) numbers.reserve(static_cast<std::size_t>(hint));
    if (kind == Integers) integers.reserve(static_cast<std::size_t>(hint));
  }
  if (!api->ValueResetHandle(handle)) throw TavikException(context, api);
  std::vector<int> tuple(dimension);
  for (;;) {
    record.Length = kTextBuffer;
    record.String = buffer.data();
    if (!api->ValueNextW(handle, tuple.data(), &record)) break;
    tuples.insert(tuples.end(), tuple.begin(), tuple.end());
    keepWhole(tuple.data());
  }
  // As when reading: past the end the engine keeps answering 0.
  if (hint >= 0 && static_cast<std::size_t>(hint) != count) {
    record.Length = kTextBuffer;
    record.String = buffer.data();
    if (api->ValueNextW(handle, tuple.data(), &record))
      throw TavikException(context, api);
  }
}

void IdentifierSnapshot::valueAt(std::size_t k, tagTavikValueW& record) {
  switch (kind) {
    case Numbers:
      record.Double = numbers[k];
      break;
    case Integers:
      record.Int = integers[k];
      break;
    case Texts: {
      wchar_t* text = &chars[starts[k]];
      record.Length = static_cast<int>(std::wcslen(text));
      record.String = text;
      break;
    }
  }
}

bool IdentifierSnapshot::restore() {
  written = 0;
  wasEmptied = false;
  reason.clear();
  std::string context = "IdentifierSnapshot::restore";
  if (dimension > 0) {
    if (!api->IdentifierEmpty(handle)) {
      reason = TavikException::generateTavikException(context, api);
      return false;
    }
  }
  wasEmptied = true;
  tagTavikValueW record;
  for (std::size_t k = 0; k < count; ++k) {
    valueAt(k, record);
    int* tuple = dimension == 0 ? nullptr : &tuples[k * dimension];
    if (!api->ValueAssignW(handle, tuple, &record)) {
      reason = TavikException::generateTavikException(context, api);
      return false;
    }
    ++written;
  }
  return true;
}

}  // namespace Tavik
