#include "editor/DocumentModel.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "editor/DocumentSnapshot.h"
#include "editor/PointMarkers.h"
#include "model/Globals.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"

namespace vantrel {

namespace {

// The box centre; the halves are added only when the sum would overflow, so
// points near the ends of the Double range keep a finite centre.
double Centre(double lo, double hi) { return std::midpoint(lo, hi); }

}  // namespace

DocumentModel::DocumentModel()
    : CurrentSettings(std::make_shared<SettingSet>()),
      snapshot_(std::make_shared<const DocumentSnapshot>()) {}

DocumentModel::~DocumentModel() = default;

void DocumentModel::Changed(bool b) {
  if (b) ++edits_;
  changed_ = b;
  OnChanged(b);
}

void DocumentModel::Preview() {
  // Every call publishes, so the thread a restart starts reads the state
  // that asked for it, whatever field the caller changed directly; and it
  // publishes once, after the canvas is fitted, so that thread starts from
  // the canvas size and view it will draw for.
  if (!InhibitPreview) {
    OnFitCanvas();
    if (CanvasWidth() != OldCanSizeX || CanvasHeight() != OldCanSizeY) FitViewToCanvas();
  }
  PublishSnapshot();
  if (!InhibitPreview) OnPreview();
}

const SettingSet& DocumentModel::SettingsOrNone() const {
  static const SettingSet kNone;
  return CurrentSettings ? *CurrentSettings : kNone;
}

CanvasView DocumentModel::CurrentView() const {
  return CanvasView{X1, X2, Y1, Y2, CanvasWidth(), CanvasHeight()};
}

double DocumentModel::CanToFracX(Integer x) const { return CurrentView().CanToFracX(x); }
double DocumentModel::CanToFracY(Integer y) const { return CurrentView().CanToFracY(y); }
Integer DocumentModel::FracToCanX(double fx) const { return CurrentView().FracToCanX(fx); }
Integer DocumentModel::FracToCanY(double fy) const { return CurrentView().FracToCanY(fy); }

double DocumentModel::SnapToGrid(double value, double density) const {
  // The settings window accepts any density; without a positive, finite one
  // there is no grid to snap to.
  if (!(density > 0.0) || !std::isfinite(density)) return value;
  const double snapped = std::round(value * density) / density;
  return std::isfinite(snapped) ? snapped : value;
}

double DocumentModel::SnapToGridX(double x) const {
  return SnapToGrid(x, SettingsOrNone().Ints[kGridLinesX]);
}

double DocumentModel::SnapToGridY(double y) const {
  return SnapToGrid(y, SettingsOrNone().Ints[kGridLinesY]);
}

void DocumentModel::Zoom(double cx, double cy, double factor, bool centered) {
  if (factor <= 0.0) factor = kMinZoomFactor;
  double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
  if (centered) {
    const double w = (X2 - X1) * (1 / factor);
    const double h = (Y2 - Y1) * (1 / factor);
    x1 = cx - w / 2;
    y1 = cy - h / 2;
    x2 = cx + w / 2;
    y2 = cy + h / 2;
  } else {
    x1 = cx - (cx - X1) / factor;
    x2 = cx - (cx - X2) / factor;
    y1 = cy - (cy - Y1) / factor;
    y2 = cy - (cy - Y2) / factor;
  }
  // Past the last zoom that Doubles can tell apart (or out to overflow) the
  // view stays where it was rather than collapsing.
  if (IsSoundView(x1, x2, y1, y2)) {
    X1 = x1;
    X2 = x2;
    Y1 = y1;
    Y2 = y2;
  }
  Preview();
}

void DocumentModel::Resized() {
  FitViewToCanvas();
  PublishSnapshot();
}

void DocumentModel::FitViewToCanvas() {
  const Integer width = CanvasWidth();
  const Integer height = CanvasHeight();
  double x1 = X1, x2 = X2, y1 = Y1, y2 = Y2;
  // The refit divides by both sizes; a canvas not laid out yet counts as one pixel.
  Globals::Resize(x1, x2, y1, y2, std::max<Integer>(1, width), std::max<Integer>(1, height),
                  static_cast<double>(std::max<Integer>(1, OldCanSizeX)),
                  static_cast<double>(std::max<Integer>(1, OldCanSizeY)));
  if (IsSoundView(x1, x2, y1, y2)) {
    X1 = x1;
    X2 = x2;
    Y1 = y1;
    Y2 = y2;
  }
  OldCanSizeX = width;
  OldCanSizeY = height;
}

void DocumentModel::InsertPoint(std::size_t index, double x, double y) {
  const auto at = static_cast<std::ptrdiff_t>(index);
  Xpoints.insert(Xpoints.begin() + at, FiniteCoordinate(x));
  Ypoints.insert(Ypoints.begin() + at, FiniteCoordinate(y));
  SelectedPoints.insert(SelectedPoints.begin() + at, false);
}

void DocumentModel::ErasePoint(std::size_t index) {
  const auto at = static_cast<std::ptrdiff_t>(index);
  Xpoints.erase(Xpoints.begin() + at);
  Ypoints.erase(Ypoints.begin() + at);
  SelectedPoints.erase(SelectedPoints.begin() + at);
}

void DocumentModel::KeepParallel() {
  // The window edits the vectors directly; whatever it does, the three keep
  // one length, so no loop here reads past the end of one of them.
  const std::size_t count = std::min(Xpoints.size(), Ypoints.size());
  Xpoints.resize(count);
  Ypoints.resize(count);
  SelectedPoints.resize(count, false);
}

std::string PointLimitText() {
  return "A document can hold at most " + std::to_string(kMaxDocumentPoints) + " points.";
}

bool DocumentModel::HasRoomFor(std::size_t count) const noexcept {
  const std::size_t held = std::min(Xpoints.size(), Ypoints.size());
  return held <= kMaxDocumentPoints && count <= kMaxDocumentPoints - held;
}

bool DocumentModel::AddPoint(double x, double y, Integer index) {
  KeepParallel();
  if (!HasRoomFor(1)) return false;
  const std::size_t count = Xpoints.size();
  const bool inRange = index >= 0 && static_cast<std::size_t>(index) <= count;
  InsertPoint(inRange ? static_cast<std::size_t>(index) : count, x, y);
  CollapseOverlaps();
  Preview();
  Changed(true);
  return true;
}

void DocumentModel::RemovePoint(Integer i) {
  KeepParallel();
  if (i < 0 || static_cast<std::size_t>(i) >= Xpoints.size()) return;
  ErasePoint(static_cast<std::size_t>(i));
  Changed(true);
  PublishSnapshot();
}

std::size_t DocumentModel::RemoveSelected() {
  KeepParallel();
  // Compacted in place and published once: erasing point by point, with a
  // snapshot each, costs the square of the path's length.
  const std::size_t count = Xpoints.size();
  std::size_t kept = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (SelectedPoints[i]) continue;
    Xpoints[kept] = Xpoints[i];
    Ypoints[kept] = Ypoints[i];
    ++kept;
  }
  Xpoints.resize(kept);
  Ypoints.resize(kept);
  SelectedPoints.assign(kept, false);
  const std::size_t removed = count - kept;
  if (removed > 0) Changed(true);
  Preview();
  return removed;
}

