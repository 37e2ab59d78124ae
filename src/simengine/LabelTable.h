// The labels of one root label set, shared with its subsets. Element numbers
// run from first() up to (not including) limit(); a label's number never
// changes. Labels live in one character pool with an open-addressing index,
// so large sets cost no heap node per label.
#ifndef TAVIK_SIM_LABELTABLE_H
#define TAVIK_SIM_LABELTABLE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Sim {

class LabelTable {
 public:
  LabelTable(int first, int limit);

  int first() const { return first_; }
  int limit() const { return limit_; }
  // The number the next label gets: one past the last slot.
  int next() const { return first_ + static_cast<int>(start_.size()); }

  // The element of the label, or 0 when the label is unknown.
  int find(const wchar_t* text, size_t length) const;
  // Adds a new label, leaving gap unused numbers before it; returns its
  // element. Refused when the set's number block is used up.
  int add(const wchar_t* text, size_t length, int gap,
          const std::wstring& setName);
  bool has(int element) const;
  // The zero-terminated label of an element that has(); its length in length.
  const wchar_t* text(int element, size_t& length) const;

 private:
  static constexpr uint32_t kHole = 0xFFFFFFFFu;
  size_t slotOf(const wchar_t* text, size_t length, uint64_t hash) const;
  void growIndex();

  int first_;
  int limit_;
  std::vector<wchar_t> chars_;
  std::vector<uint32_t>
      start_;  // per element (number - first): offset in chars_ or kHole
  std::vector<uint32_t> length_;  // per element: label length
  std::vector<int32_t> index_;    // element offsets by label hash; -1 free
  size_t labels_ = 0;
};

}  // namespace Sim

#endif
