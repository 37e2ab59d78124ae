#include "model/PendingElements.h"

#include "model/SetIdentifier.h"

namespace Tavik {

void PendingElements::add(const std::shared_ptr<SetIdentifier>& set,
                          std::wstring label) {
  labels.emplace_back(set, std::move(label));
}

void PendingElements::addAll() {
  for (auto& entry : labels) {
    int element = 0;
    // Two columns over one set may have noted the same label.
    if (entry.first->findElement(entry.second, element)) continue;
    if (!entry.first->addMissingElement(entry.second))
      entry.first->throwMissingLabel(entry.second);
  }
  labels.clear();
}

}  // namespace Tavik
