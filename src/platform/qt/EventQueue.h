#pragma once
// The hand-over of calls from worker threads to the event thread: a FIFO of
// calls guarded by a std::mutex, so the hand-over is one that ThreadSanitizer
// can see. It knows nothing of Qt: the window layer installs a wake function
// that nudges the event loop, and the event thread drains the queue.
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace vantrel {

class EventQueue {
 public:
  using Call = std::function<void()>;
  using Wake = std::function<void()>;

  // Called outside the lock when a call lands in an empty queue, so the
  // event loop is woken once per batch rather than once per call.
  void SetWake(Wake wake);

  // Any thread. Calls run in the order they were posted.
  void Post(Call call);

  // Event thread. Runs the calls posted so far, in order, and returns how
  // many ran. A call that throws leaves the calls behind it queued (they run
  // at the next Drain) and the exception propagates.
  std::size_t Drain();

  std::size_t Size() const;

 private:
  mutable std::mutex mutex_;
  std::deque<Call> calls_;
  bool wakePending_ = false;
  std::shared_ptr<const Wake> wake_;
};

}  // namespace vantrel
