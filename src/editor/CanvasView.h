#pragma once
// The mapping between canvas pixels and fractal coordinates: a view rectangle
// (X1, X2 across, Y1, Y2 down, no flip of either axis) shown on a canvas of
// Width x Height pixels. The document uses it live on the event thread;
// snapshots carry their own copy so that workers convert without touching the
// document.
#include "platform/core/Numbers.h"

namespace vantrel {

class CanvasView {
 public:
  double X1 = 0.0;
  double X2 = 0.0;
  double Y1 = 0.0;
  double Y2 = 0.0;
  Integer Width = 1;
  Integer Height = 1;

  // The formulas keep the order the conversions have always used, so pixel
  // positions come out the same to the last bit.
  double CanToFracX(Integer x) const noexcept;
  double CanToFracY(Integer y) const noexcept;
  Integer FracToCanX(double fx) const noexcept;
  Integer FracToCanY(double fy) const noexcept;

  // One axis's conversion to canvas pixels with its scale worked out once,
  // for loops over many points; the same values as FracToCanX / FracToCanY.
  struct Axis {
    double Lo;
    double Scale;
    Integer ToCan(double f) const noexcept { return ToInteger((f - Lo) * Scale); }
  };
  Axis XAxis() const noexcept;
  Axis YAxis() const noexcept;

  // Extents kept by every operation that changes the view. Far inside the
  // Double range, so the scale factors of the conversions stay finite and
  // the centre of the view stays representable at any zoom the user reaches.
  static constexpr double kMinExtent = 1e-250;
  static constexpr double kMaxExtent = 1e250;

  // True when the corners are finite and both extents (either sign) lie
  // between kMinExtent and kMaxExtent.
  bool IsSound() const noexcept;
};

// The same test for a rectangle held in four separate Doubles.
bool IsSoundView(double x1, double x2, double y1, double y2) noexcept;

// Point coordinates are always finite, so they survive a save and a read and
// every conversion stays defined: NaN becomes 0, an infinity the largest
// finite Double of its sign (as a number too large to read does).
double FiniteCoordinate(double value) noexcept;

}  // namespace vantrel
