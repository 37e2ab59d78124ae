#include "simengine/LabelItems.h"

#include "simengine/Refusal.h"
#include "simengine/WideText.h"

namespace Sim {

namespace {

const long long kLargestRange = 100000000LL;

[[noreturn]] void badRange(const std::wstring& word) {
  throw Refusal(kProjectFile, L"malformed range " + quoted(word));
}

size_t digitsStart(const std::wstring& text) {
  size_t at = text.size();
  while (at > 0 && text[at - 1] >= L'0' && text[at - 1] <= L'9') --at;
  return at;
}

}  // namespace

std::wstring LabelItem::at(long long k) const {
  if (!range) return label;
  std::wstring number = std::to_wstring(from + k);
  if (static_cast<int>(number.size()) < width) {
    number.insert(0, width - number.size(), L'0');
  }
  return label + number;
}

LabelItem parseLabelItem(const std::wstring& word, bool quoted) {
  LabelItem item;
  size_t dots = quoted ? std::wstring::npos : word.find(L"..");
  if (dots == std::wstring::npos) {
    item.label = word;
    return item;
  }
  std::wstring left = word.substr(0, dots);
  std::wstring right = word.substr(dots + 2);
  item.range = true;
  long long a = 0, b = 0;
  if (parseInt(left, a) && parseInt(right, b)) {
    item.from = a;
    item.to = b;
    std::wstring digits =
        left[0] == L'-' || left[0] == L'+' ? left.substr(1) : left;
    if (a >= 0 && digits.size() > 1 && digits[0] == L'0') {
      item.width = static_cast<int>(digits.size());
    }
  } else {
    size_t split = digitsStart(left);
    if (split == left.size()) badRange(word);
    item.label = left.substr(0, split);
    std::wstring digits = left.substr(split);
    if (right.compare(0, item.label.size(), item.label) == 0 &&
        right.size() > item.label.size()) {
      right = right.substr(item.label.size());
    }
    if (!parseInt(digits, a) || !parseInt(right, b) || right[0] == L'-' ||
        right[0] == L'+') {
      badRange(word);
    }
    item.from = a;
    item.to = b;
    if (digits.size() > 1 && digits[0] == L'0') {
      item.width = static_cast<int>(digits.size());
    }
  }
  if (item.to < item.from || item.to - item.from >= kLargestRange)
    badRange(word);
  return item;
}

}  // namespace Sim
