#pragma once
// The renderer's own line drawing: the pixels Graphics::DrawLine would set,
// written straight into the surface's picture without a call per line. The
// renderer draws hundreds of millions of lines a couple of pixels long, so
// the common case (a small pen wholly inside the picture) is inline here;
// lines that touch an edge, wide pens and surfaces without a picture go to
// Graphics::DrawLine itself, so clipping is never done twice differently.
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "platform/core/Graphics.h"
#include "platform/core/Numbers.h"

namespace vantrel {

class LineRaster {
 public:
  // Takes the surface's ForeColor and pen as they are now; the renderer's
  // callers set them before drawing and never while it draws.
  explicit LineRaster(Graphics& g);

  // ToInteger's result (halves away from zero, saturating) without a call for
  // the pixel coordinates that matter; false for NaN, which has no pixel.
  static bool ToPixel(double value, Integer& pixel) noexcept {
    // Adding a signed half and truncating rounds halves away from zero, and
    // the addition is exact from a half upwards; below a half (where
    // 0.49999999999999994 + 0.5 would round up to 1) the answer is 0.
    if (std::fabs(value) < kInlineRange) [[likely]] {
      const Integer rounded = static_cast<Integer>(value + std::copysign(0.5, value));
      pixel = std::fabs(value) < 0.5 ? 0 : rounded;
      return true;
    }
    if (std::isnan(value)) {
      return false;
    }
    pixel = ToInteger(value);
    return true;
  }

  // Steps from a line's start pixel to its middle and end pixels, for each
  // (dx, dy) with both in -2..2, as offsets in the picture's pixel array.
  struct ShortSteps {
    std::array<std::ptrdiff_t, 25> Middle;
    std::array<std::ptrdiff_t, 25> End;
    static int Cell(Integer dx, Integer dy) { return (dy + 2) * 5 + (dx + 2); }
  };

  // Writes the lines of a 1-pixel pen that are known to lie inside the picture
  // and to span at most 2 pixels each way: the bulk of every drawing. Held in
  // locals by the caller's loop, so nothing is reloaded between pixels.
  struct UnitPenWriter {
    std::uint16_t* Bits;
    std::size_t Width;
    const ShortSteps* Steps;
    std::uint16_t Color;

    // Writes the pixel (x, y) and returns it, for Onward.
    [[gnu::always_inline]] std::uint16_t* Start(Integer x, Integer y) const {
      std::uint16_t* pixel =
          Bits + static_cast<std::size_t>(y) * Width + static_cast<std::size_t>(x);
      Store(pixel);
      return pixel;
    }

    // The line from (x1, y1), whose pixel `from` is already written, to
    // (x2, y2); returns the end's pixel. A line without a middle pixel writes
    // its end twice, which keeps the loop free of branches.
    [[gnu::always_inline]] std::uint16_t* Onward(std::uint16_t* from, Integer x1, Integer y1,
                                                 Integer x2, Integer y2) const {
      const int cell = ShortSteps::Cell(x2 - x1, y2 - y1);
      Store(from + Steps->Middle[static_cast<std::size_t>(cell)]);
      std::uint16_t* end = from + Steps->End[static_cast<std::size_t>(cell)];
      Store(end);
      return end;
    }

    void Store(std::uint16_t* pixel) const {
      std::atomic_ref<std::uint16_t>(*pixel).store(Color, std::memory_order_relaxed);
    }
  };

  // True when the pen is 1 x 1 and draws straight into a picture.
  bool UnitPen() const noexcept { return unitPen_; }
  UnitPenWriter UnitPenLines() const noexcept { return {bits_, width_, &steps_, color_}; }
  // True when every point (x, y) of the box (in pixels, before the pen's half
  // is taken off) lies at least a pixel inside the picture. There a unit
  // pen's line ends are trunc(x) and trunc(y): x - 0.5 is exact from 0.5 up,
  // and rounding it half away from zero is flooring x. Its lines need no
  // clipping there either.
  bool WellInside(double left, double top, double right, double bottom) const noexcept {
    return left >= 1.0 && top >= 1.0 && right <= static_cast<double>(maxX_) &&
           bottom <= static_cast<double>(maxY_);
  }

  // True when no line with ends in the box (in pixels, before the pen's half
  // is taken off) can touch the picture, whatever the pen. Surfaces without
  // a picture clip in their own way and get every line.
  bool WellOutside(double left, double top, double right, double bottom) const noexcept {
    const double margin = 2.0 + static_cast<double>(std::max(penWidth_, penHeight_));
    return clipsToPicture_ &&
           (right < -margin || bottom < -margin || left > static_cast<double>(width_) + margin ||
            top > static_cast<double>(height_) + margin);
  }

