// The document window's canvas and command button handlers. The live
// preview (restart, timers, Redraw, Stop) is in DrawingWindowPreview.cpp.
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
