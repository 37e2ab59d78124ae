#include "model/SetConvertor.h"

#include <utility>

namespace Tavik {

SetConvertor<std::wstring>::SetConvertor(std::shared_ptr<SetIdentifier> set)
    : set(std::move(set)) {}

const wchar_t* SetConvertor<std::wstring>::labelFor(int element) {
  if (set->firstElement == -1 || set->cardinality == -1) {
    current.clear();
    return current.c_str();
  }
  return set->labelOf(element);
}

void SetConvertor<std::wstring>::assignIndex(int element, Value& cell) {
  cell.str = labelFor(element);
}

void SetConvertor<std::wstring>::assignValue(const tagTavikValueW& record,
                                             Value& cell) {
  cell.str = labelFor(record.Int);
}

int SetConvertor<std::wstring>::elementFor(const wchar_t* text) {
  if (!stableText) return set->getElementFromLabel(std::wstring(text));
  // Rows often repeat the previous label (data sorted by a dimension).
  if (text == lastText) return lastElement;
  int* known = elementByText.find(text);
  const int element = known != nullptr
                          ? *known
                          : set->getElementFromLabel(std::wstring(text));
  if (known == nullptr) elementByText.insert(text, element);
  lastText = text;
  lastElement = element;
  return element;
}

void SetConvertor<std::wstring>::assignTavikIndex(const Value& cell,
                                                  std::vector<int>& tuple) {
  tuple.push_back(elementFor(cell.str));
}

void SetConvertor<std::wstring>::assignTavikValue(const Value& cell,
                                                  tagTavikValueW& record) {
  record.Int = elementFor(cell.str);
}

void SetConvertor<std::wstring>::beginTransfer(bool stable) {
  stableText = stable;
  lastText = nullptr;
  elementByText.clear();
  pendingText.clear();
}

void SetConvertor<std::wstring>::check(const wchar_t* text,
                                       PendingElements& pending) {
  if (stableText &&
      (elementByText.find(text) != nullptr || pendingText.find(text) != nullptr))
    return;
  std::wstring label(text);
  int element = 0;
  if (set->findElement(label, element)) {
    if (stableText) elementByText.insert(text, element);
    return;
  }
  if (set->unknownElementMode != 1) set->throwMissingLabel(label);
  pending.add(set, std::move(label));
  if (stableText) pendingText.insert(text, true);
}

void SetConvertor<std::wstring>::checkTavikIndex(const Value& cell,
                                                 PendingElements& pending) {
  check(cell.str, pending);
}

void SetConvertor<std::wstring>::checkTavikValue(const Value& cell,
                                                 PendingElements& pending) {
  check(cell.str, pending);
}

}  // namespace Tavik
