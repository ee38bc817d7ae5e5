// The document window's live preview: restarting it (fitting the canvas to
// the window, in the render proportions when asked, and starting a new
// preview thread), the progress timer, the first preview, Redraw and Stop.
//
// The thread reads the document only from snapshots and reaches the window
// only through its host (WindowPreviewHost), whose effects it delivers on
// the event thread and drops once it has been killed.
#include <algorithm>
#include <memory>

#include "editor/DrawingWindow.h"
#include "editor/PreviewThreadClass.h"
#include "editor/WindowPreviewHost.h"
#include "model/FracRender.h"
#include "model/Globals.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/Thread.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/ProgressBar.h"
#include "platform/qt/StaticText.h"

namespace vantrel {
namespace {

constexpr char kStoppedText[] = "Rendering stopped";

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

// --- Restart -------------------------------------------------------------------

void DrawingWindow::OnPreview() { RestartPreviewThread(); }

void DrawingWindow::OnFitCanvas() {
  // A canvas is never smaller than 1 pixel: the conversions divide by its size.
  Integer width = std::max<Integer>(Width() - Globals::FracCanRightBorder, 1);
  Integer height = std::max<Integer>(Height() - Globals::FracCanBottomBorder, 1);
  if (CurrentSettings && CurrentSettings->Booleans[kFrameToRenderProportions]) {
    FrameToProportions(width, height, CurrentSettings->Ints[kRenderWidth],
                       CurrentSettings->Ints[kRenderHeight]);
  }
  FracCan().Width(width);
  FracCan().Height(height);
}

void DrawingWindow::RestartPreviewThread() {
  // Killed whatever its state: a suspended thread that is replaced would
  // wait forever, and an ended one may still have effects on their way that
  // must not land over the new thread's.
  if (PreviewThread) PreviewThread->Kill();
  // A closed window has no one left to kill a new thread.
  if (!IsOpen()) return;
  if (!previewLink_.Host) previewLink_.Host = std::make_shared<WindowPreviewHost>(*this);
  PreviewThread = std::make_shared<PreviewThreadClass>(previewLink_.Host);
  PreviewThread->Run();
}

DrawingWindow::PreviewLink::~PreviewLink() {
  if (Owner->PreviewThread) Owner->PreviewThread->Kill();
  if (Host) Host->Detach();
}

// --- Timers and buttons --------------------------------------------------------

void DrawingWindow::Timer1_Action() {
  SetCursor();
  ProgressBar& bar = ProgressBar1();
  if (!bar.Visible()) return;
  const std::shared_ptr<const FracRender> round =
      PreviewThread ? PreviewThread->Iteration() : nullptr;
  // Only a round shows the bar; without one (a restart that has not begun
  // its first round yet) there is nothing to show.
  if (!round) {
    bar.Visible(false);
    return;
  }
  bar.Value(round->ProgressValue(bar.Maximum()));
}

void DrawingWindow::Timer2_Action() { Preview(); }

void DrawingWindow::RedrawBTN_Action() { Preview(); }

void DrawingWindow::StopBTN_Action() {
  if (!PreviewThread || PreviewThread->State() != Thread::Running) return;
  // The kill also drops what the thread has posted and not yet shown, so
  // neither its status text nor its bar can come back over these.
  PreviewThread->Kill();
  StatusText().Text(kStoppedText);
  ProgressBar1().Visible(false);
}

}  // namespace vantrel
