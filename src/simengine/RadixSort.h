// Stable sort of (key, slot) pairs by key, in linear time: least significant
// 16-bit digit first, skipping digits that are equal in every key. buffer is
// working space.
#ifndef TAVIK_SIM_RADIXSORT_H
#define TAVIK_SIM_RADIXSORT_H

#include <cstdint>
#include <vector>

#include "simengine/LargeAllocator.h"

namespace Sim {

struct KeySlot {
  uint64_t key;
  uint32_t slot;
};

void radixSort(LargeVector<KeySlot>& items, LargeVector<KeySlot>& buffer);

}  // namespace Sim

#endif
