// Identifier handles: fresh positive numbers, each with its own position in
// the identifier's values for ValueNextW. Numbers are never reused, so a
// handle from a closed project stays invalid.
#ifndef TAVIK_SIM_HANDLETABLE_H
#define TAVIK_SIM_HANDLETABLE_H

#include <cstddef>
#include <vector>

namespace Sim {

struct HandleEntry {
  int identifier = -1;  // -1: deleted
  size_t cursor = 0;
};

class HandleTable {
 public:
  int create(int identifier);
  // The entry of a live handle, or nullptr.
  HandleEntry* find(int handle) {
    long long k = static_cast<long long>(handle) - base_;
    if (k < 0 || k >= static_cast<long long>(entries_.size())) return nullptr;
    HandleEntry* entry = &entries_[static_cast<size_t>(k)];
    return entry->identifier >= 0 ? entry : nullptr;
  }
  bool remove(int handle);
  // Invalidates every handle; numbering goes on.
  void clear();
  size_t live() const { return live_; }

 private:
  long long base_ = 1;
  std::vector<HandleEntry> entries_;
  size_t live_ = 0;
};

}  // namespace Sim

#endif
