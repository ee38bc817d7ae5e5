// The canvas tools of the document window: Draw, Zoom, Pan and Select, the
// wheel, and the cursor of the current tool.
//
// A press tests the tools in the order Draw, Zoom, Select, Pan; only Select
// and Pan ask for the drags and the release that follow. The Select tool
// either picks points (and its drag moves every selected point) or, on empty
// canvas, drags a selection rectangle. While the rectangle is dragged the
// preview thread is suspended and Preview is inhibited, so the picture under
// the rectangle holds still.
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "editor/DrawingWindow.h"
#include "editor/PreviewThreadClass.h"
#include "model/Globals.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/Keyboard.h"
#include "platform/core/Picture.h"
#include "platform/core/Thread.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/RadioButton.h"

namespace vantrel {
namespace {

constexpr double kZoomIn = 1.25;
constexpr double kZoomOut = 0.8;
// The wheel's factor is 1 - deltaY / kWheelSteps.
constexpr double kWheelSteps = 50.0;

// Shift as it is held at the moment of asking, not as the event found it.
bool ShiftKey() { return AsyncShiftKey(); }

// The loops run over the points that all three vectors hold, whatever a
// direct edit of one of them did.
std::size_t PointCount(const DocumentModel& d) {
  return std::min({d.Xpoints.size(), d.Ypoints.size(), d.SelectedPoints.size()});
}

const SettingSet& SettingsOf(const DocumentModel& d) {
  static const SettingSet kNone;
  return d.CurrentSettings ? *d.CurrentSettings : kNone;
}

}  // namespace

// --- Mouse ---------------------------------------------------------------------

bool DrawingWindow::FracCan_MouseDown(Integer x, Integer y) {
  // A press while a gesture is still open means its release never came (a
  // grab taken away mid-drag). Finish it first, or a suspended preview
  // thread would wait forever and Preview would stay inhibited.
  if (gestureOpen_) FracCan_MouseUp(x, y);

  ClickedPoint = false;
  double fx = CanToFracX(x);
  double fy = CanToFracY(y);
  if (DrawBTN().Value()) {
    if (!RoomForPoints(1)) return false;
    if (SettingsOf(*this).Booleans[kSnapToGrid]) {
      fx = SnapToGridX(fx);
      fy = SnapToGridY(fy);
    }
    AddPoint(fx, fy, -1);
    Changed(true);
    return false;
  }
  if (ZoomBTN().Value()) {
    ZoomPress(fx, fy);
    return false;
  }
  if (SelectBTN().Value()) {
    SelectPress(fx, fy);
    gestureOpen_ = true;
    return true;
  }
  if (PanBTN().Value()) {
    PanPress(fx, fy);
    gestureOpen_ = true;
    return true;
  }
  return false;
}

void DrawingWindow::FracCan_MouseDrag(Integer x, Integer y) {
  const double fx = CanToFracX(x);
  const double fy = CanToFracY(y);
  // Exact comparison: a drag that maps back onto the anchor changes nothing.
  if (fx == PanX && fy == PanY) return;
  if (PanBTN().Value()) {
    PanDrag(fx, fy);
  } else if (SelectBTN().Value()) {
    SelectDrag(fx, fy);
  }
}

void DrawingWindow::FracCan_MouseUp(Integer /*x*/, Integer /*y*/) {
  gestureOpen_ = false;
  InhibitPreview = false;
  Panning = false;
  // Points moved onto a neighbour merge now. The release is one edit, so
  // the merge and a rectangle's new selection go out in one snapshot.
  const bool merged = CollapseOverlaps() > 0;
  if (merged) Changed(true);
  if (SelectBTN().Value() && !ClickedPoint) {
    SelectRelease();
  } else if (merged) {
    PublishSnapshot();
  }
  // The rectangle's thread is resumed last, once the new selection is
  // published, so it goes on with what the release made, as it would have
  // once the event was over. Whatever the tool is by now: a thread left
  // suspended would wait forever.
  ResumeSuspendedPreview();
}

bool DrawingWindow::FracCan_MouseWheel(Integer x, Integer y, Integer /*deltaX*/,
                                       Integer deltaY) {
  // From deltaY 50 on the factor is 0 or negative; Zoom raises such factors
  // to its smallest, so the view always keeps a positive extent.
  const double factor = 1.0 - static_cast<double>(deltaY) / kWheelSteps;
  Zoom(CanToFracX(x), CanToFracY(y), factor, false);
  Changed(true);
  return false;
}

// --- Zoom and Pan --------------------------------------------------------------

void DrawingWindow::ZoomPress(double fx, double fy) {
  Zoom(fx, fy, ShiftKey() ? kZoomOut : kZoomIn, true);
  Changed(true);
}

void DrawingWindow::PanPress(double fx, double fy) {
  PanX = fx;
  PanY = fy;
  Panning = true;
  FracCan().MouseCursor(StockCursor::HandClosed);
}

void DrawingWindow::PanDrag(double fx, double fy) {
  const double dx = fx - PanX;
  const double dy = fy - PanY;
  // The anchor stays: the view moves so the grabbed point is under the
  // cursor again. Far from the origin a shift can round the extent away;
  // the view then stays where it is.
  if (IsSoundView(X1 - dx, X2 - dx, Y1 - dy, Y2 - dy)) {
    X1 -= dx;
    X2 -= dx;
    Y1 -= dy;
    Y2 -= dy;
  }
  Changed(true);
  Preview();
}

// --- Select: press -------------------------------------------------------------

Integer DrawingWindow::HitPoint(double fx, double fy) const {
  // The whole point size in fractal units: twice a marker's radius.
  const double width = static_cast<double>(std::max<Integer>(CanvasWidth(), 1));
  const double r = (X2 - X1) / width * SettingsOf(*this).Ints[kPointSize];
  // From the last point down: where points crowd, the highest index wins.
  for (std::size_t i = PointCount(*this); i-- > 0;) {
    const double d = std::sqrt(std::pow(Xpoints[i] - fx, 2) + std::pow(Ypoints[i] - fy, 2));
    if (d < r) return static_cast<Integer>(i);
    Yield();
  }
  return -1;
}

void DrawingWindow::DeselectAll() {
  for (std::size_t i = 0; i < PointCount(*this); ++i) {
    SelectedPoints[i] = false;
    Yield();
  }
}

void DrawingWindow::SelectRange(std::size_t i) {
  std::size_t lo = i;
  std::size_t hi = i;
  for (std::size_t k = 0; k < PointCount(*this); ++k) {
    if (SelectedPoints[k]) {
      lo = std::min(lo, k);
      hi = std::max(hi, k);
    }
    Yield();
  }
  for (std::size_t k = lo; k <= hi; ++k) {
    SelectedPoints[k] = true;
    Yield();
  }
}

void DrawingWindow::SelectHitPoint(std::size_t i, bool shift, bool command) {
  // A plain press on a selected point keeps the selection, so that the drag
  // that follows moves all of it.
  if (!shift && !command && !SelectedPoints[i]) DeselectAll();
  // Shift is asked first: Shift and Command together act as Shift.
  if (shift) {
    if (SelectedPoints[i]) {
      SelectedPoints[i] = false;
    } else {
      SelectRange(i);
    }
  } else if (command) {
    SelectedPoints[i] = !SelectedPoints[i];
  } else {
    SelectedPoints[i] = true;
  }
}

void DrawingWindow::SelectPress(double fx, double fy) {
  const bool shift = ShiftKey();
  const Integer hit = HitPoint(fx, fy);
  if (hit >= 0) {
    const auto i = static_cast<std::size_t>(hit);
    Changed(true);
    // The anchor is the point itself, so the first drag puts it under the
    // (snapped) cursor.
    fx = Xpoints[i];
    fy = Ypoints[i];
    SelectHitPoint(i, shift, Globals::DiscontinousSelectKey());
    ClickedPoint = true;
  } else if (!shift) {
    DeselectAll();
  }
  PublishSnapshot();
  DrawPoints(FracCan().Graphics());
  PanX = fx;
  PanY = fy;
  if (hit >= 0) return;

  SelectRegionX1 = SelectRegionX2 = fx;
  SelectRegionY1 = SelectRegionY2 = fy;
  InhibitPreview = true;
  if (PreviewThread && PreviewThread->State() == Thread::Running) PreviewThread->Suspend();
}

// --- Select: drag --------------------------------------------------------------

void DrawingWindow::SelectDrag(double fx, double fy) {
  if (ClickedPoint) {
    MoveSelection(fx, fy);
  } else {
    DragSelectRegion(fx, fy);
  }
}

void DrawingWindow::DragSelectRegion(double fx, double fy) {
  SelectRegionX2 = fx;
  SelectRegionY2 = fy;
  vantrel::Graphics& g = FracCan().Graphics();
  // The preview picture erases the rectangle drawn by the previous drag.
  if (PreviewThread) {
    if (const std::shared_ptr<const Picture> picture = PreviewThread->CurrentPic()) {
      g.DrawPicture(picture, 0, 0);
    }
  }
  g.PenWidth = 1;
  g.PenHeight = 1;
  g.ForeColor = SettingsOf(*this).Colors[kLineColor];
  const Integer left = FracToCanX(SelectRegionX1);
  const Integer top = FracToCanY(SelectRegionY1);
  // Signed sizes, negative when dragged left or up. The corners may lie
  // anywhere in the Integer range, so the differences saturate.
  const Integer width = ToInteger(static_cast<double>(FracToCanX(SelectRegionX2)) - left);
  const Integer height = ToInteger(static_cast<double>(FracToCanY(SelectRegionY2)) - top);
  g.DrawRect(left, top, width, height);
}

void DrawingWindow::MoveSelection(double fx, double fy) {
  Changed(true);
  if (SettingsOf(*this).Booleans[kSnapToGrid]) {
    fx = SnapToGridX(fx);
    fy = SnapToGridY(fy);
  }
  const double dx = fx - PanX;
  const double dy = fy - PanY;
  for (std::size_t k = 0; k < PointCount(*this); ++k) {
    if (SelectedPoints[k]) {
      Xpoints[k] = FiniteCoordinate(Xpoints[k] + dx);
      Ypoints[k] = FiniteCoordinate(Ypoints[k] + dy);
    }
    Yield();
  }
  // Preview also publishes the moved points for the new thread.
  if (fx != PanX || fy != PanY) Preview();
  PanX = fx;
  PanY = fy;
}

// --- Select: release -----------------------------------------------------------

void DrawingWindow::SelectRelease() {
  // The suspended thread of the rectangle is resumed by the caller.
  if (PreviewThread) {
    if (const std::shared_ptr<const Picture> picture = PreviewThread->CurrentPic()) {
      Window::Graphics().DrawPicture(picture, 0, 0);
    }
  }
  if (!ShiftKey()) DeselectAll();
  for (std::size_t k = 0; k < PointCount(*this); ++k) {
    if (Globals::IsBetween(SelectRegionX1, SelectRegionX2, Xpoints[k]) &&
        Globals::IsBetween(SelectRegionY1, SelectRegionY2, Ypoints[k])) {
      SelectedPoints[k] = ShiftKey() ? !SelectedPoints[k] : true;
    }
    Yield();
  }
  Changed(true);
  PublishSnapshot();
  DrawPoints(FracCan().Graphics());
}

void DrawingWindow::ResumeSuspendedPreview() {
  if (PreviewThread && PreviewThread->State() == Thread::Suspended) PreviewThread->Resume();
}

// --- Tool buttons and cursor ---------------------------------------------------

void DrawingWindow::DrawBTN_Action() { SetCursor(); }

void DrawingWindow::ZoomBTN_Action() { SetCursor(); }

void DrawingWindow::SetCursor() {
  if (DrawBTN().Value() || SelectBTN().Value()) {
    FracCan().MouseCursor(StockCursor::StandardPointer);
  } else if (ZoomBTN().Value()) {
    FracCan().MouseCursor(ShiftKey() ? StockCursor::MagnifySmaller : StockCursor::MagnifyLarger);
  } else if (PanBTN().Value()) {
    FracCan().MouseCursor(Panning ? StockCursor::HandClosed : StockCursor::HandOpen);
  }
}

}  // namespace vantrel
