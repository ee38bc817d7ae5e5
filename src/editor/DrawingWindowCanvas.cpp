// The document window's canvas: its margins and its painting. The live
// preview (restart, timers, Redraw, Stop) is in DrawingWindowPreview.cpp, the
// canvas tools in DrawingWindowTools.cpp, the point commands in
// DrawingWindowCommands.cpp.
#include "editor/DrawingWindow.h"
#include "editor/PreviewThreadClass.h"
#include "model/Globals.h"
#include "platform/qt/Canvas.h"

namespace vantrel {

// --- Canvas --------------------------------------------------------------------

void DrawingWindow::FracCan_Open() {
  // The first document window of a run records the margins around its canvas.
  if (Globals::FracCanRightBorder != 0) return;
  Globals::FracCanRightBorder = Width() - FracCan().Width();
  Globals::FracCanBottomBorder = Height() - FracCan().Height();
}

void DrawingWindow::FracCan_Paint(vantrel::Graphics& g) {
  if (!PreviewThread) return;
  if (const std::shared_ptr<const Picture> picture = PreviewThread->CurrentPic()) {
    g.DrawPicture(picture, 0, 0);
  }
}

}  // namespace vantrel
