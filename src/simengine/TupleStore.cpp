#include "simengine/TupleStore.h"

#include <algorithm>

#include "simengine/RadixSort.h"

namespace Sim {

namespace {

// Lexicographic comparison of two tuples: <0, 0, >0.
inline int compare(const int* a, const int* b, int dim) {
  for (int i = 0; i < dim; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

// Above this many logged entries, a look-up merges the log rather than
// scanning it.
inline size_t scanLimit(size_t base) { return 64 + base / 256; }

}  // namespace

bool TupleStore::extendsBase(const int* tuple) const {
  return base_ == stored_ &&
         (base_ == 0 || compare(tuple, &keys_[(base_ - 1) * dim_], dim_) > 0);
}

long TupleStore::search(const int* tuple) const {
  size_t low = 0, high = base_;
  while (low < high) {
    size_t middle = low + (high - low) / 2;
    int order = compare(&keys_[middle * dim_], tuple, dim_);
    if (order == 0) return static_cast<long>(middle);
    if (order < 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return -1;
}

// The latest logged entry of the tuple (-2 when none; -1 when it is a
// removal).
long TupleStore::searchLog(const int* tuple) const {
  for (size_t slot = stored_; slot > base_; --slot) {
    if (compare(&keys_[(slot - 1) * dim_], tuple, dim_) == 0) {
      return values_.isDefaultAt(slot - 1) ? -1 : static_cast<long>(slot - 1);
    }
  }
  return -2;
}

long TupleStore::find(const int* tuple) {
  if (dim_ == 0) return base_ > 0 ? 0 : -1;
  if (stored_ - base_ > scanLimit(base_)) merge();
  long logged = searchLog(tuple);
  return logged != -2 ? logged : search(tuple);
}

void TupleStore::append(const int* tuple, const CellValue& value) {
  for (int i = 0; i < dim_; ++i) keys_.push_back(tuple[i]);
  values_.append(value);
  ++stored_;
}

void TupleStore::assign(const int* tuple, const CellValue& value) {
  const bool isDefault = values_.isDefault(value);
  if (dim_ == 0) {
    if (isDefault) {
      clear();
    } else if (base_ > 0) {
      values_.set(0, value);
    } else {
      append(tuple, value);
      base_ = stored_;
    }
    return;
  }
  if (extendsBase(tuple)) {
    if (isDefault) return;
    append(tuple, value);
    base_ = stored_;
    return;
  }
  append(tuple, value);
  // Repeated writes of the same tuples must not grow the log forever.
  if (stored_ - base_ > std::max<size_t>(size_t(1) << 20, 2 * base_)) merge();
}

// Keeps the memory: emptied identifiers are usually filled again.
void TupleStore::clear() {
  keys_.clear();
  values_.clear();
  base_ = stored_ = 0;
}

void TupleStore::reserve(size_t count) {
  keys_.reserve(count * dim_);
  values_.reserve(count);
}

// Buffers reused from merge to merge: fresh memory is costly to fault in.
// Large ones are given back after use.
struct MergeScratch {
  LargeVector<KeySlot> items;
  LargeVector<KeySlot> buffer;
  LargeVector<uint32_t> log;
  LargeVector<uint32_t> order;
  LargeVector<int> keys;
  ValueColumn::Spare values;

  void trim() {
    const size_t limit = size_t(64) << 20;
    if (items.capacity() * sizeof(KeySlot) > limit)
      LargeVector<KeySlot>().swap(items);
    if (buffer.capacity() * sizeof(KeySlot) > limit)
      LargeVector<KeySlot>().swap(buffer);
    if (log.capacity() * sizeof(uint32_t) > limit)
      LargeVector<uint32_t>().swap(log);
    if (order.capacity() * sizeof(uint32_t) > limit)
      LargeVector<uint32_t>().swap(order);
    if (keys.capacity() * sizeof(int) > limit) LargeVector<int>().swap(keys);
    values.trim(limit);
  }
};

namespace {
MergeScratch scratch;
}

// The log's slots in ascending tuple order; equal tuples in log order.
void TupleStore::sortLog(LargeVector<uint32_t>& slots) const {
  const size_t count = stored_ - base_;
  slots.resize(count);
  if (dim_ <= 2) {
    LargeVector<KeySlot>& items = scratch.items;
    items.resize(count);
    for (size_t i = 0; i < count; ++i) {
      const int* t = &keys_[(base_ + i) * dim_];
      // Element numbers are positive, so unsigned packing keeps their order.
      uint64_t key = uint32_t(t[0]);
      if (dim_ == 2) key = (key << 32) | uint32_t(t[1]);
      items[i].key = key;
      items[i].slot = static_cast<uint32_t>(base_ + i);
    }
    radixSort(items, scratch.buffer);
    for (size_t i = 0; i < count; ++i) slots[i] = items[i].slot;
  } else {
    for (size_t i = 0; i < count; ++i)
      slots[i] = static_cast<uint32_t>(base_ + i);
    const int dim = dim_;
    const int* keys = keys_.data();
    std::stable_sort(
        slots.begin(), slots.end(), [dim, keys](uint32_t a, uint32_t b) {
          return compare(keys + size_t(a) * dim, keys + size_t(b) * dim, dim) <
                 0;
        });
  }
}

void TupleStore::merge() {
  LargeVector<uint32_t>& log = scratch.log;
  sortLog(log);
  // Walk base and sorted log together; the last log entry of a tuple wins
  // over earlier ones and over the base, and defaults drop out.
  LargeVector<uint32_t>& order = scratch.order;
  order.clear();
  order.reserve(base_ + log.size());
  size_t b = 0;
  for (size_t i = 0; i < log.size(); ++i) {
    const int* tuple = &keys_[size_t(log[i]) * dim_];
    if (i + 1 < log.size() &&
        compare(tuple, &keys_[size_t(log[i + 1]) * dim_], dim_) == 0) {
      continue;
    }
    while (b < base_ && compare(&keys_[b * dim_], tuple, dim_) < 0) {
      order.push_back(static_cast<uint32_t>(b++));
    }
    if (b < base_ && compare(&keys_[b * dim_], tuple, dim_) == 0) ++b;
    if (!values_.isDefaultAt(log[i])) order.push_back(log[i]);
  }
  while (b < base_) order.push_back(static_cast<uint32_t>(b++));

  LargeVector<int>& keys = scratch.keys;
  keys.resize(order.size() * dim_);
  for (size_t i = 0; i < order.size(); ++i) {
    const int* from = &keys_[size_t(order[i]) * dim_];
    for (int k = 0; k < dim_; ++k) keys[i * dim_ + k] = from[k];
  }
  keys_.swap(keys);
  values_.reorder(order, scratch.values);
  base_ = stored_ = order.size();
  scratch.trim();
}

}  // namespace Sim
