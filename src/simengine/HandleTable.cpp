#include "simengine/HandleTable.h"

#include "simengine/Refusal.h"

namespace Sim {

int HandleTable::create(int identifier) {
  long long number = base_ + static_cast<long long>(entries_.size());
  if (number > 2147483647LL) {
    throw Refusal(kInternal, L"no identifier handle numbers left");
  }
  HandleEntry entry;
  entry.identifier = identifier;
  entries_.push_back(entry);
  ++live_;
  return static_cast<int>(number);
}

bool HandleTable::remove(int handle) {
  HandleEntry* entry = find(handle);
  if (entry == nullptr) return false;
  entry->identifier = -1;
  --live_;
  return true;
}

void HandleTable::clear() {
  base_ += static_cast<long long>(entries_.size());
  std::vector<HandleEntry>().swap(entries_);
  live_ = 0;
}

}  // namespace Sim
