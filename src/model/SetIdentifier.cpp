#include "model/SetIdentifier.h"

#include <algorithm>
#include <utility>

#include "engine/TavikException.h"
#include "engine/TextConversion.h"
#include "model/WholeText.h"

namespace Tavik {

namespace {

// Element numbers and offsets wrap like the engine's 32-bit ints, so an
// offset always leads back to the element it came from.
int offsetOf(int element, int first) {
  return static_cast<int>(static_cast<unsigned int>(element) -
                          static_cast<unsigned int>(first));
}

int elementAt(int first, int offset) {
  return static_cast<int>(static_cast<unsigned int>(first) +
                          static_cast<unsigned int>(offset));
}

// How far past its end the label table may grow for one element; numbers
// further out are kept apart.
std::size_t growthLimit(std::size_t size) {
  return size + std::max<std::size_t>(size, 1024);
}

}  // namespace

wchar_t SetIdentifier::buf[300];

SetIdentifier::SetIdentifier(std::wstring name, std::wstring scope,
                             std::shared_ptr<ITavik> api, int handle,
                             SetElementType elementType)
    : BaseIdentifier(std::move(name), std::move(scope), std::move(api), handle),
      elementType(elementType),
      firstElement(-1),
      cardinality(-1),
      unknownElementMode(0) {
  nameRecord.Length = 300;
  nameRecord.String = buf;
  if (!this->api->ValueCard(handle, &cardinality))
    throw TavikException("SetIdentifier::ctor::ValueCard", this->api);
  labels.assign(static_cast<std::size_t>(std::max(cardinality, 0)), nullptr);
  // A set without elements has no ordinal 1; its first element is the one
  // the engine hands out when a label is added.
  if (!this->api->SetOrdinalToElement(handle, 1, &firstElement)) {
    if (cardinality == 0) {
      firstElement = -1;
      return;
    }
    throw TavikException("SetIdentifier::ctor::SetOrdinalToElement", this->api);
  }
  if (cardinality == -1 || firstElement == -1)
    throw TavikException("SetIdentifier::ctor::load", this->api);

  // The engine refusing the ordinal after the last ends the set. Any other
  // refusal would leave the set short of labels or with another element's
  // label, and the set is cached: better no set than a wrong one.
  int element = 0;
  for (int ordinal = 1;; ++ordinal) {
    if (!this->api->SetOrdinalToElement(handle, ordinal, &element)) {
      if (ordinal <= cardinality)
        throw TavikException("SetIdentifier::ctor::SetOrdinalToElement",
                             this->api);
      break;
    }
    nameRecord.Length = 300;
    if (!this->api->SetElementToNameW(handle, element, &nameRecord))
      throw TavikException("SetIdentifier::ctor::SetElementToNameW", this->api);
    buf[299] = L'\0';
    ordered.push_back(element);
    if (filledToEnd(buf, 300))
      storeLabel(element, wholeLabel(element));
    else
      storeLabel(element, std::wstring(buf));
  }
}

// A label that filled the buffer is read again until it fits: two labels
// cut to the same start would otherwise become one.
std::wstring SetIdentifier::wholeLabel(int element) {
  WholeText whole;
  const WholeText::Outcome outcome = whole.fetch(
      [&](int& capacity, wchar_t* text) {
        tagTavikStringW record;
        record.Length = capacity;
        record.String = text;
        const int ok = api->SetElementToNameW(handle, element, &record);
        capacity = record.Length;
        return ok != 0;
      },
      300);
  if (outcome == WholeText::Refused)
    throw TavikException("SetIdentifier::ctor::SetElementToNameW", api);
  if (outcome == WholeText::TooLong)
    throw TavikException("A label of set " + w2a(name) +
                         " is too long to be read whole");
  return std::wstring(whole.text());
}

SetIdentifier::~SetIdentifier() {}

void SetIdentifier::storeLabel(int element, const std::wstring& label) {
  const int offset = offsetOf(element, firstElement);
  auto entry = elements.insert_or_assign(label, offset).first;
  const wchar_t* text = entry->first.c_str();
  if (offset >= 0) {
    const std::size_t slot = static_cast<std::size_t>(offset);
    if (slot < labels.size()) {
      labels[slot] = text;
      return;
    }
    if (slot <= growthLimit(labels.size())) {
      labels.resize(slot + 1, nullptr);
      labels[slot] = text;
      return;
    }
  }
  sparseLabels[element] = text;
}

int SetIdentifier::getElementFromLabel(std::wstring label) {
  int element = 0;
  if (findElement(label, element)) return element;
  if (unknownElementMode == 1 && addMissingElement(label) &&
      findElement(label, element))
    return element;
  throwMissingLabel(label);
}

bool SetIdentifier::addMissingElement(std::wstring& label) {
  int element = 0;
  if (!api->SetAddElement(handle, const_cast<wchar_t*>(label.c_str()),
                          &element))
    return false;
  if (firstElement == -1 && elements.empty()) firstElement = element;
  storeLabel(element, label);
  ordered.push_back(element);
  ++added;
  ++cardinality;
  return true;
}

bool SetIdentifier::findElement(const std::wstring& label, int& element) const {
  auto entry = elements.find(label);
  if (entry == elements.end()) return false;
  element = elementAt(firstElement, entry->second);
  return true;
}

const wchar_t* SetIdentifier::findLabel(int element) const {
  const int offset = offsetOf(element, firstElement);
  if (offset >= 0 && static_cast<std::size_t>(offset) < labels.size() &&
      labels[offset] != nullptr)
    return labels[offset];
  auto sparse = sparseLabels.find(element);
  return sparse == sparseLabels.end() ? nullptr : sparse->second;
}

const wchar_t* SetIdentifier::labelOf(int element) const {
  const wchar_t* label = findLabel(element);
  if (label == nullptr)
    throw TavikException("Couldn't find set element number " +
                         std::to_string(element) + " in Set " + w2a(name));
  return label;
}

void SetIdentifier::throwMissingLabel(const std::wstring& label) const {
  TavikFault fault;
  fault.kind = TavikFault::Label;
  fault.set = name;
  fault.label = label;
  throw TavikException("Couldn't find set element with label " + w2a(label) +
                           " in Set " + w2a(name),
                       fault);
}

}  // namespace Tavik
