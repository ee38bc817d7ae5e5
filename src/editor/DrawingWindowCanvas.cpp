// The document window's canvas, timer and button handlers, and the window's
// part of restarting the preview.
//
// Handlers marked "minimal for now" are placeholders that keep the window
// safe to use; the canvas tools, the preview thread and the point commands
// fill them in.
#include <algorithm>

#include "editor/DocumentServices.h"
#include "editor/DrawingWindow.h"
#include "editor/PreviewThreadClass.h"
#include "model/Globals.h"
#include "model/SettingSet.h"
#include "platform/qt/Canvas.h"

namespace vantrel {
namespace {

// The largest size of the proportion renderWidth : renderHeight inside
// width x height, keeping the side that limits it; the other side never
// drops below 1 pixel. Proportions that are not above 0 leave the size alone.
void FrameToProportions(Integer& width, Integer& height, double renderWidth,
                        double renderHeight) {
  if (!(renderWidth > 0.0) || !(renderHeight > 0.0)) return;
  const double rx = static_cast<double>(width) / renderWidth;
  const double ry = static_cast<double>(height) / renderHeight;
  // Written so that a NaN (from infinite proportions) also gives 1 pixel.
  const auto side = [](double length) { return length >= 1.0 ? length : 1.0; };
  if (rx < ry) {
    height = ToInteger(side(renderHeight * rx));
  } else {
    width = ToInteger(side(renderWidth * ry));
  }
}

}  // namespace

// --- Preview -------------------------------------------------------------------

void DrawingWindow::OnPreview() {
  FitCanvas();
  if (CanvasWidth() != OldCanSizeX || CanvasHeight() != OldCanSizeY) Resized();
  // Minimal for now: a running PreviewThread is killed and a new one started here.
}

void DrawingWindow::FitCanvas() {
  if (fracCan_ == nullptr) return;
  // A canvas is never smaller than 1 pixel: the conversions divide by its size.
  Integer width = std::max<Integer>(Width() - Globals::FracCanRightBorder, 1);
  Integer height = std::max<Integer>(Height() - Globals::FracCanBottomBorder, 1);
  if (CurrentSettings && CurrentSettings->Booleans[2]) {
    FrameToProportions(width, height, CurrentSettings->Ints[6], CurrentSettings->Ints[7]);
  }
  fracCan_->Width(width);
  fracCan_->Height(height);
}

void DrawingWindow::Timer1_Action() {
  SetCursor();
  // Minimal for now: the preview's progress bar is moved here.
}

void DrawingWindow::Timer2_Action() { Preview(); }

void DrawingWindow::RedrawBTN_Action() { Preview(); }

void DrawingWindow::StopBTN_Action() {
  // Minimal for now: stops a running preview thread.
}

// --- Canvas --------------------------------------------------------------------

void DrawingWindow::FracCan_Open() {
  // The first document window of a run records the margins around its canvas.
  if (Globals::FracCanRightBorder != 0) return;
  // Raised while the window is built, before fracCan_ is set.
  const Canvas& canvas = ControlNamed<Canvas>("FracCan");
  Globals::FracCanRightBorder = Width() - canvas.Width();
  Globals::FracCanBottomBorder = Height() - canvas.Height();
}

void DrawingWindow::FracCan_Paint(vantrel::Graphics& g) {
  if (!PreviewThread) return;
  if (const std::shared_ptr<const Picture> picture = PreviewThread->CurrentPic()) {
    g.DrawPicture(picture, 0, 0);
  }
}

bool DrawingWindow::FracCan_MouseDown(Integer x, Integer y) {
  ClickedPoint = false;
  double fx = CanToFracX(x);
  double fy = CanToFracY(y);
  if (ToolOn("DrawBTN")) {
    if (CurrentSettings && CurrentSettings->Booleans[1]) {
      fx = SnapToGridX(fx);
      fy = SnapToGridY(fy);
    }
    AddPoint(fx, fy, -1);
    Changed(true);
    return false;
  }
  // Minimal for now: the Zoom, Select and Pan tools.
  return false;
}

void DrawingWindow::FracCan_MouseDrag(Integer /*x*/, Integer /*y*/) {
  // Minimal for now: panning and moving points.
}

void DrawingWindow::FracCan_MouseUp(Integer /*x*/, Integer /*y*/) {
  // Minimal for now: the end of a pan or a selection.
}

bool DrawingWindow::FracCan_MouseWheel(Integer /*x*/, Integer /*y*/, Integer /*deltaX*/,
                                       Integer /*deltaY*/) {
  // Minimal for now: zooming about the cursor.
  return false;
}

void DrawingWindow::DrawBTN_Action() { SetCursor(); }

void DrawingWindow::ZoomBTN_Action() { SetCursor(); }

void DrawingWindow::SetCursor() {
  // Minimal for now: the cursor of the current tool.
}

// --- Command buttons -----------------------------------------------------------

void DrawingWindow::SplitBTN_Action() {
  // Minimal for now: halving the selected segments.
}

void DrawingWindow::ScaleBTN_Action() {
  // Minimal for now: the Scale dialog.
}

void DrawingWindow::ClearBTN_Action() {
  Clear();
  Changed(true);
}

void DrawingWindow::SettingsBTN_Action() {
  if (SettingsWin) {
    SettingsWin->Show();
    SettingsWin->SetFocus();
  } else if (Services().NewSettingsWindow) {
    // LoadDefaulySettings is False by now: the new window shows the
    // document's settings instead of overwriting them.
    SettingsWin = Services().NewSettingsWindow(*this);
  }
}

void DrawingWindow::RenderBTN_Action() {
  // Minimal for now: the render window.
}

bool DrawingWindow::EditSelectAll_Action() {
  SelectedPoints.assign(Xpoints.size(), true);
  PublishSnapshot();
  DrawPoints(FracCan().Graphics());
  return false;
}

}  // namespace vantrel
