#include "simengine/TextTransfer.h"

#include "simengine/Refusal.h"

namespace Sim {

void checkTextBuffer(int capacity, const wchar_t* buffer) {
  requirePointer(buffer);
  if (capacity <= 0) {
    throw Refusal(kBadArgument, L"string buffer length must be positive");
  }
}

void writeText(const wchar_t* text, size_t length, int& capacity,
               wchar_t* buffer, bool writeBackLength) {
  size_t room = static_cast<size_t>(capacity);
  size_t n = length < room - 1 ? length : room - 1;
  for (size_t i = 0; i < n; ++i) buffer[i] = text[i];
  buffer[n] = L'\0';
  if (writeBackLength) capacity = static_cast<int>(length);
}

void checkValueRecord(ValueKind kind, const tagTavikValueW& record) {
  if (kind == ValueKind::String) checkTextBuffer(record.Length, record.String);
}

void writeValue(const ValueColumn& values, size_t slot, tagTavikValueW& record,
                bool writeBackLength) {
  switch (values.kind()) {
    case ValueKind::Double: record.Double = values.numberAt(slot); break;
    case ValueKind::String: {
      size_t length = 0;
      const wchar_t* text = values.textAt(slot, length);
      writeText(text, length, record.Length, record.String, writeBackLength);
      break;
    }
    default: record.Int = values.integerAt(slot);
  }
}

void writeDefault(ValueKind kind, tagTavikValueW& record,
                  bool writeBackLength) {
  switch (kind) {
    case ValueKind::Double: record.Double = 0.0; break;
    case ValueKind::String:
      writeText(L"", 0, record.Length, record.String, writeBackLength);
      break;
    default: record.Int = 0;
  }
}

CellValue readValue(Project& project, const Identifier& identifier,
                    const tagTavikValueW& record) {
  CellValue cell;
  switch (identifier.data->values().kind()) {
    case ValueKind::Double: cell.number = record.Double; break;
    case ValueKind::Integer: cell.integer = record.Int; break;
    case ValueKind::Element: {
      cell.integer = record.Int;
      const SimSet& range = project.set(identifier.range);
      if (cell.integer != 0 && !range.contains(cell.integer)) {
        throw Refusal(kNotInSet, L"element " + std::to_wstring(cell.integer) +
                                     L" is not in set " + quoted(range.name()));
      }
      break;
    }
    case ValueKind::String: {
      if (record.Length < 0) {
        throw Refusal(kBadArgument, L"string length must not be negative");
      }
      if (record.Length > 0) requirePointer(record.String);
      // The text ends at Length characters or at an earlier zero.
      size_t length = 0;
      while (length < static_cast<size_t>(record.Length) &&
             record.String[length] != L'\0') {
        ++length;
      }
      cell.text = record.String;
      cell.length = length;
      break;
    }
  }
  return cell;
}

void checkTuple(Project& project, const Identifier& identifier,
                const int* tuple) {
  for (size_t k = 0; k < identifier.domainSets.size(); ++k) {
    const SimSet& set = project.set(identifier.domainSets[k]);
    if (!set.contains(tuple[k])) {
      throw Refusal(kNotInSet, L"element " + std::to_wstring(tuple[k]) +
                                   L" is not in set " + quoted(set.name()));
    }
  }
}

int outsideOf(const SimSet& set) {
  int largest = set.largest();
  return largest <= 2147483647 - 1000 ? largest + 1000 : set.at(0) - 1000;
}

}  // namespace Sim
