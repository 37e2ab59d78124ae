// The elements of one set, in ascending element order (which is the
// ordinal order). Label sets share the LabelTable of their root set; sets
// under "Integers" have no labels of their own: the element of the integer
// v is v + TAVIK_INTEGER_ELEMENT_OFFSET.
#ifndef TAVIK_SIM_SIMSET_H
#define TAVIK_SIM_SIMSET_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "simengine/LabelTable.h"

namespace Sim {

// Integers whose element numbers stay clear of every label block.
const long long kSmallestInteger = -536870909LL;
const long long kLargestInteger = 1073741825LL;

class SimSet {
 public:
  SimSet(std::wstring name, int parent, int root,
         std::shared_ptr<LabelTable> labels);

  const std::wstring& name() const { return name_; }
  int parent() const { return parent_; }
  int root() const { return root_; }
  bool isInteger() const { return !labels_; }
  const std::shared_ptr<LabelTable>& labels() const { return labels_; }

  size_t card() const { return elements_.size(); }
  int at(size_t index) const { return elements_[index]; }
  int largest() const { return elements_.empty() ? 0 : elements_.back(); }
  bool contains(int element) const;
  // False when the element was in the set already.
  bool insert(int element);
  void removeAll();

  std::wstring label(int element) const;
  // The element with this label if it is in this set, else 0.
  int elementOf(const std::wstring& label) const;
  // The element the label stands for in the root set (0 if none there).
  int rootElementOf(const std::wstring& label) const;

 private:
  std::wstring name_;
  int parent_;
  int root_;
  std::shared_ptr<LabelTable> labels_;
  std::vector<int> elements_;
  std::vector<uint64_t> bits_;  // label sets: membership by number - first
};

}  // namespace Sim

#endif
