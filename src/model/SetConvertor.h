// Moves set elements between engine element numbers and cells: labels for
// label sets, integers for sets rooted in "Integers".
#ifndef TAVIK4R_MODEL_SETCONVERTOR_H
#define TAVIK4R_MODEL_SETCONVERTOR_H

#include <memory>
#include <string>
#include <vector>

#include "model/FlatMap.h"
#include "model/IValueConvertor.h"
#include "model/SetIdentifier.h"

namespace Tavik {

template <typename T>
class SetConvertor;

// Cells point at the label in the set's own table, so reading copies
// nothing and a label keeps one address for the whole transfer.
template <>
class SetConvertor<std::wstring> : public IValueConvertor {
 public:
  explicit SetConvertor(std::shared_ptr<SetIdentifier> set);

  void assignIndex(int element, Value& cell) override;
  void assignValue(const tagTavikValueW& record, Value& cell) override;
  void assignTavikIndex(const Value& cell, std::vector<int>& tuple) override;
  void assignTavikValue(const Value& cell, tagTavikValueW& record) override;

  void beginTransfer(bool stableText) override;
  bool hasStableText() const override { return true; }

  // The set's label table, for a read loop that indexes it itself: an
  // element's offset in it, or kNone for an element outside it (the set
  // answers for those). Empty while the set's numbering is unknown.
  struct LabelTable {
    static const std::size_t kNone = static_cast<std::size_t>(-1);
    const wchar_t* const* labels = nullptr;
    std::size_t size = 0;
    unsigned int first = 0;

    std::size_t offsetOf(int element) const {
      const std::size_t offset = static_cast<unsigned int>(element) - first;
      return offset < size && labels[offset] != nullptr ? offset : kNone;
    }
  };
  LabelTable labelTable() const {
    LabelTable table;
    if (set->firstElement != -1 && set->cardinality != -1) {
      table.labels = set->labels.data();
      table.size = set->labels.size();
      table.first = static_cast<unsigned int>(set->firstElement);
    }
    return table;
  }

  // assignIndex for the read loop: inline, without a virtual call.
  void assignLabel(int element, Value& cell) { cell.str = labelFor(element); }
  // The same, and the label's place in the set's table: one place per
  // distinct label, so a reader can keep what it made of a label by place
  // rather than look it up by address; -1 for a label outside the table.
  void assignLabel(int element, Value& cell, int& place) {
    const std::size_t offset = offsetOf(element);
    if (offset != LabelTable::kNone) {
      cell.str = set->labels[offset];
      place = static_cast<int>(offset);
    } else {
      cell.str = otherLabelFor(element);
      place = -1;
    }
  }
  bool checkTavikIndex(const Value& cell, PendingElements& pending,
                       int& element) override;
  bool checkTavikValue(const Value& cell, PendingElements& pending,
                       tagTavikValueW& record) override;

  std::shared_ptr<SetIdentifier> set;
  std::wstring current;

 private:
  // Runs once per cell read: the label table is indexed here, the rarer
  // cases go through the set's own checks.
  std::size_t offsetOf(int element) const {
    return labelTable().offsetOf(element);
  }
  const wchar_t* labelFor(int element) {
    const std::size_t offset = offsetOf(element);
    return offset != LabelTable::kNone ? set->labels[offset]
                                       : otherLabelFor(element);
  }
  const wchar_t* otherLabelFor(int element);
  // mayAdd: a missing label may be added to the set (index cells under the
  // set's mode 1); values only ever name elements the set has.
  int elementFor(const wchar_t* text, bool mayAdd);
  bool check(const wchar_t* text, PendingElements& pending, int& element,
             bool mayAdd);

  // With stable text addresses each distinct label is looked up once.
  bool stableText = false;
  FlatMap<const wchar_t*, int> elementByText;
  FlatMap<const wchar_t*, bool> pendingText;
  const wchar_t* lastText = nullptr;
  int lastElement = 0;
};

// An integer v is the element v + 1073741822; reading computes it, writing
// an index finds it through the set's labels.
template <>
class SetConvertor<int> : public IValueConvertor {
 public:
  explicit SetConvertor(std::shared_ptr<SetIdentifier> set);

  void assignIndex(int element, Value& cell) override;
  void assignValue(const tagTavikValueW& record, Value& cell) override;
  void assignTavikIndex(const Value& cell, std::vector<int>& tuple) override;
  void assignTavikValue(const Value& cell, tagTavikValueW& record) override;

  void beginTransfer(bool stableText) override;
  bool checkTavikIndex(const Value& cell, PendingElements& pending,
                       int& element) override;
  bool checkTavikValue(const Value& cell, PendingElements& pending,
                       tagTavikValueW& record) override;

  std::shared_ptr<SetIdentifier> set;
  int current = 0;

 private:
  int elementFor(int value);
  bool check(int value, PendingElements& pending, int& element, bool mayAdd);

  FlatMap<int, int> elementByValue;
  FlatMap<int, bool> pendingValue;
};

}  // namespace Tavik

#endif
