#include "model/IValueConvertor.h"

namespace Tavik {

void IValueConvertor::checkTavikIndex(const Value& cell,
                                      PendingElements& pending) {
  std::vector<int> scratch;
  assignTavikIndex(cell, scratch);
}

}  // namespace Tavik
