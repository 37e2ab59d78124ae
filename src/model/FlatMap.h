// A small open-addressing hash map for keys that are addresses or ints.
// Transfers look a key up once per cell, so this stays allocation-free on
// hits and much cheaper than a node-based map.
#ifndef TAVIK4R_MODEL_FLATMAP_H
#define TAVIK4R_MODEL_FLATMAP_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Tavik {

template <typename K, typename V>
class FlatMap {
 public:
  V* find(K key) {
    if (count == 0) return nullptr;
    for (std::size_t i = slotOf(key);; i = (i + 1) & mask) {
      Slot& slot = slots[i];
      if (!slot.used) return nullptr;
      if (slot.key == key) return &slot.value;
    }
  }

  void insert(K key, const V& value) {
    if ((count + 1) * 2 > slots.size()) grow();
    for (std::size_t i = slotOf(key);; i = (i + 1) & mask) {
      Slot& slot = slots[i];
      if (!slot.used) {
        slot.used = true;
        slot.key = key;
        slot.value = value;
        ++count;
        return;
      }
      if (slot.key == key) {
        slot.value = value;
        return;
      }
    }
  }

  void clear() {
    slots.clear();
    count = 0;
    mask = 0;
  }

  std::size_t size() const { return count; }

 private:
  struct Slot {
    K key{};
    V value{};
    bool used = false;
  };

  static std::uint64_t bits(const void* key) {
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key));
  }
  static std::uint64_t bits(int key) {
    return static_cast<std::uint64_t>(static_cast<unsigned int>(key));
  }

  std::size_t slotOf(K key) const {
    std::uint64_t h = bits(key) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(h >> 32) & mask;
  }

  void grow() {
    std::vector<Slot> old;
    old.swap(slots);
    std::size_t capacity = old.empty() ? 64 : old.size() * 2;
    slots.assign(capacity, Slot());
    mask = capacity - 1;
    count = 0;
    for (const Slot& slot : old)
      if (slot.used) insert(slot.key, slot.value);
  }

  std::vector<Slot> slots;
  std::size_t count = 0;
  std::size_t mask = 0;
};

}  // namespace Tavik

#endif
