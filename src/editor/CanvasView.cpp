#include "editor/CanvasView.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vantrel {

namespace {

// A canvas is never smaller than one pixel; a caller that reports less (a
// canvas not laid out yet) is treated as one pixel rather than dividing by 0.
double Pixels(Integer size) noexcept { return static_cast<double>(std::max<Integer>(1, size)); }

double ToFrac(Integer pixel, double lo, double hi, Integer size) noexcept {
  return ((hi - lo) / Pixels(size)) * pixel + lo;
}

CanvasView::Axis AxisOf(double lo, double hi, Integer size) noexcept {
  const double extent = hi - lo;
  // A collapsed view maps everything to pixel 0 instead of dividing by zero.
  // The document never keeps one, but its fields are open to the window.
  return {lo, extent == 0.0 ? 0.0 : Pixels(size) / extent};
}

bool SoundExtent(double lo, double hi) noexcept {
  const double extent = std::fabs(hi - lo);
  return std::isfinite(lo) && std::isfinite(hi) && extent >= CanvasView::kMinExtent &&
         extent <= CanvasView::kMaxExtent;
}

}  // namespace

double CanvasView::CanToFracX(Integer x) const noexcept { return ToFrac(x, X1, X2, Width); }
double CanvasView::CanToFracY(Integer y) const noexcept { return ToFrac(y, Y1, Y2, Height); }
Integer CanvasView::FracToCanX(double fx) const noexcept { return XAxis().ToCan(fx); }
Integer CanvasView::FracToCanY(double fy) const noexcept { return YAxis().ToCan(fy); }
CanvasView::Axis CanvasView::XAxis() const noexcept { return AxisOf(X1, X2, Width); }
CanvasView::Axis CanvasView::YAxis() const noexcept { return AxisOf(Y1, Y2, Height); }

bool CanvasView::IsSound() const noexcept { return IsSoundView(X1, X2, Y1, Y2); }

bool IsSoundView(double x1, double x2, double y1, double y2) noexcept {
  return SoundExtent(x1, x2) && SoundExtent(y1, y2);
}

double FiniteCoordinate(double value) noexcept {
  if (std::isnan(value)) return 0.0;
  const double largest = std::numeric_limits<double>::max();
  return std::clamp(value, -largest, largest);
}

}  // namespace vantrel
