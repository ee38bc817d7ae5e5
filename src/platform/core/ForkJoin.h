#pragma once
// One piece of work split over threads that live only for the call: a
// handful of parts run at once and the caller waits for all of them. The
// caller runs part 0 itself and yields while it waits, so a worker thread
// calling this can still be killed at once: its parts are then asked to stop
// and joined before the kill unwinds further.
#include <cstddef>
#include <functional>

namespace vantrel {

class ForkJoin {
 public:
  // Whether a part should carry on; false once the call is being abandoned.
  // The caller's part yields here instead.
  using GoOn = std::function<bool()>;

  // Runs work(part, goOn) for every part below parts, at once, and returns
  // when all have returned; rethrows the first part's exception. work must
  // only read what nobody writes until this returns, and give each part
  // its own results. Without a thread to be had a part runs on the caller.
  static void Run(std::size_t parts, const std::function<void(std::size_t, const GoOn&)>& work);
};

}  // namespace vantrel
