#pragma once
// A value the event thread keeps for readers on any thread: a copy behind a
// mutex, for values that do not fit an atomic (texts, colours).
#include <mutex>
#include <utility>

namespace vantrel {

template <class T>
class Mirrored {
 public:
  explicit Mirrored(T value) : value_(std::move(value)) {}

  T Get() const {
    std::lock_guard lock(mutex_);
    return value_;
  }

  void Set(T value) {
    std::lock_guard lock(mutex_);
    value_ = std::move(value);
  }

 private:
  mutable std::mutex mutex_;
  T value_;
};

}  // namespace vantrel
