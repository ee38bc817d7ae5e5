#include "editor/DocumentSnapshot.h"

#include <cstring>
#include <utility>

#include "editor/PointMarkers.h"
#include "model/SettingSet.h"

namespace vantrel {

namespace {

std::shared_ptr<const SettingSet> OrNew(std::shared_ptr<const SettingSet> settings) {
  return settings ? std::move(settings) : std::make_shared<const SettingSet>();
}

std::shared_ptr<const std::vector<double>> Own(std::vector<double> values) {
  return std::make_shared<const std::vector<double>>(std::move(values));
}

// Compared bit for bit: -0.0 and 0.0 must not pass for each other, since the
// renderer's angles tell them apart. Reading both costs far less than
// allocating and filling a copy of millions of points.
std::shared_ptr<const std::vector<double>> SameOrOwn(
    const std::shared_ptr<const std::vector<double>>& shared, const std::vector<double>& values) {
  const bool same = shared->size() == values.size() &&
                    (values.empty() || std::memcmp(shared->data(), values.data(),
                                                   values.size() * sizeof(double)) == 0);
  return same ? shared : Own(values);
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
