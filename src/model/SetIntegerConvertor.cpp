#include "model/SetConvertor.h"

#include <utility>

#include "engine/TavikContract.h"

namespace Tavik {

namespace {

// 32-bit wrap-around, as the engine's ints do, instead of overflow.
int shifted(int value, int by) {
  return static_cast<int>(static_cast<unsigned int>(value) +
                          static_cast<unsigned int>(by));
}

std::wstring decimal(int value) { return std::to_wstring(value); }

}  // namespace

SetConvertor<int>::SetConvertor(std::shared_ptr<SetIdentifier> set)
    : set(std::move(set)) {}

void SetConvertor<int>::assignIndex(int element, Value& cell) {
  current = shifted(element, -TAVIK_INTEGER_ELEMENT_OFFSET);
  cell.integer = &current;
}

// Element 0 is the engine's "no element": a missing value, not an integer.
void SetConvertor<int>::assignValue(const tagTavikValueW& record, Value& cell) {
  current = record.Int == 0
                ? kMissingInteger
                : shifted(record.Int, -TAVIK_INTEGER_ELEMENT_OFFSET);
  cell.integer = &current;
}

int SetConvertor<int>::elementFor(int value) {
  if (int* known = elementByValue.find(value)) return *known;
  const int element = set->getElementFromLabel(decimal(value));
  elementByValue.insert(value, element);
  return element;
}

void SetConvertor<int>::assignTavikIndex(const Value& cell,
                                         std::vector<int>& tuple) {
  tuple.push_back(elementFor(*cell.integer));
}

void SetConvertor<int>::assignTavikValue(const Value& cell,
                                         tagTavikValueW& record) {
  current = shifted(*cell.integer, TAVIK_INTEGER_ELEMENT_OFFSET);
  record.Int = current;
}

void SetConvertor<int>::beginTransfer(bool stableText) {
  elementByValue.clear();
  pendingValue.clear();
}

bool SetConvertor<int>::check(int value, PendingElements& pending, int& element,
                              bool mayAdd) {
  if (int* known = elementByValue.find(value)) {
    element = *known;
    return true;
  }
  if (pendingValue.find(value) != nullptr) return false;
  std::wstring label = decimal(value);
  if (set->findElement(label, element)) {
    elementByValue.insert(value, element);
    return true;
  }
  if (!mayAdd || set->unknownElementMode != 1) set->throwMissingLabel(label);
  pending.add(set, std::move(label));
  pendingValue.insert(value, true);
  return false;
}

bool SetConvertor<int>::checkTavikIndex(const Value& cell,
                                        PendingElements& pending,
                                        int& element) {
  return check(*cell.integer, pending, element, true);
}

// A value outside the range set would be refused by the engine only once
// the identifier has been emptied, so it is looked up like an index first;
// the mode a previous write left on the cached set does not apply to it.
bool SetConvertor<int>::checkTavikValue(const Value& cell,
                                        PendingElements& pending,
                                        tagTavikValueW& record) {
  int element = 0;
  if (!check(*cell.integer, pending, element, false)) return false;
  assignTavikValue(cell, record);
  return true;
}

}  // namespace Tavik
