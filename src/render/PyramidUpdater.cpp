#include "render/PyramidUpdater.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "platform/core/Picture.h"
#include "platform/core/PicturePyramid.h"
#include "platform/core/Thread.h"

namespace vantrel {

PyramidUpdater::PyramidUpdater(std::shared_ptr<PicturePyramid> pyramid,
                               std::shared_ptr<const Picture> picture)
    : pyramid_(std::move(pyramid)), picture_(std::move(picture)) {
  try {
    thread_ = std::jthread([this](std::stop_token stop) { Loop(std::move(stop)); });
  } catch (const std::exception&) {
    // No thread (or no memory for one) to spare: the view shows the pyramid
    // as Finish leaves it.
  }
}

PyramidUpdater::~PyramidUpdater() { Stop(); }

void PyramidUpdater::Stop() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}

void PyramidUpdater::Loop(std::stop_token stop) {
  using Clock = std::chrono::steady_clock;
  while (!stop.stop_requested()) {
    const Clock::time_point start = Clock::now();
    pyramid_->Update(*picture_, [&stop] { return stop.stop_requested(); });
    const auto rest = std::max<Clock::duration>(kMinRest, 3 * (Clock::now() - start));
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, stop, rest, [] { return false; });
  }
}

void PyramidUpdater::Finish() {
  Stop();
  pyramid_->Update(*picture_, [] {
    Yield();
    return false;
  });
}

}  // namespace vantrel
