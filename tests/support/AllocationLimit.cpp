#include "support/AllocationLimit.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace vantrel::test {
namespace {

std::atomic<std::size_t> gLimit{0};  // 0: no limit
thread_local bool tExempt = false;
// Counted by the block sizes malloc reports, which are the same at the
// allocation and at the release whatever was asked for.
std::atomic<std::size_t> gHeld{0};

void* Allocate(std::size_t size) {
  const std::size_t limit = gLimit.load(std::memory_order_relaxed);
  if (limit != 0 && size >= limit && !tExempt) return nullptr;
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p) gHeld.fetch_add(malloc_usable_size(p), std::memory_order_relaxed);
  return p;
}

void Release(void* p) {
  if (p) gHeld.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
  std::free(p);
}

}  // namespace

std::size_t HeldBytes() { return gHeld.load(std::memory_order_relaxed); }

AllocationLimit::AllocationLimit(std::size_t bytes) {
  tExempt = true;
  gLimit.store(bytes, std::memory_order_relaxed);
}

AllocationLimit::~AllocationLimit() {
  gLimit.store(0, std::memory_order_relaxed);
  tExempt = false;
}

}  // namespace vantrel::test

// Every plain form goes through malloc and free, so memory checkers see
// matching pairs whichever form allocated and whichever released.
void* operator new(std::size_t size) {
  if (void* p = vantrel::test::Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return vantrel::test::Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return vantrel::test::Allocate(size);
}
void operator delete(void* p) noexcept { vantrel::test::Release(p); }
void operator delete[](void* p) noexcept { vantrel::test::Release(p); }
void operator delete(void* p, std::size_t) noexcept { vantrel::test::Release(p); }
void operator delete[](void* p, std::size_t) noexcept { vantrel::test::Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { vantrel::test::Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { vantrel::test::Release(p); }
