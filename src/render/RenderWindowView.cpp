// The render window's picture view: the picture drawn into the canvas at the
// zoom of the zoom box, moved with the scroll bars or by dragging it with the
// hand. It works the same while the worker still draws (the picture shows as
// far as it has been drawn) and after the render has finished.
//
// Scrolling and dragging move the pixels already on the canvas; the scaled
// picture is drawn in full only on paint, on the draw timer, at the render's
// end and after a zoom change.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "model/Globals.h"
#include "platform/core/Picture.h"
#include "platform/core/PicturePyramid.h"
#include "platform/core/ShrunkPicture.h"
#include "platform/core/Text.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/ComboBox.h"
#include "platform/qt/Cursors.h"
#include "platform/qt/ScrollBar.h"
#include "render/RenderWindow.h"

namespace vantrel {

using Int64 = std::int64_t;

// --- Zoom ----------------------------------------------------------------------

void RenderWindow::ScaleBox_Change() { ScalePic(); }

void RenderWindow::ScaleBox_TextChanged() { ScalePic(); }

void RenderWindow::ScalePic() {
  // The number at the start of the text: "12.5%" is 0.125, "50.%" 0.5, text
  // without a number 0 (the canvas stays empty until a number is entered).
  Scale = std::min(Val(ScaleBox().Text()) / 100.0, MaxScale());
  SetUpScrollBars();
  vantrel::Graphics& g = FracCan().Graphics();
  g.ClearRect(0, 0, g.Width(), g.Height());
  DrawFrac();
}

double RenderWindow::MaxScale() const {
  // Beyond this the scaled sides would leave the Integer range and be cut
  // short, which would show the picture at a different zoom on each axis.
  if (!Fractal) return 1.0;
  const double side = std::max(Fractal->Width(), Fractal->Height());
  return static_cast<double>(std::numeric_limits<Integer>::max()) / side;
}

void RenderWindow::SetUpScrollBars() {
  if (!Fractal) return;
  const double width = Fractal->Width() * Scale - FracCan().Width();
  const double height = Fractal->Height() * Scale - FracCan().Height();
  ScrollBarX().Maximum(ToInteger(std::max(width, 0.0)));
  ScrollBarY().Maximum(ToInteger(std::max(height, 0.0)));
  ScrollBarX().PageStep(FracCan().Width());
  ScrollBarY().PageStep(FracCan().Height());
  // The offsets first: the bars report their new values to Scroll, which
  // then finds nothing to move.
  XScroll = 0;
  Yscroll = 0;
  ScrollBarX().Value(0);
  ScrollBarY().Value(0);
}

// --- Drawing -------------------------------------------------------------------

void RenderWindow::DrawFrac() {
  // Until the worker has painted the background the picture holds no pixels
  // worth showing; the canvas keeps what it has.
  if (!Fractal || !Fractal->Painted()) return;
  // Nothing is cleared first: where the scaled picture does not reach, the
  // canvas keeps what it showed.
  if (Scale < 1.0) return DrawShrunkInto(0, 0, FracCan().Width(), FracCan().Height());
  const Integer w = Fractal->Width();
  const Integer h = Fractal->Height();
  FracCan().Graphics().DrawPicture(Fractal, -XScroll, -Yscroll, ToInteger(w * Scale),
                                   ToInteger(h * Scale), 0, 0, w, h);
}

void RenderWindow::OnPaint(vantrel::Graphics& /*g*/) {
  // Bound to the canvas's Paint as well: the canvas keeps its own backing, so
  // its repaints (showing, growing) are where the window's picture is due.
  DrawFrac();
}

void RenderWindow::OnResized() { SetUpScrollBars(); }

// --- Scrolling -----------------------------------------------------------------

void RenderWindow::ScrollBarY_ValueChanged() { Scroll(); }

void RenderWindow::ScrollBarX_ValueChanged() { Scroll(); }

void RenderWindow::Scroll() {
  if (InhibitScroll) return;
  // Both offsets and values lie in 0 .. Integer max, so the differences fit.
  const Integer dx = XScroll - ScrollBarX().Value();
  const Integer dy = Yscroll - ScrollBarY().Value();
  FracCan().Scroll(dx, dy);
  XScroll = ScrollBarX().Value();
  Yscroll = ScrollBarY().Value();
  FillUncovered(dx, dy);
}

void RenderWindow::FillUncovered(Integer dx, Integer dy) {
  const Integer w = FracCan().Width();
  const Integer h = FracCan().Height();
  // Content that moves right or down uncovers the left or top edge.
  const Integer across = std::clamp(dx, -w, w);
  const Integer down = std::clamp(dy, -h, h);
  if (across > 0) DrawFracInto(0, 0, across, h);
  if (across < 0) DrawFracInto(w + across, 0, -across, h);
  if (down > 0) DrawFracInto(0, 0, w, down);
  if (down < 0) DrawFracInto(0, h + down, w, -down);
}

void RenderWindow::DrawFracInto(Integer left, Integer top, Integer width, Integer height) {
  if (!Fractal || !Fractal->Painted() || width <= 0 || height <= 0) return;
  if (Scale < 1.0) return DrawShrunkInto(left, top, width, height);
  // Drawn off screen over the strip alone, with the same destination
  // rectangle relative to the strip as DrawFrac uses on the canvas, so the
  // pixels match a full redraw while the cost stays that of the strip.
  std::shared_ptr<Picture> strip = NewPicture(width, height, 16);
  if (!strip) return;
  const Integer w = Fractal->Width();
  const Integer h = Fractal->Height();
  // In Doubles: the offsets may reach the top of the Integer range.
  const Integer x = ToInteger(-static_cast<double>(XScroll) - left);
  const Integer y = ToInteger(-static_cast<double>(Yscroll) - top);
  strip->Graphics().DrawPicture(Fractal, x, y, ToInteger(w * Scale), ToInteger(h * Scale), 0, 0,
                                w, h);
  FracCan().Graphics().DrawPicture(strip, left, top);
}

void RenderWindow::DrawShrunkInto(Integer left, Integer top, Integer width, Integer height) {
  // Shrunk by averaging, not by picking pixels, so that lines one pixel wide
  // survive zooming out; only the part of the scaled picture under the
  // canvas rectangle is computed, from the pyramid far below 100 %, which
  // keeps the cost that of the view whatever the picture's size. Until the
  // worker has a pyramid ready the canvas keeps what it shows.
  const Integer scaledWidth = ToInteger(Fractal->Width() * Scale);
  const Integer scaledHeight = ToInteger(Fractal->Height() * Scale);
  const Int64 x0 = std::max<Int64>(Int64{left} + XScroll, 0);
  const Int64 y0 = std::max<Int64>(Int64{top} + Yscroll, 0);
  const Int64 x1 = std::min<Int64>(Int64{left} + width + XScroll, scaledWidth);
  const Int64 y1 = std::min<Int64>(Int64{top} + height + Yscroll, scaledHeight);
  if (x0 >= x1 || y0 >= y1) return;
  const std::shared_ptr<Picture> part =
      ShrunkPart(*Fractal, Pyramid.get(), scaledWidth, scaledHeight, static_cast<Integer>(x0),
                 static_cast<Integer>(y0), static_cast<Integer>(x1 - x0),
                 static_cast<Integer>(y1 - y0));
  if (part) {
    FracCan().Graphics().DrawPicture(part, static_cast<Integer>(x0 - XScroll),
                                     static_cast<Integer>(y0 - Yscroll));
  }
}

// --- Drag panning --------------------------------------------------------------

void RenderWindow::FracCan_Open() { FracCan().MouseCursor(StockCursor::HandOpen); }

bool RenderWindow::FracCan_MouseDown(Integer x, Integer y) {
  FracCan().MouseCursor(StockCursor::HandClosed);
  PanX = x;
  PanY = y;
  return true;
}

void RenderWindow::FracCan_MouseDrag(Integer x, Integer y) {
  // Both bars are set before the canvas moves once, on both axes; at an edge
  // the bar stays while the anchor follows the mouse, so a drag that turns
  // back moves the picture at once.
  InhibitScroll = true;
  ScrollBarX().Value(ToInteger(
      Globals::Limit(0, ScrollBarX().Value() - (x - PanX), ScrollBarX().Maximum())));
  ScrollBarY().Value(ToInteger(
      Globals::Limit(0, ScrollBarY().Value() - (y - PanY), ScrollBarY().Maximum())));
  PanX = x;
  PanY = y;
  InhibitScroll = false;
  Scroll();
}

void RenderWindow::FracCan_MouseUp(Integer /*x*/, Integer /*y*/) {
  FracCan().MouseCursor(StockCursor::HandOpen);
}

}  // namespace vantrel
