// An allocator for the engine's big arrays. Faulting in fresh memory page by
// page is slow on some machines, so large blocks are mapped on their own and
// asked to use huge pages where the system offers them.
#ifndef TAVIK_SIM_LARGEALLOCATOR_H
#define TAVIK_SIM_LARGEALLOCATOR_H

#include <cstddef>
#include <new>
#include <vector>

namespace Sim {

// Blocks of at least this many bytes are mapped separately.
const size_t kLargeBlock = size_t(4) << 20;

void* allocateLarge(size_t bytes);
void releaseLarge(void* block, size_t bytes);

template <typename T>
struct LargeAllocator {
  typedef T value_type;

  LargeAllocator() = default;
  template <typename U>
  LargeAllocator(const LargeAllocator<U>&) {}

  T* allocate(size_t n) {
    size_t bytes = n * sizeof(T);
    if (bytes >= kLargeBlock) return static_cast<T*>(allocateLarge(bytes));
    return static_cast<T*>(::operator new(bytes));
  }
  void deallocate(T* block, size_t n) {
    size_t bytes = n * sizeof(T);
    if (bytes >= kLargeBlock) {
      releaseLarge(block, bytes);
    } else {
      ::operator delete(block);
    }
  }
  template <typename U>
  bool operator==(const LargeAllocator<U>&) const {
    return true;
  }
  template <typename U>
  bool operator!=(const LargeAllocator<U>&) const {
    return false;
  }
};

template <typename T>
using LargeVector = std::vector<T, LargeAllocator<T>>;

}  // namespace Sim

#endif
