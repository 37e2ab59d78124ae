#include "model/SetConvertor.h"

#include <utility>

namespace Tavik {

SetConvertor<std::wstring>::SetConvertor(std::shared_ptr<SetIdentifier> set)
    : set(std::move(set)) {}

const wchar_t* SetConvertor<std::wstring>::otherLabelFor(int element) {
  if (set->firstElement == -1 || set->cardinality == -1) {
    current.clear();
    return current.c_str();
  }
  return set->labelOf(element);
}

void SetConvertor<std::wstring>::assignIndex(int element, Value& cell) {
  cell.str = labelFor(element);
}

// Element 0 is the engine's "no element": a missing value, not a label.
void SetConvertor<std::wstring>::assignValue(const tagTavikValueW& record,
                                             Value& cell) {
  cell.str = record.Int == 0 ? nullptr : labelFor(record.Int);
}

namespace {

// The element of a label the set must already have.
int existingElement(const SetIdentifier& set, const std::wstring& label) {
  int element = 0;
  if (!set.findElement(label, element)) set.throwMissingLabel(label);
  return element;
}

}  // namespace

int SetConvertor<std::wstring>::elementFor(const wchar_t* text, bool mayAdd) {
  auto lookUp = [&]() {
    return mayAdd ? set->getElementFromLabel(std::wstring(text))
                  : existingElement(*set, std::wstring(text));
  };
  if (!stableText) return lookUp();
  // Rows often repeat the previous label (data sorted by a dimension).
  if (text == lastText) return lastElement;
  int* known = elementByText.find(text);
  const int element = known != nullptr ? *known : lookUp();
  if (known == nullptr) elementByText.insert(text, element);
  lastText = text;
  lastElement = element;
  return element;
}

void SetConvertor<std::wstring>::assignTavikIndex(const Value& cell,
                                                  std::vector<int>& tuple) {
  tuple.push_back(elementFor(cell.str, true));
}

// An element value must be an element of the range set: the mode a
// previous write left on the cached set does not apply to values.
void SetConvertor<std::wstring>::assignTavikValue(const Value& cell,
                                                  tagTavikValueW& record) {
  record.Int = elementFor(cell.str, false);
}

void SetConvertor<std::wstring>::beginTransfer(bool stable) {
  stableText = stable;
  lastText = nullptr;
  elementByText.clear();
  pendingText.clear();
}

bool SetConvertor<std::wstring>::check(const wchar_t* text,
                                       PendingElements& pending, int& element,
                                       bool mayAdd) {
  if (stableText) {
    if (text == lastText) {
      element = lastElement;
      return true;
    }
    if (int* known = elementByText.find(text)) {
      element = *known;
      lastText = text;
      lastElement = element;
      return true;
    }
    if (pendingText.find(text) != nullptr) return false;
  }
  std::wstring label(text);
  if (set->findElement(label, element)) {
    if (stableText) {
      elementByText.insert(text, element);
      lastText = text;
      lastElement = element;
    }
    return true;
  }
  if (!mayAdd || set->unknownElementMode != 1) set->throwMissingLabel(label);
  pending.add(set, std::move(label));
  if (stableText) pendingText.insert(text, true);
  return false;
}

bool SetConvertor<std::wstring>::checkTavikIndex(const Value& cell,
                                                 PendingElements& pending,
                                                 int& element) {
  return check(cell.str, pending, element, true);
}

bool SetConvertor<std::wstring>::checkTavikValue(const Value& cell,
                                                 PendingElements& pending,
                                                 tagTavikValueW& record) {
  int element = 0;
  if (!check(cell.str, pending, element, false)) return false;
  record.Int = element;
  return true;
}

}  // namespace Tavik
