#pragma once
// Waiting in tests that have no event loop: on the condition itself, never
// for a fixed time, so a loaded machine only makes a test slower.
#include <chrono>
#include <thread>

namespace vantrel::test {

// Polls condition until it holds; false once limit has passed without it.
template <class Condition>
bool Eventually(Condition condition,
                std::chrono::milliseconds limit = std::chrono::milliseconds(60000)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace vantrel::test
