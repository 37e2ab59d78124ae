#include "simengine/LargeAllocator.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace Sim {

#if defined(__linux__)

namespace {

const size_t kHugePage = size_t(2) << 20;

size_t roundUp(size_t bytes) {
  return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}  // namespace

void* allocateLarge(size_t bytes) {
  const size_t size = roundUp(bytes);
  // Map one huge page more than needed and cut the block out at a huge-page
  // boundary, so the whole block can use huge pages.
  void* raw = mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  uintptr_t start = reinterpret_cast<uintptr_t>(raw);
  uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
  if (aligned > start) munmap(raw, aligned - start);
  uintptr_t end = start + size + kHugePage;
  if (end > aligned + size) {
    munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
  }
  void* block = reinterpret_cast<void*>(aligned);
  madvise(block, size, MADV_HUGEPAGE);
  return block;
}

void releaseLarge(void* block, size_t bytes) { munmap(block, roundUp(bytes)); }

#else

void* allocateLarge(size_t bytes) { return ::operator new(bytes); }
void releaseLarge(void* block, size_t) { ::operator delete(block); }

#endif

}  // namespace Sim