std::size_t DocumentModel::CollapseOverlaps() {
  KeepParallel();
  // One pass that compacts in place: a run of equal points keeps its first
  // point, selected when any point of the run was. Linear, so a file of a
  // million equal points collapses at once instead of erasing one by one.
  const std::size_t count = Xpoints.size();
  if (count < 2) return 0;
  std::size_t kept = 0;
  for (std::size_t i = 1; i < count; ++i) {
    if (Xpoints[i] == Xpoints[kept] && Ypoints[i] == Ypoints[kept]) {
      if (SelectedPoints[i]) SelectedPoints[kept] = true;
      continue;
    }
    ++kept;
    Xpoints[kept] = Xpoints[i];
    Ypoints[kept] = Ypoints[i];
    SelectedPoints[kept] = SelectedPoints[i];
  }
  const std::size_t removed = count - (kept + 1);
  Xpoints.resize(kept + 1);
  Ypoints.resize(kept + 1);
  SelectedPoints.resize(kept + 1);
  return removed;
}

void DocumentModel::RemoveOverlaps() {
  if (CollapseOverlaps() == 0) return;
  Changed(true);
  PublishSnapshot();
}

void DocumentModel::Clear() {
  Xpoints.clear();
  Ypoints.clear();
  SelectedPoints.clear();
  Preview();
  Changed(true);
}

void DocumentModel::Scale(double fx, double fy, bool selectedOnly) {
  InhibitPreview = true;
  KeepParallel();
  const std::size_t count = Xpoints.size();
  auto takesPart = [&](std::size_t i) { return SelectedPoints[i] || !selectedOnly; };

  // The box is seeded from the first point taking part, not from fixed
  // bounds, so points beyond any seed still scale about their own centre.
  bool any = false;
  double maxX = 0.0, minX = 0.0, maxY = 0.0, minY = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    if (!takesPart(i)) continue;
    const double x = Xpoints[i];
    const double y = Ypoints[i];
    maxX = any ? std::max(maxX, x) : x;
    minX = any ? std::min(minX, x) : x;
    maxY = any ? std::max(maxY, y) : y;
    minY = any ? std::min(minY, y) : y;
    any = true;
  }

  if (any) {
    const double cx = Centre(minX, maxX);
    const double cy = Centre(minY, maxY);
    for (std::size_t i = 0; i < count; ++i) {
      if (!takesPart(i)) continue;
      Xpoints[i] = FiniteCoordinate(cx - (cx - Xpoints[i]) * fx);
      Ypoints[i] = FiniteCoordinate(cy - (cy - Ypoints[i]) * fy);
    }
  }

  InhibitPreview = false;
  Preview();
  Changed(true);
}

void DocumentModel::DrawPoints(Graphics& g) const {
  DrawPointMarkers(g, Xpoints, Ypoints, SelectedPoints, SettingsOrNone(), CurrentView());
}

void DocumentModel::PublishSnapshot() {
  KeepParallel();
  if (!CurrentSettings) CurrentSettings = std::make_shared<SettingSet>();
  // Coordinates that have not changed since the current snapshot are shared
  // with it, so publishing a new selection copies only the flags.
  std::shared_ptr<const DocumentSnapshot> previous = Snapshot();
  auto next = std::make_shared<const DocumentSnapshot>(
      *previous, Xpoints, Ypoints, SelectedPoints, CurrentView(), CurrentSettings->Copy());
  {
    std::lock_guard lock(snapshotMutex_);
    previous = std::exchange(snapshot_, std::move(next));
  }
  ++publications_;
  // previous is released here, outside the lock: freeing a large path must
  // not hold up a worker that is loading the new snapshot.
}

std::shared_ptr<const DocumentSnapshot> DocumentModel::Snapshot() const {
  std::lock_guard lock(snapshotMutex_);
  return snapshot_;
}

}  // namespace vantrel
