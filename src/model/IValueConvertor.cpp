#include "model/IValueConvertor.h"

namespace Tavik {

bool IValueConvertor::checkTavikIndex(const Value& cell,
                                      PendingElements& pending, int& element) {
  std::vector<int> scratch;
  assignTavikIndex(cell, scratch);
  if (!scratch.empty()) element = scratch.front();
  return true;
}

bool IValueConvertor::checkTavikValue(const Value& cell,
                                      PendingElements& pending,
                                      tagTavikValueW& record) {
  assignTavikValue(cell, record);
  return true;
}

}  // namespace Tavik
