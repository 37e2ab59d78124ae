/* Counts the C heap allocations of the process it is preloaded into
 * (LD_PRELOAD), so a run can tell allocations per row from allocations per
 * transfer. R reads the count with .C("bench_heap_count", 0). */
#include <stddef.h>

extern void* __libc_malloc(size_t size);
extern void* __libc_calloc(size_t count, size_t size);
extern void* __libc_realloc(void* pointer, size_t size);

static double allocations = 0;

void* malloc(size_t size) {
  allocations += 1;
  return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
  allocations += 1;
  return __libc_calloc(count, size);
}

void* realloc(void* pointer, size_t size) {
  allocations += 1;
  return __libc_realloc(pointer, size);
}

void bench_heap_count(double* out) { *out = allocations; }
