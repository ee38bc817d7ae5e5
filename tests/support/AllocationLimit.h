#pragma once
// Running out of memory on demand. While a limit is set, an allocation with
// operator new of at least that many bytes made by any thread but the one
// that set it throws std::bad_alloc: a worker meets a machine without the
// memory it needs while the test's own thread and the event loop do not.
// A test program that uses it links AllocationLimit.cpp, which replaces the
// global operator new and delete and so also counts what they hold.
#include <cstddef>

namespace vantrel::test {

class AllocationLimit {
 public:
  explicit AllocationLimit(std::size_t bytes);
  ~AllocationLimit();
  AllocationLimit(const AllocationLimit&) = delete;
  AllocationLimit& operator=(const AllocationLimit&) = delete;
};

// Bytes allocated with operator new and not released yet, by every thread.
std::size_t HeldBytes();

}  // namespace vantrel::test
