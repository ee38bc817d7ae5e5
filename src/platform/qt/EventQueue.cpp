#include "platform/qt/EventQueue.h"

#include <utility>

namespace vantrel {

void EventQueue::SetWake(Wake wake) {
  auto shared = wake ? std::make_shared<const Wake>(std::move(wake)) : nullptr;
  std::lock_guard lock(mutex_);
  wake_ = std::move(shared);
}

void EventQueue::Post(Call call) {
  std::shared_ptr<const Wake> wake;
  {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
    if (!wakePending_) {
      wakePending_ = true;
      wake = wake_;
    }
  }
  // Outside the lock: the wake function may take the event loop's own locks.
  if (wake) (*wake)();
}

std::size_t EventQueue::Drain() {
  std::deque<Call> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(calls_);
    wakePending_ = false;
  }
  std::size_t ran = 0;
  try {
    for (; ran < batch.size(); ++ran) batch[ran]();
  } catch (...) {
    // Put back what did not run, ahead of anything posted meanwhile, so the
    // order of every thread's calls survives the failure.
    std::lock_guard lock(mutex_);
    for (std::size_t i = batch.size(); i > ran + 1; --i) calls_.push_front(std::move(batch[i - 1]));
    throw;
  }
  return ran;
}

std::size_t EventQueue::Size() const {
  std::lock_guard lock(mutex_);
  return calls_.size();
}

}  // namespace vantrel
