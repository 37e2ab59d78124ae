// The sparse data of one identifier: tuples (dim element numbers each) and
// their values in flat arrays. The front part (the base) is in ascending
// tuple order without defaults; assignments that don't simply extend it are
// logged behind it, removals included, and merged into it by the next read
// that needs order (normalise). So a stream of writes costs an append each,
// and reading unchanged data is an array walk.
#ifndef TAVIK_SIM_TUPLESTORE_H
#define TAVIK_SIM_TUPLESTORE_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "simengine/LargeAllocator.h"
#include "simengine/ValueColumn.h"

namespace Sim {

class TupleStore {
 public:
  TupleStore(int dim, ValueKind kind) : dim_(dim), values_(kind) {}

  int dim() const { return dim_; }
  const ValueColumn& values() const { return values_; }

  // After this, slots 0 .. size()-1 hold the tuples in ascending order.
  void normalise() {
    if (base_ != stored_) merge();
  }
  // Number of stored (non-default) values.
  size_t size() {
    normalise();
    return base_;
  }
  const int* tupleAt(size_t slot) const { return &keys_[slot * dim_]; }

  // The slot holding the tuple's value, or -1 when it has none.
  long find(const int* tuple);
  // Stores the value; a default value removes the tuple.
  void assign(const int* tuple, const CellValue& value);
  void clear();
  void reserve(size_t count);

 private:
  bool extendsBase(const int* tuple) const;
  long search(const int* tuple) const;
  long searchLog(const int* tuple) const;
  void append(const int* tuple, const CellValue& value);
  void sortLog(LargeVector<uint32_t>& slots) const;
  void merge();

  int dim_;
  LargeVector<int> keys_;
  ValueColumn values_;
  size_t base_ = 0;    // ordered entries
  size_t stored_ = 0;  // all entries, the log included
};

}  // namespace Sim

#endif
