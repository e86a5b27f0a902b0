#include "support/HeapCount.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *block, std::size_t size);
}

namespace {

std::atomic<long> allocations{0};

void Count() { allocations.fetch_add(1, std::memory_order_relaxed); }

void *NewBlock(std::size_t size) {
  if (void *block = malloc(size ? size : 1))
    return block;
  throw std::bad_alloc();
}

} // namespace

long bench::HeapAllocations() { return allocations.load(std::memory_order_relaxed); }

extern "C" {
void *malloc(std::size_t size) {
  Count();
  return __libc_malloc(size);
}
void *calloc(std::size_t count, std::size_t size) {
  Count();
  return __libc_calloc(count, size);
}
void *realloc(void *block, std::size_t size) {
  Count();
  return __libc_realloc(block, size);
}
}

void *operator new(std::size_t size) { return NewBlock(size); }
void *operator new[](std::size_t size) { return NewBlock(size); }
void operator delete(void *block) noexcept { std::free(block); }
void operator delete[](void *block) noexcept { std::free(block); }
void operator delete(void *block, std::size_t) noexcept { std::free(block); }
void operator delete[](void *block, std::size_t) noexcept { std::free(block); }