  // The same pixels as Graphics::DrawLine(x1, y1, x2, y2).
  [[gnu::always_inline]] void Line(Integer x1, Integer y1, Integer x2, Integer y2) {
    if (unitPen_ && Inside(x1, y1) && Inside(x2, y2)) [[likely]] {
      // Both ends inside the picture: the differences cannot overflow.
      const Integer dx = x2 - x1;
      const Integer dy = y2 - y1;
      if (Within(dx + 2, 4) && Within(dy + 2, 4)) [[likely]] {
        TinyLine(x1, y1, x2, y2);
        return;
      }
    }
    OtherLine(x1, y1, x2, y2);
  }

 private:
  // Below 2^30 the truncating conversion is defined.
  static constexpr double kInlineRange = 1073741824.0;
  // Pens up to this side are stamped pixel by pixel, as DrawLine does.
  static constexpr Integer kSmallPen = 8;

  // 0 <= v <= max in one unsigned compare.
  static bool Within(Integer v, Integer max) {
    return static_cast<std::uint32_t>(v) <= static_cast<std::uint32_t>(max);
  }
  // The pen box at (x, y) lies wholly inside the picture.
  bool Inside(Integer x, Integer y) const { return Within(x, maxX_) && Within(y, maxY_); }

  void TinyLine(Integer x1, Integer y1, Integer x2, Integer y2) const {
    const UnitPenWriter pen = UnitPenLines();
    pen.Onward(pen.Start(x1, y1), x1, y1, x2, y2);
  }

  // Longer lines and small pens inside the picture are walked here; lines that
  // reach an edge, wide pens and surfaces without a picture go to DrawLine.
  void OtherLine(Integer x1, Integer y1, Integer x2, Integer y2);

  // Bresenham's walk along the major axis from the end with the smaller major
  // coordinate, halves rounded onward; equal spans count as x-major. These
  // are DrawLine's pixels; only lines inside the picture come here.
  template <class Plot>
  static void Walk(Integer x1, Integer y1, Integer x2, Integer y2, Plot plot) {
    const Integer dx = x2 - x1;
    const Integer dy = y2 - y1;
    const Integer spanX = dx < 0 ? -dx : dx;
    const Integer spanY = dy < 0 ? -dy : dy;
    if (spanX >= spanY) {
      if (dx < 0) {
        std::swap(x1, x2);
        std::swap(y1, y2);
      }
      WalkMajor(x1, x2, y1, y2 < y1 ? -1 : 1, spanX, spanY,
                [&plot](Integer major, Integer minor) { plot(major, minor); });
    } else {
      if (dy < 0) {
        std::swap(x1, x2);
        std::swap(y1, y2);
      }
      WalkMajor(y1, y2, x1, x2 < x1 ? -1 : 1, spanY, spanX,
                [&plot](Integer major, Integer minor) { plot(minor, major); });
    }
  }

  template <class Plot>
  static void WalkMajor(Integer major, Integer end, Integer minor, Integer step,
                        std::int64_t majorSpan, std::int64_t minorSpan, Plot plot) {
    std::int64_t remainder = majorSpan;
    for (;;) {
      plot(major, minor);
      if (major == end) {
        return;
      }
      ++major;
      remainder += 2 * minorSpan;
      if (remainder >= 2 * majorSpan) {
        remainder -= 2 * majorSpan;
        minor += step;
      }
    }
  }

  void Store(Integer x, Integer y) const {
    std::uint16_t& pixel =
        bits_[static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)];
    std::atomic_ref<std::uint16_t>(pixel).store(color_, std::memory_order_relaxed);
  }

  void Stamp(Integer x, Integer y) const {
    for (Integer dy = 0; dy < penHeight_; ++dy) {
      for (Integer dx = 0; dx < penWidth_; ++dx) {
        Store(x + dx, y + dy);
      }
    }
  }

  void FillShortSteps();
  // True when no pen box along the line can reach the picture.
  bool OutsideSurface(Integer x1, Integer y1, Integer x2, Integer y2) const;

  Graphics& g_;
  std::uint16_t* bits_ = nullptr;
  std::size_t width_ = 0;
  std::size_t height_ = 0;
  // Largest x whose pen box still fits; only meaningful when direct_.
  Integer maxX_ = -1;
  Integer maxY_ = -1;
  Integer penWidth_ = 0;
  Integer penHeight_ = 0;
  std::uint16_t color_ = 0;
  bool unitPen_ = false;
  bool direct_ = false;
  bool clipsToPicture_ = false;
  ShortSteps steps_{};
};

}  // namespace vantrel
