#include "editor/DocumentSnapshot.h"

#include <utility>

#include "editor/PointMarkers.h"
#include "model/SettingSet.h"

namespace vantrel {

namespace {

std::shared_ptr<const SettingSet> OrNew(std::shared_ptr<const SettingSet> settings) {
  return settings ? std::move(settings) : std::make_shared<const SettingSet>();
}

}  // namespace

DocumentSnapshot::DocumentSnapshot() : Settings(std::make_shared<const SettingSet>()) {}

DocumentSnapshot::DocumentSnapshot(std::vector<double> xpoints, std::vector<double> ypoints,
                                   std::vector<bool> selectedPoints, const CanvasView& view,
                                   std::shared_ptr<const SettingSet> settings)
    : Xpoints(std::move(xpoints)),
      Ypoints(std::move(ypoints)),
      SelectedPoints(std::move(selectedPoints)),
      View(view),
      Settings(OrNew(std::move(settings))) {}

void DocumentSnapshot::DrawPoints(Graphics& g) const {
  DrawPointMarkers(g, Xpoints, Ypoints, SelectedPoints, *Settings, View);
}

}  // namespace vantrel
