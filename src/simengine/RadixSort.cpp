#include "simengine/RadixSort.h"

#include <algorithm>
#include <cstddef>

namespace Sim {

void radixSort(LargeVector<KeySlot>& items, LargeVector<KeySlot>& buffer) {
  if (items.size() < 2) return;
  uint64_t anyOne = 0, allOnes = ~uint64_t(0);
  for (const KeySlot& item : items) {
    anyOne |= item.key;
    allOnes &= item.key;
  }
  const uint64_t varying = anyOne ^ allOnes;
  buffer.resize(items.size());
  std::vector<size_t> count(65536);
  for (int shift = 0; shift < 64; shift += 16) {
    if (((varying >> shift) & 0xFFFF) == 0) continue;
    std::fill(count.begin(), count.end(), 0);
    for (const KeySlot& item : items) ++count[(item.key >> shift) & 0xFFFF];
    size_t total = 0;
    for (size_t& c : count) {
      size_t n = c;
      c = total;
      total += n;
    }
    for (const KeySlot& item : items) {
      buffer[count[(item.key >> shift) & 0xFFFF]++] = item;
    }
    items.swap(buffer);
  }
}

}  // namespace Sim
