#include "editor/DocumentSnapshot.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>
#include <utility>

#include "editor/PointMarkers.h"
#include "model/SettingSet.h"
#include "platform/core/ForkJoin.h"

namespace vantrel {

namespace {

std::shared_ptr<const SettingSet> OrNew(std::shared_ptr<const SettingSet> settings) {
  return settings ? std::move(settings) : std::make_shared<const SettingSet>();
}

std::shared_ptr<const std::vector<double>> Own(std::vector<double> values) {
  return std::make_shared<const std::vector<double>>(std::move(values));
}

// Bytes compared in one go between two looks at whether another part has
// found a difference already; and at least this many make a part.
constexpr std::size_t kBytesPerLook = std::size_t{1} << 20;
constexpr std::size_t kMinBytesPerPart = std::size_t{4} << 20;

// Bit for bit: -0.0 and 0.0 must not pass for each other, since the
// renderer's angles tell them apart. Reading both costs far less than
// allocating and filling a copy of millions of points, and split over the
// cores it takes a few milliseconds even for the largest document. The
// caller (the event thread, publishing) holds values unchanged meanwhile,
// and shared is immutable.
bool SameBits(const std::vector<double>& shared, const std::vector<double>& values) {
  if (shared.size() != values.size()) return false;
  const auto* a = reinterpret_cast<const unsigned char*>(shared.data());
  const auto* b = reinterpret_cast<const unsigned char*>(values.data());
  const std::size_t bytes = values.size() * sizeof(double);
  const std::size_t parts = std::clamp<std::size_t>(bytes / kMinBytesPerPart, 1,
                                                    std::max(1U, std::thread::hardware_concurrency()));
  std::atomic<bool> differs{false};
  ForkJoin::Run(parts, [&](std::size_t part, const ForkJoin::GoOn& goOn) {
    const std::size_t end = bytes / parts * (part + 1) + (part + 1 == parts ? bytes % parts : 0);
    for (std::size_t at = bytes / parts * part; at < end && goOn(); at += kBytesPerLook) {
      if (differs.load(std::memory_order_relaxed)) return;
      const std::size_t length = std::min(kBytesPerLook, end - at);
      if (std::memcmp(a + at, b + at, length) != 0) differs = true;
    }
  });
  return !differs;
}

std::shared_ptr<const std::vector<double>> SameOrOwn(
    const std::shared_ptr<const std::vector<double>>& shared, const std::vector<double>& values) {
  return SameBits(*shared, values) ? shared : Own(values);
}

}  // namespace

DocumentSnapshot::DocumentSnapshot()
    : xpoints_(Own({})),
      ypoints_(Own({})),
      Xpoints(*xpoints_),
      Ypoints(*ypoints_),
      Settings(std::make_shared<const SettingSet>()) {}

DocumentSnapshot::DocumentSnapshot(std::vector<double> xpoints, std::vector<double> ypoints,
                                   std::vector<bool> selectedPoints, const CanvasView& view,
                                   std::shared_ptr<const SettingSet> settings)
    : xpoints_(Own(std::move(xpoints))),
      ypoints_(Own(std::move(ypoints))),
      Xpoints(*xpoints_),
      Ypoints(*ypoints_),
      SelectedPoints(std::move(selectedPoints)),
      View(view),
      Settings(OrNew(std::move(settings))) {}

DocumentSnapshot::DocumentSnapshot(const DocumentSnapshot& previous,
                                   const std::vector<double>& xpoints,
                                   const std::vector<double>& ypoints,
                                   std::vector<bool> selectedPoints, const CanvasView& view,
                                   std::shared_ptr<const SettingSet> settings)
    : xpoints_(SameOrOwn(previous.xpoints_, xpoints)),
      ypoints_(SameOrOwn(previous.ypoints_, ypoints)),
      Xpoints(*xpoints_),
      Ypoints(*ypoints_),
      SelectedPoints(std::move(selectedPoints)),
      View(view),
      Settings(OrNew(std::move(settings))) {}

void DocumentSnapshot::DrawPoints(Graphics& g) const {
  DrawPointMarkers(g, Xpoints, Ypoints, SelectedPoints, *Settings, View);
}

}  // namespace vantrel
