#pragma once
// Waiting in tests that have no event loop: on the condition itself, never
// for a fixed time, so a loaded machine only makes a test slower. Every wait
// has a limit well under the test program's ctest timeout, so a regression
// that keeps a condition from ever holding fails with the test's own message
// instead of a timeout that names no test.
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace vantrel::test {

inline constexpr std::chrono::milliseconds kPatience{60000};

// Polls condition until it holds; false once limit has passed without it.
template <class Condition>
bool Eventually(Condition condition, std::chrono::milliseconds limit = kPatience) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Runs call on a thread of its own; true once it has returned, false when
// limit passes first. A call that never returns is left running (detached)
// so the test can fail rather than hang: it must own whatever it touches.
template <class Call>
bool ReturnsWithin(Call call, std::chrono::milliseconds limit = kPatience) {
  auto returned = std::make_shared<std::atomic<bool>>(false);
  std::thread runner([returned, call = std::move(call)]() mutable {
    call();
    returned->store(true);
  });
  const bool inTime = Eventually([&returned] { return returned->load(); }, limit);
  inTime ? runner.join() : runner.detach();
  return inTime;
}

}  // namespace vantrel::test
