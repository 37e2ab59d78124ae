#include "simengine/ValueColumn.h"

namespace Sim {

bool ValueColumn::isDefault(const CellValue& value) const {
  switch (kind_) {
    case ValueKind::Double: return value.number == 0.0;
    case ValueKind::String: return value.length == 0;
    default: return value.integer == 0;
  }
}

void ValueColumn::appendText(const CellValue& value) {
  starts_.push_back(chars_.size());
  lengths_.push_back(static_cast<uint32_t>(value.length));
  chars_.insert(chars_.end(), value.text, value.text + value.length);
  chars_.push_back(L'\0');
}

void ValueColumn::append(const CellValue& value) {
  switch (kind_) {
    case ValueKind::Double: numbers_.push_back(value.number); break;
    case ValueKind::String: appendText(value); break;
    default: integers_.push_back(value.integer);
  }
}

void ValueColumn::set(size_t slot, const CellValue& value) {
  switch (kind_) {
    case ValueKind::Double: numbers_[slot] = value.number; break;
    case ValueKind::String:
      // The old text stays in the pool until the next reorder.
      starts_[slot] = chars_.size();
      lengths_[slot] = static_cast<uint32_t>(value.length);
      chars_.insert(chars_.end(), value.text, value.text + value.length);
      chars_.push_back(L'\0');
      break;
    default: integers_[slot] = value.integer;
  }
}

void ValueColumn::reserve(size_t count) {
  switch (kind_) {
    case ValueKind::Double: numbers_.reserve(count); break;
    case ValueKind::String:
      starts_.reserve(count);
      lengths_.reserve(count);
      break;
    default: integers_.reserve(count);
  }
}

void ValueColumn::clear() {
  numbers_.clear();
  integers_.clear();
  chars_.clear();
  starts_.clear();
  lengths_.clear();
}

namespace {

template <typename T>
void gather(LargeVector<T>& column, const LargeVector<uint32_t>& order,
            LargeVector<T>& spare) {
  spare.resize(order.size());
  for (size_t i = 0; i < order.size(); ++i) spare[i] = column[order[i]];
  column.swap(spare);
}

template <typename T>
void release(LargeVector<T>& spare, size_t bytes) {
  if (spare.capacity() * sizeof(T) > bytes) LargeVector<T>().swap(spare);
}

}  // namespace

void ValueColumn::Spare::trim(size_t bytes) {
  release(numbers, bytes);
  release(integers, bytes);
  release(chars, bytes);
  release(starts, bytes);
  release(lengths, bytes);
}

void ValueColumn::reorder(const LargeVector<uint32_t>& order, Spare& spare) {
  switch (kind_) {
    case ValueKind::Double: gather(numbers_, order, spare.numbers); break;
    case ValueKind::String: {
      // Rewrites the pool too, dropping texts no slot uses any more.
      LargeVector<wchar_t>& chars = spare.chars;
      chars.clear();
      spare.starts.resize(order.size());
      spare.lengths.resize(order.size());
      for (size_t i = 0; i < order.size(); ++i) {
        size_t from = starts_[order[i]];
        spare.starts[i] = chars.size();
        spare.lengths[i] = lengths_[order[i]];
        chars.insert(chars.end(), &chars_[from],
                     &chars_[from] + spare.lengths[i] + 1);
      }
      chars_.swap(chars);
      starts_.swap(spare.starts);
      lengths_.swap(spare.lengths);
      break;
    }
    default: gather(integers_, order, spare.integers);
  }
}

}  // namespace Sim
