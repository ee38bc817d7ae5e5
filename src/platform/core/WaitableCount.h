#pragma once
// A count that other threads can wait to see reach zero: how many threads,
// or saves, are still going. Made once and never destroyed (New), since a
// detached thread may still be changing it while the process exits.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vantrel {

class WaitableCount {
 public:
  static WaitableCount& New() { return *new WaitableCount; }

  void Add(int change) {
    std::lock_guard lock(mutex_);
    count_ += change;
    changed_.notify_all();
  }
  // True when the count is zero (by the timeout).
  bool WaitForZero(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return count_ == 0; });
  }
  void WaitForZero() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return count_ == 0; });
  }

 private:
  WaitableCount() = default;

  std::mutex mutex_;
  std::condition_variable changed_;
  int count_ = 0;
};

}  // namespace vantrel
