#include "platform/core/ForkJoin.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/core/Thread.h"

namespace vantrel {

namespace {

// Counts the parts done, for a caller that waits for them between yields.
class PartsDone {
 public:
  void One() {
    const std::lock_guard<std::mutex> lock(mutex_);
    ++done_;
    wake_.notify_one();
  }
  // Yields at least every millisecond, so a kill lands meanwhile.
  void WaitFor(std::size_t parts) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (done_ < parts) {
      wake_.wait_for(lock, std::chrono::milliseconds(1));
      lock.unlock();
      Yield();
      lock.lock();
    }
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  std::size_t done_ = 0;
};

}  // namespace

void ForkJoin::Run(std::size_t parts,
                   const std::function<void(std::size_t, const GoOn&)>& work) {
  const GoOn yielding = [] {
    Yield();
    return true;
  };
  if (parts <= 1) {
    if (parts == 1) work(0, yielding);
    return;
  }
  // Declared before the threads, which write them until they are joined.
  std::vector<std::exception_ptr> failures(parts);
  PartsDone done;
  {
    // Leaving early (a kill at a yield), the threads are asked to stop and
    // joined as they are destroyed.
    std::vector<std::jthread> threads;
    threads.reserve(parts);
    for (std::size_t part = 1; part < parts; ++part) {
      const auto body = [&, part](const std::stop_token& stop) {
        try {
          work(part, [&stop] { return !stop.stop_requested(); });
        } catch (...) {
          failures[part] = std::current_exception();
        }
        done.One();
      };
      try {
        threads.emplace_back(body);
      } catch (const std::system_error&) {
        body(std::stop_token{});
      }
    }
    work(0, yielding);
    done.WaitFor(parts - 1);
  }
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
}

}  // namespace vantrel
