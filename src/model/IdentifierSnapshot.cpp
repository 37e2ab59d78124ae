#include "model/IdentifierSnapshot.h"

#include <algorithm>
#include <cwchar>
#include <utility>

#include "engine/TavikException.h"
#include "model/TupleCalls.h"
#include "model/WholeText.h"

namespace Tavik {

namespace {

const int kTextBuffer = 256;

}  // namespace

IdentifierSnapshot::IdentifierSnapshot(std::shared_ptr<ITavik> api, int handle,
                                       std::size_t dimension, Kind kind)
    : api(std::move(api)), handle(handle), dimension(dimension), kind(kind) {}

void IdentifierSnapshot::keepText(const wchar_t* text) {
  starts.push_back(chars.size());
  chars.insert(chars.end(), text, text + std::wcslen(text) + 1);
}

// A text that filled the buffer is asked for again by its tuple (null: the
// scalar), whole.
const wchar_t* IdentifierSnapshot::wholeText(const char* context, int* tuple,
                                             const wchar_t* buffer) {
  if (!filledToEnd(buffer, kTextBuffer)) return buffer;
  const WholeText::Outcome outcome =
      whole.fetchValue(*api, handle, tuple, kTextBuffer);
  if (outcome == WholeText::Refused) throw TavikException(context, api);
  if (outcome == WholeText::TooLong)
    throw TavikException("A value is too long to be read whole");
  return whole.text();
}

// Keeps the value the engine just put in record (and buffer) as value k.
void IdentifierSnapshot::keepValue(std::size_t k, int* tuple,
                                   const tagTavikValueW& record,
                                   wchar_t* buffer, const char* context) {
  switch (kind) {
    case Numbers: numbers[k] = record.Double; break;
    case Integers: integers[k] = record.Int; break;
    case Texts:
      buffer[kTextBuffer - 1] = L'\0';
      keepText(wholeText(context, tuple, buffer));
      break;
  }
}

void IdentifierSnapshot::resizeRows(std::size_t rows) {
  tuples.resize(rows * dimension);
  if (kind == Numbers) numbers.resize(rows);
  if (kind == Integers) integers.resize(rows);
}

void IdentifierSnapshot::capture(const char* context) {
  std::vector<wchar_t> buffer(kTextBuffer);
  tagTavikValueW record;
  if (dimension == 0) {
    record.Length = kTextBuffer;
    record.String = buffer.data();
    if (!api->ValueRetrieveW(handle, nullptr, &record))
      throw TavikException(context, api);
    resizeRows(1);
    keepValue(0, nullptr, record, buffer.data(), context);
    count = 1;
    return;
  }

  int hint = -1;
  const bool hinted = api->ValueCard(handle, &hint) && hint >= 0;
  // The engine writes each tuple straight into the kept tuples; the rows
  // are made in large steps and trimmed at the end.
  std::size_t rows =
      hinted && hint < (1 << 26) ? static_cast<std::size_t>(hint) + 1 : 1024;
  resizeRows(rows);
  if (!api->ValueResetHandle(handle)) throw TavikException(context, api);
  const TupleCalls calls(*api);
  for (;;) {
    if (count == rows) {
      rows *= 2;
      resizeRows(rows);
    }
    int* tuple = &tuples[count * dimension];
    record.Length = kTextBuffer;
    record.String = buffer.data();
    if (!calls.ValueNextW(handle, tuple, &record)) break;
    keepValue(count, tuple, record, buffer.data(), context);
    ++count;
  }
  // As when reading: past the end the engine keeps answering 0.
  if (!hinted || static_cast<std::size_t>(hint) != count) {
    record.Length = kTextBuffer;
    record.String = buffer.data();
    if (api->ValueNextW(handle, &tuples[count * dimension], &record))
      throw TavikException(context, api);
  }
  resizeRows(count);
}

void IdentifierSnapshot::valueAt(std::size_t k, tagTavikValueW& record) {
  switch (kind) {
    case Numbers: record.Double = numbers[k]; break;
    case Integers: record.Int = integers[k]; break;
    case Texts: {
      wchar_t* text = &chars[starts[k]];
      record.Length = static_cast<int>(std::wcslen(text));
      record.String = text;
      break;
    }
  }
}

void IdentifierSnapshot::captureAt(const int* at, std::size_t rows,
                                   const char* context) {
  partial = true;
  const TupleCalls calls(*api);
  std::vector<wchar_t> buffer(kTextBuffer);
  tagTavikValueW record;
  resizeRows(rows);
  if (rows > 0) std::copy(at, at + rows * dimension, tuples.begin());
  for (std::size_t r = 0; r < rows; ++r) {
    int* tuple = &tuples[r * dimension];
    record.Length = kTextBuffer;
    record.String = buffer.data();
    if (!calls.ValueRetrieveW(handle, tuple, &record))
      throw TavikException(context, api);
    keepValue(r, tuple, record, buffer.data(), context);
  }
  count = rows;
}

bool IdentifierSnapshot::holdsKept(const tagTavikValueW& now) {
  switch (kind) {
    case Numbers:
      return now.Double == numbers[0] ||
             (now.Double != now.Double && numbers[0] != numbers[0]);
    case Integers: return now.Int == integers[0];
    case Texts: return std::wcscmp(now.String, &chars[starts[0]]) == 0;
  }
  return false;
}

// A refused assign may have changed nothing: the value is looked at first
// and written back only when it differs, so the error can say what the
// scalar holds.
bool IdentifierSnapshot::restoreScalar(std::string& context) {
  std::vector<wchar_t> buffer(kTextBuffer);
  tagTavikValueW record;
  record.Length = kTextBuffer;
  record.String = buffer.data();
  bool same = false;
  seenOther = false;
  try {
    if (api->ValueRetrieveW(handle, nullptr, &record)) {
      buffer[kTextBuffer - 1] = L'\0';
      if (kind == Texts)
        record.String = const_cast<wchar_t*>(
            wholeText(context.c_str(), nullptr, buffer.data()));
      same = holdsKept(record);
      seenOther = !same;
    }
  } catch (const TavikException&) {
    // What it holds can't be told; it is written back all the same.
  }
  if (same) {
    written = 1;
    return true;
  }
  valueAt(0, record);
  if (!api->ValueAssignW(handle, nullptr, &record)) {
    reason = TavikException::generateTavikException(context, api);
    return false;
  }
  written = 1;
  return true;
}

bool IdentifierSnapshot::restore(std::size_t changed) {
  written = 0;
  wasEmptied = false;
  reason.clear();
  std::string context = "IdentifierSnapshot::restore";
  if (partial) {
    // A tuple may come twice: going backwards leaves its first old value.
    tagTavikValueW record;
    for (std::size_t k = changed; k-- > 0;) {
      valueAt(k, record);
      if (!api->ValueAssignW(handle, &tuples[k * dimension], &record)) {
        reason = TavikException::generateTavikException(context, api);
        return false;
      }
      ++written;
    }
    return true;
  }
  if (dimension == 0) return restoreScalar(context);
  if (!api->IdentifierEmpty(handle)) {
    reason = TavikException::generateTavikException(context, api);
    return false;
  }
  wasEmptied = true;
  tagTavikValueW record;
  const TupleCalls calls(*api);
  for (std::size_t k = 0; k < count; ++k) {
    valueAt(k, record);
    if (!calls.ValueAssignW(handle, &tuples[k * dimension], &record)) {
      reason = TavikException::generateTavikException(context, api);
      return false;
    }
    ++written;
  }
  return true;
}

}  // namespace Tavik
