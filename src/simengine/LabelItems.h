// Set items of a project file: single labels, and ranges such as a1..a1000
// (labels a1 to a1000), p001..p120 (zero-padded like the first) or -2..3
// (integers). Ranges are expanded one label at a time.
#ifndef TAVIK_SIM_LABELITEMS_H
#define TAVIK_SIM_LABELITEMS_H

#include <string>
#include <vector>

namespace Sim {

struct LabelItem {
  std::wstring label;  // a single label, or the range prefix
  bool range = false;
  long long from = 0;
  long long to = 0;
  int width = 0;  // zero-padded width of range numbers; 0: none

  long long count() const { return range ? to - from + 1 : 1; }
  std::wstring at(long long k) const;  // k from 0
};

// A word of a set item list: a range when it contains "..". Refused when a
// range is malformed.
LabelItem parseLabelItem(const std::wstring& word, bool quoted);

}  // namespace Sim

#endif
