#pragma once
// Runs an action when the scope ends, also when a failed ASSERT returns early
// or an exception escapes: a test opens the gates its workers wait on and
// stops the workers that borrow its locals, so a failing test never hangs nor
// leaves a thread reading what is gone.
#include <utility>

namespace vantrel::test {

template <class Action>
class OnExit {
 public:
  explicit OnExit(Action action) : action_(std::move(action)) {}
  ~OnExit() { action_(); }
  OnExit(const OnExit&) = delete;
  OnExit& operator=(const OnExit&) = delete;

 private:
  Action action_;
};

}  // namespace vantrel::test
