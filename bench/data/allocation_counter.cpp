// Replaces the global operator new and delete of the benchmark program to count allocations.
// It lives in a file of its own so that the replacements are never inlined into callers.

#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long long> gAllocations{0};
}

long long AllocationCount() {
  return gAllocations.load(std::memory_order_relaxed);
}

void* operator new(std::size_t Size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(Size == 0 ? 1 : Size)) return p;
  throw std::bad_alloc();
}

void* operator new[](std::size_t Size) {
  return operator new(Size);
}

void operator delete(void* P) noexcept {
  std::free(P);
}

void operator delete[](void* P) noexcept {
  std::free(P);
}

void operator delete(void* P, std::size_t) noexcept {
  std::free(P);
}

void operator delete[](void* P, std::size_t) noexcept {
  std::free(P);
}
