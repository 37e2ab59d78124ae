#include "simengine/LabelTable.h"

#include <cstring>

#include "simengine/Refusal.h"

namespace Sim {

namespace {

uint64_t hashText(const wchar_t* text, size_t length) {
  uint64_t h = 1469598103934665603ULL;
  for (size_t i = 0; i < length; ++i) {
    h ^= static_cast<uint64_t>(static_cast<uint32_t>(text[i]));
    h *= 1099511628211ULL;
  }
  return h ^ (h >> 29);
}

}  // namespace

LabelTable::LabelTable(int first, int limit)
    : first_(first), limit_(limit), index_(16, -1) {}

size_t LabelTable::slotOf(const wchar_t* text, size_t length,
                          uint64_t hash) const {
  const size_t mask = index_.size() - 1;
  size_t slot = static_cast<size_t>(hash) & mask;
  while (index_[slot] >= 0) {
    int32_t k = index_[slot];
    if (length_[k] == length &&
        std::memcmp(&chars_[start_[k]], text, length * sizeof(wchar_t)) == 0) {
      return slot;
    }
    slot = (slot + 1) & mask;
  }
  return slot;
}

int LabelTable::find(const wchar_t* text, size_t length) const {
  int32_t k = index_[slotOf(text, length, hashText(text, length))];
  return k < 0 ? 0 : first_ + k;
}

void LabelTable::growIndex() {
  std::vector<int32_t> old(index_.size() * 2, -1);
  old.swap(index_);
  const size_t mask = index_.size() - 1;
  for (int32_t k : old) {
    if (k < 0) continue;
    size_t slot =
        static_cast<size_t>(hashText(&chars_[start_[k]], length_[k])) & mask;
    while (index_[slot] >= 0) slot = (slot + 1) & mask;
    index_[slot] = k;
  }
}

int LabelTable::add(const wchar_t* text, size_t length, int gap,
                    const std::wstring& setName) {
  long long number = static_cast<long long>(next()) + gap;
  if (number >= limit_) {
    throw Refusal(kSetFull,
                  L"no element number left in set " + quoted(setName));
  }
  if (chars_.size() + length + 1 >= kHole) {
    throw Refusal(kSetFull,
                  L"label storage of set " + quoted(setName) + L" is full");
  }
  if ((labels_ + 1) * 2 > index_.size()) growIndex();
  for (int i = 0; i < gap; ++i) {
    start_.push_back(kHole);
    length_.push_back(0);
  }
  int32_t k = static_cast<int32_t>(start_.size());
  start_.push_back(static_cast<uint32_t>(chars_.size()));
  length_.push_back(static_cast<uint32_t>(length));
  chars_.insert(chars_.end(), text, text + length);
  chars_.push_back(L'\0');
  index_[slotOf(text, length, hashText(text, length))] = k;
  ++labels_;
  return first_ + k;
}

bool LabelTable::has(int element) const {
  long long k = static_cast<long long>(element) - first_;
  return k >= 0 && k < static_cast<long long>(start_.size()) &&
         start_[k] != kHole;
}

const wchar_t* LabelTable::text(int element, size_t& length) const {
  size_t k = static_cast<size_t>(element - first_);
  length = length_[k];
  return &chars_[start_[k]];
}

}  // namespace Sim
