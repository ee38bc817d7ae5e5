#pragma once
// Keeps a picture's pyramid close behind a worker that draws into the
// picture: a thread of its own recomputes the pyramid pass after pass while
// the drawing goes on, resting between passes three times as long as a pass
// took (at least kMinRest), so it takes at most a quarter of a core and
// nothing from the drawing thread. Finish then brings the pyramid up to date
// with the finished drawing, on the drawing thread.
//
// Made on the drawing thread once the picture is painted; the destructor
// stops the updating thread and waits for it, which takes at most a row of
// cells, also when the worker unwinds from a kill.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

namespace vantrel {

class Picture;
class PicturePyramid;

class PyramidUpdater {
 public:
  static constexpr std::chrono::milliseconds kMinRest{250};

  // Neither may be null. When the system gives no thread, the pyramid is
  // brought up to date by Finish alone.
  PyramidUpdater(std::shared_ptr<PicturePyramid> pyramid, std::shared_ptr<const Picture> picture);
  ~PyramidUpdater();
  PyramidUpdater(const PyramidUpdater&) = delete;
  PyramidUpdater& operator=(const PyramidUpdater&) = delete;

  // Stops the updating thread, then updates the whole pyramid on the calling
  // thread, yielding between rows of cells (so a kill lands at once).
  void Finish();

 private:
  void Loop(std::stop_token stop);
  void Stop();

  const std::shared_ptr<PicturePyramid> pyramid_;
  const std::shared_ptr<const Picture> picture_;
  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::jthread thread_;
};

}  // namespace vantrel
