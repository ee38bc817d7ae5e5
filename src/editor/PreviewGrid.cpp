#include "editor/PreviewGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "editor/CanvasView.h"
#include "platform/core/Graphics.h"
#include "platform/core/Thread.h"

namespace vantrel {

namespace {

// One direction of the grid: the view's bounds along it, the canvas size the
// conversions use, the surface size lines are clipped to, and how to turn a
// position into a pixel and draw the line there.
template <class ToPixel, class LineAt>
class GridAxis {
 public:
  GridAxis(double lo, double hi, Integer canvasPixels, Integer surfacePixels, ToPixel toPixel,
           LineAt lineAt)
      : lo_(lo),
        hi_(hi),
        canvasPixels_(std::max<Integer>(1, canvasPixels)),
        surfacePixels_(surfacePixels),
        toPixel_(toPixel),
        lineAt_(lineAt) {}

  void Draw(double k) {
    // No positive, finite density, no grid in this direction: 0 would put the
    // lines at 0/0 and never end, a negative one gives no multiple in the view.
    if (!(k > 0.0) || !std::isfinite(k)) return;
    const double step = 1 / k;
    const double first = std::ceil(lo_ * k) / k;
    const double last = std::floor(hi_ * k) / k;
    const double stepPixels = step * (static_cast<double>(canvasPixels_) / std::fabs(hi_ - lo_));
    if (stepPixels >= 1.0) {
      Summed(first, last, step);
    } else {
      EveryPixel(first, last);
    }
  }

 private:
  // Lines at least a pixel apart: positions summed from the first multiple,
  // as the grid has always been drawn, so they land on the same pixels.
  void Summed(double first, double last, double step) {
    // Each sum advances by at least half a step or not at all, so this is
    // never reached unless a position is beyond the Double's precision.
    const std::int64_t maxLines = 2 * std::int64_t{canvasPixels_} + 4;
    std::int64_t lines = 0;
    for (double x = first; x <= last && lines < maxLines; ++lines) {
      lineAt_(toPixel_(x));
      Yield();
      const double next = x + step;
      if (next == x) break;  // the step is lost below x's precision
      x = next;
    }
  }

  // Lines closer than a pixel: consecutive lines land on the same or the next
  // pixel, so together they cover every pixel from the first multiple's to
  // the last one's. Drawing each of those once gives the same picture without
  // visiting up to billions of positions.
  void EveryPixel(double first, double last) {
    if (!(first <= last)) return;
    // Not finite only when a product overflowed; the true multiples then lie
    // within a step, less than a pixel, of the view's own bounds.
    const double from = std::isfinite(first) ? first : lo_;
    const double to = std::isfinite(last) ? last : hi_;
    const Integer fromPixel = std::max<Integer>(toPixel_(from), 0);
    const Integer toPixel = std::min<Integer>(toPixel_(to), surfacePixels_ - 1);
    for (Integer pixel = fromPixel; pixel <= toPixel; ++pixel) {
      lineAt_(pixel);
      Yield();
    }
  }

  double lo_;
  double hi_;
  Integer canvasPixels_;
  Integer surfacePixels_;
  ToPixel toPixel_;
  LineAt lineAt_;
};

template <class ToPixel, class LineAt>
void DrawAxis(double lo, double hi, Integer canvasPixels, Integer surfacePixels, double k,
              ToPixel toPixel, LineAt lineAt) {
  GridAxis<ToPixel, LineAt>(lo, hi, canvasPixels, surfacePixels, toPixel, lineAt).Draw(k);
}

}  // namespace

void DrawPreviewGrid(Graphics& g, const CanvasView& view, double kx, double ky) {
  DrawAxis(
      view.X1, view.X2, view.Width, g.Width(), kx, [&view](double x) { return view.FracToCanX(x); },
      [&g](Integer cx) { g.DrawLine(cx, 0, cx, g.Height()); });
  DrawAxis(
      view.Y1, view.Y2, view.Height, g.Height(), ky,
      [&view](double y) { return view.FracToCanY(y); },
      [&g](Integer cy) { g.DrawLine(0, cy, g.Width(), cy); });
}

}  // namespace vantrel
