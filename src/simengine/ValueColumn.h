// The values of one identifier in flat arrays: doubles, ints (integers and
// element numbers) or texts in one character pool.
#ifndef TAVIK_SIM_VALUECOLUMN_H
#define TAVIK_SIM_VALUECOLUMN_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "simengine/LargeAllocator.h"

namespace Sim {

enum class ValueKind { Double, Integer, String, Element };

// One value on its way in; only the member of the column's kind is read.
struct CellValue {
  double number = 0.0;
  int integer = 0;
  const wchar_t* text = nullptr;
  size_t length = 0;
};

class ValueColumn {
 public:
  explicit ValueColumn(ValueKind kind) : kind_(kind) {}

  ValueKind kind() const { return kind_; }
  // Zero, 0.0, "" and element 0 are defaults, which a sparse store omits.
  bool isDefault(const CellValue& value) const;

  void append(const CellValue& value);
  void set(size_t slot, const CellValue& value);
  // Spare arrays for reorder, which swaps them with the column's own.
  struct Spare {
    LargeVector<double> numbers;
    LargeVector<int> integers;
    LargeVector<wchar_t> chars;
    LargeVector<size_t> starts;
    LargeVector<uint32_t> lengths;
    void trim(size_t bytes);
  };

  void reserve(size_t count);
  // Empties the column, keeping its memory.
  void clear();
  // Keeps the slots in order, dropping the others: new[i] = old[order[i]].
  void reorder(const LargeVector<uint32_t>& order, Spare& spare);

  bool isDefaultAt(size_t slot) const {
    switch (kind_) {
      case ValueKind::Double: return numbers_[slot] == 0.0;
      case ValueKind::String: return lengths_[slot] == 0;
      default: return integers_[slot] == 0;
    }
  }
  double numberAt(size_t slot) const { return numbers_[slot]; }
  int integerAt(size_t slot) const { return integers_[slot]; }
  const wchar_t* textAt(size_t slot, size_t& length) const {
    length = lengths_[slot];
    return &chars_[starts_[slot]];
  }

 private:
  void appendText(const CellValue& value);

  ValueKind kind_;
  LargeVector<double> numbers_;
  LargeVector<int> integers_;
  LargeVector<wchar_t> chars_;  // texts, each zero-terminated
  LargeVector<size_t> starts_;
  LargeVector<uint32_t> lengths_;
};

}  // namespace Sim

#endif
