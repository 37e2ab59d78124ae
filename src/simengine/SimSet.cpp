#include "simengine/SimSet.h"

#include <algorithm>

#include "engine/TavikContract.h"
#include "simengine/WideText.h"

namespace Sim {

SimSet::SimSet(std::wstring name, int parent, int root,
               std::shared_ptr<LabelTable> labels)
    : name_(std::move(name)),
      parent_(parent),
      root_(root),
      labels_(std::move(labels)) {}

bool SimSet::contains(int element) const {
  if (labels_) {
    long long k = static_cast<long long>(element) - labels_->first();
    if (k < 0 || static_cast<size_t>(k >> 6) >= bits_.size()) return false;
    return (bits_[k >> 6] >> (k & 63)) & 1;
  }
  return std::binary_search(elements_.begin(), elements_.end(), element);
}

bool SimSet::insert(int element) {
  if (contains(element)) return false;
  if (labels_) {
    size_t k = static_cast<size_t>(element - labels_->first());
    if ((k >> 6) >= bits_.size())
      bits_.resize((k >> 6) + 1 + bits_.size() / 2, 0);
    bits_[k >> 6] |= uint64_t(1) << (k & 63);
  }
  if (elements_.empty() || element > elements_.back()) {
    elements_.push_back(element);
  } else {
    elements_.insert(
        std::lower_bound(elements_.begin(), elements_.end(), element), element);
  }
  return true;
}

void SimSet::removeAll() {
  elements_.clear();
  bits_.clear();
}

std::wstring SimSet::label(int element) const {
  if (!labels_) {
    return std::to_wstring(static_cast<long long>(element) -
                           TAVIK_INTEGER_ELEMENT_OFFSET);
  }
  if (!labels_->has(element)) return std::wstring();
  size_t length = 0;
  const wchar_t* text = labels_->text(element, length);
  return std::wstring(text, length);
}

int SimSet::rootElementOf(const std::wstring& label) const {
  if (labels_) return labels_->find(label.data(), label.size());
  long long v = 0;
  if (!parseInt(label, v) || v < kSmallestInteger || v > kLargestInteger) {
    return 0;
  }
  return static_cast<int>(v + TAVIK_INTEGER_ELEMENT_OFFSET);
}

int SimSet::elementOf(const std::wstring& label) const {
  int element = rootElementOf(label);
  return element != 0 && contains(element) ? element : 0;
}

}  // namespace Sim
