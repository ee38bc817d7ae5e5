#include "platform/core/Graphics.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/core/Picture.h"
#include "platform/core/Thread.h"

namespace vantrel {

namespace {

using Int64 = std::int64_t;
// Products of two 32-bit spans squared need more than 64 bits.
__extension__ typedef __int128 Int128;

constexpr std::uint16_t kWhite = 0xFFFF;
// Pens up to this side are stamped point by point on the fast path; larger
// ones go through the span rasteriser, which writes each pixel about once.
constexpr Integer kSmallPen = 8;

Int64 FloorDiv(Int128 numerator, Int128 denominator) {
  Int128 quotient = numerator / denominator;
  if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) {
    --quotient;
  }
  return static_cast<Int64>(quotient);
}

Int64 CeilDiv(Int128 numerator, Int128 denominator) { return -FloorDiv(-numerator, denominator); }

// Clipped, race-free writes into a picture. Coordinates are 64-bit so that
// sums of any two Integers are safe before clipping.
class Raster {
 public:
  Raster(Picture& picture, std::uint16_t color)
      : bits_(picture.Bits()), width_(picture.Width()), height_(picture.Height()), color_(color) {}

  Int64 Width() const { return width_; }
  Int64 Height() const { return height_; }

  void Plot(Int64 x, Int64 y) const { Store(bits_ + y * width_ + x); }

  // Fills the half-open box [left, right) x [top, bottom), clipped. Rows are
  // written in pieces of at most a yield's worth of pixels, and a box
  // clipped away still counts as one, so a worker drawing any number of
  // boxes of any size reaches a yield in bounded time.
  void FillBox(Int64 left, Int64 top, Int64 right, Int64 bottom) const {
    YieldForPixels(1);
    left = std::max<Int64>(left, 0);
    top = std::max<Int64>(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    for (Int64 y = top; y < bottom; ++y) {
      std::uint16_t* row = bits_ + y * width_;
      for (Int64 from = left; from < right; from += kPixelsPerYield) {
        const Int64 to = std::min(right, from + kPixelsPerYield);
        YieldForPixels(to - from);
        for (Int64 x = from; x < to; ++x) {
          Store(row + x);
        }
      }
    }
  }

  // Pixels first..last (inclusive) of row y, clipped.
  void FillRow(Int64 y, Int64 first, Int64 last) const { FillBox(first, y, last + 1, y + 1); }
  // Pixels first..last (inclusive) of column x, clipped.
  void FillColumn(Int64 x, Int64 first, Int64 last) const { FillBox(x, first, x + 1, last + 1); }

 private:
  void Store(std::uint16_t* pixel) const {
    std::atomic_ref<std::uint16_t>(*pixel).store(color_, std::memory_order_relaxed);
  }

  std::uint16_t* bits_;
  Int64 width_;
  Int64 height_;
  std::uint16_t color_;
};

// --- Lines -----------------------------------------------------------------
//
// The pixels of a line are those of Bresenham's walk along its major axis,
// always taken from the end with the smaller major coordinate, so that a line
// and its reverse cover the same pixels. At step t along the major axis the
// minor coordinate is the start's plus round(t * minor / major), halves
// rounded onward. Lines with equal spans count as x-major.

struct Line {
  Int64 x1, y1, x2, y2;
  bool xMajor;
  Int64 major;  // span along the major axis, >= 0
  Int64 minor;  // span along the minor axis, >= 0
  Int64 step;   // -1 or +1 along the minor axis
};

Line Normalize(Int64 x1, Int64 y1, Int64 x2, Int64 y2) {
  Line line{};
  line.xMajor = std::abs(x2 - x1) >= std::abs(y2 - y1);
  const bool reverse = line.xMajor ? x2 < x1 : y2 < y1;
  if (reverse) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  line.x1 = x1;
  line.y1 = y1;
  line.x2 = x2;
  line.y2 = y2;
  const Int64 minorDelta = line.xMajor ? y2 - y1 : x2 - x1;
  line.major = line.xMajor ? x2 - x1 : y2 - y1;
  line.minor = std::abs(minorDelta);
  line.step = minorDelta < 0 ? -1 : 1;
  return line;
}

// The minor coordinate at major coordinate m (between the ends).
Int64 MinorAt(const Line& line, Int64 m) {
  const Int64 start = line.xMajor ? line.y1 : line.x1;
  if (line.major == 0) {
    return start;
  }
  const Int64 t = m - (line.xMajor ? line.x1 : line.y1);
  const Int128 numerator = Int128{2} * t * line.minor + line.major;
  return start + line.step * FloorDiv(numerator, Int128{2} * line.major);
}

// Walks the pixels of a line incrementally; the same pixels as MinorAt.
template <bool kXMajor, class Visit>
void WalkAlong(const Line& line, Visit visit) {
  Int64 major = kXMajor ? line.x1 : line.y1;
  const Int64 end = kXMajor ? line.x2 : line.y2;
  Int64 minor = kXMajor ? line.y1 : line.x1;
  const Int64 twiceMajor = 2 * line.major;
  const Int64 twiceMinor = 2 * line.minor;
  Int64 remainder = line.major;
  for (;;) {
    if constexpr (kXMajor) {
      visit(major, minor);
    } else {
      visit(minor, major);
    }
    if (major == end) {
      break;
    }
    ++major;
    remainder += twiceMinor;
    if (remainder >= twiceMajor) {
      remainder -= twiceMajor;
      minor += line.step;
    }
  }
}

template <class Visit>
void WalkLine(const Line& line, Visit visit) {
  if (line.xMajor) {
    WalkAlong<true>(line, visit);
  } else {
    WalkAlong<false>(line, visit);
  }
}

// Draws the union of the pen boxes along a line of any extent. Each row (or
// column) across the major axis is filled as one span: the pen boxes that
// reach it belong to a run of consecutive line pixels whose minor coordinates
// are monotonic and step by at most 1, so their union there is contiguous.
// Only lines across the surface are visited, so the cost is bounded by the
// surface size whatever the coordinates.
void DrawLineSpans(const Raster& raster, const Line& line, Int64 penWidth, Int64 penHeight) {
  const Int64 penMajor = line.xMajor ? penWidth : penHeight;
  const Int64 penMinor = line.xMajor ? penHeight : penWidth;
  const Int64 limitMajor = line.xMajor ? raster.Width() : raster.Height();
  const Int64 limitMinor = line.xMajor ? raster.Height() : raster.Width();
  const Int64 startMajor = line.xMajor ? line.x1 : line.y1;
  const Int64 endMajor = line.xMajor ? line.x2 : line.y2;
  const Int64 minorA = line.xMajor ? line.y1 : line.x1;
  const Int64 minorB = line.xMajor ? line.y2 : line.x2;
  if (std::min(minorA, minorB) >= limitMinor || std::max(minorA, minorB) + penMinor <= 0) {
    return;
  }
  const Int64 first = std::max<Int64>(startMajor, 0);
  const Int64 last = std::min(endMajor + penMajor - 1, limitMajor - 1);
  for (Int64 across = first; across <= last; ++across) {
    const Int64 lo = std::max(across - penMajor + 1, startMajor);
    const Int64 hi = std::min(across, endMajor);
    const Int64 a = MinorAt(line, lo);
    const Int64 b = MinorAt(line, hi);
    const Int64 spanFirst = std::min(a, b);
    const Int64 spanLast = std::max(a, b) + penMinor - 1;
    if (line.xMajor) {
      raster.FillColumn(across, spanFirst, spanLast);
    } else {
      raster.FillRow(across, spanFirst, spanLast);
    }
  }
}

// --- Ovals -----------------------------------------------------------------
//
// An oval in a box of w x h covers the pixels whose centres lie inside the
// inscribed ellipse. In units of half pixels from the box's centre, pixel
// (i, j) has its centre at u = 2i + 1 - w, v = 2j + 1 - h and is covered when
// u^2 h^2 + v^2 w^2 <= w^2 h^2, an exact integer test. (No centre ever lies
// exactly on the ellipse: u and w, like v and h, differ in parity, which no
// Pythagorean triple allows; so the oval is symmetric in every box.)

// The covered pixels of row j (0 <= j < h) as first..last; false when none.
bool OvalRow(Int64 w, Int64 h, Int64 j, Int64& first, Int64& last) {
  const Int128 v = 2 * j + 1 - h;
  const Int128 rhs = Int128{w} * w * (Int128{h} * h - v * v);
  const Int128 hh = Int128{h} * h;
  // Largest u >= 0 with u^2 h^2 <= rhs: estimated in doubles, then made exact.
  Int64 u = static_cast<Int64>(std::sqrt(static_cast<double>(rhs) / static_cast<double>(hh)));
  while (u > 0 && Int128{u} * u * hh > rhs) {
    --u;
  }
  while (Int128{u + 1} * (u + 1) * hh <= rhs) {
    ++u;
  }
  // 2i + 1 - w must lie in [-u, u].
  first = CeilDiv(w - 1 - u, 2);
  last = FloorDiv(w - 1 + u, 2);
  return first <= last;
}

void FillOvalBox(const Raster& raster, Int64 x, Int64 y, Int64 w, Int64 h) {
  const Int64 top = std::max<Int64>(y, 0);
  const Int64 bottom = std::min(y + h, raster.Height());
  for (Int64 row = top; row < bottom; ++row) {
    Int64 first = 0;
    Int64 last = 0;
    if (OvalRow(w, h, row - y, first, last)) {
      raster.FillRow(row, x + first, x + last);
    }
  }
}

// --- Pictures ----------------------------------------------------------------

std::uint16_t LoadPixel(const std::uint16_t* bits, Int64 index) {
  return std::atomic_ref<std::uint16_t>(const_cast<std::uint16_t&>(bits[index]))
      .load(std::memory_order_relaxed);
}

void StorePixel(std::uint16_t* bits, Int64 index, std::uint16_t value) {
  std::atomic_ref<std::uint16_t>(bits[index]).store(value, std::memory_order_relaxed);
}

// Source coordinate of destination offset t: the source pixel under the
// destination pixel's centre.
Int64 SourceAt(Int64 t, Int64 destSize, Int64 srcStart, Int64 srcSize) {
  return srcStart + FloorDiv((Int128{2} * t + 1) * srcSize, Int128{2} * destSize);
}

}  // namespace

Integer Graphics::Width() const { return target_ != nullptr ? target_->Width() : 0; }

Integer Graphics::Height() const { return target_ != nullptr ? target_->Height() : 0; }

void Graphics::DrawLine(Integer x1, Integer y1, Integer x2, Integer y2) {
  if (target_ == nullptr || PenWidth <= 0 || PenHeight <= 0) {
    return;
  }
  const Raster raster(*target_, ToRGB565(ForeColor));
  // The renderer draws hundreds of millions of lines shorter than two pixels:
  // when both ends keep a small pen inside the surface, every pixel between
  // them does too, and a line of one step is just its two ends.
  const Integer maxX = target_->Width() - PenWidth;
  const Integer maxY = target_->Height() - PenHeight;
  const bool inside = x1 >= 0 && x2 >= 0 && y1 >= 0 && y2 >= 0 && x1 <= maxX && x2 <= maxX &&
                      y1 <= maxY && y2 <= maxY;
  const bool onePixelPen = PenWidth == 1 && PenHeight == 1;
  if (inside && onePixelPen && x2 - x1 >= -1 && x2 - x1 <= 1 && y2 - y1 >= -1 && y2 - y1 <= 1) {
    raster.Plot(x1, y1);
    raster.Plot(x2, y2);
    return;
  }
  const Line line = Normalize(x1, y1, x2, y2);
  if (inside && onePixelPen) {
    YieldForPixels(line.major + 1);
    WalkLine(line, [&](Int64 x, Int64 y) { raster.Plot(x, y); });
  } else if (inside && PenWidth <= kSmallPen && PenHeight <= kSmallPen) {
    const Int64 penWidth = PenWidth;
    const Int64 penHeight = PenHeight;
    YieldForPixels((line.major + 1) * penWidth * penHeight);
    WalkLine(line, [&](Int64 x, Int64 y) {
      for (Int64 dy = 0; dy < penHeight; ++dy) {
        for (Int64 dx = 0; dx < penWidth; ++dx) {
          raster.Plot(x + dx, y + dy);
        }
      }
    });
  } else {
    DrawLineSpans(raster, line, PenWidth, PenHeight);
  }
}

void Graphics::DrawRect(Integer x, Integer y, Integer width, Integer height) {
  if (target_ == nullptr || PenWidth <= 0 || PenHeight <= 0 || width == 0 || height == 0) {
    return;
  }
  // A negative size (a rectangle dragged up or left) spans the same corners.
  Int64 left = x;
  Int64 top = y;
  Int64 w = width;
  Int64 h = height;
  if (w < 0) {
    left += w;
    w = -w;
  }
  if (h < 0) {
    top += h;
    h = -h;
  }
  const Int64 right = left + w;
  const Int64 bottom = top + h;
  const Raster raster(*target_, ToRGB565(ForeColor));
  raster.FillBox(left, top, right, std::min(top + PenHeight, bottom));
  raster.FillBox(left, std::max(bottom - PenHeight, top), right, bottom);
  raster.FillBox(left, top, std::min(left + PenWidth, right), bottom);
  raster.FillBox(std::max(right - PenWidth, left), top, right, bottom);
}

void Graphics::FillRect(Integer x, Integer y, Integer width, Integer height) {
  if (target_ == nullptr || width <= 0 || height <= 0) {
    return;
  }
  Raster(*target_, ToRGB565(ForeColor)).FillBox(x, y, Int64{x} + width, Int64{y} + height);
}

void Graphics::ClearRect(Integer x, Integer y, Integer width, Integer height) {
  if (target_ == nullptr || width <= 0 || height <= 0) {
    return;
  }
  Raster(*target_, kWhite).FillBox(x, y, Int64{x} + width, Int64{y} + height);
}

void Graphics::DrawOval(Integer x, Integer y, Integer width, Integer height) {
  if (target_ == nullptr || PenWidth <= 0 || PenHeight <= 0 || width <= 0 || height <= 0) {
    return;
  }
  const Raster raster(*target_, ToRGB565(ForeColor));
  // The outline is the oval minus the oval of the box inset by the pen, so a
  // ring and a dot filling its inset box meet without gap or overlap.
  const Int64 innerW = Int64{width} - 2 * Int64{PenWidth};
  const Int64 innerH = Int64{height} - 2 * Int64{PenHeight};
  if (innerW <= 0 || innerH <= 0) {
    FillOvalBox(raster, x, y, width, height);
    return;
  }
  const Int64 top = std::max<Int64>(y, 0);
  const Int64 bottom = std::min(Int64{y} + height, raster.Height());
  for (Int64 row = top; row < bottom; ++row) {
    Int64 first = 0;
    Int64 last = 0;
    if (!OvalRow(width, height, row - y, first, last)) {
      continue;
    }
    const Int64 innerRow = row - y - PenHeight;
    Int64 holeFirst = 0;
    Int64 holeLast = 0;
    if (innerRow >= 0 && innerRow < innerH &&
        OvalRow(innerW, innerH, innerRow, holeFirst, holeLast)) {
      const Int64 holeLeft = Int64{x} + PenWidth;
      raster.FillRow(row, x + first, holeLeft + holeFirst - 1);
      raster.FillRow(row, holeLeft + holeLast + 1, x + last);
    } else {
      raster.FillRow(row, x + first, x + last);
    }
  }
}

void Graphics::FillOval(Integer x, Integer y, Integer width, Integer height) {
  if (target_ == nullptr || width <= 0 || height <= 0) {
    return;
  }
  FillOvalBox(Raster(*target_, ToRGB565(ForeColor)), x, y, width, height);
}

void Graphics::DrawAtOnce(std::function<void(Graphics&)> drawing) { drawing(*this); }

void Graphics::DrawPicture(const std::shared_ptr<const Picture>& picture, Integer x, Integer y) {
  if (picture == nullptr) {
    return;
  }
  DrawPicture(picture, x, y, picture->Width(), picture->Height(), 0, 0, picture->Width(),
              picture->Height());
}

void Graphics::DrawPicture(const std::shared_ptr<const Picture>& picture, Integer destX,
                           Integer destY, Integer destWidth, Integer destHeight, Integer srcX,
                           Integer srcY, Integer srcWidth, Integer srcHeight) {
  if (target_ == nullptr || picture == nullptr || destWidth <= 0 || destHeight <= 0 ||
      srcWidth <= 0 || srcHeight <= 0) {
    return;
  }
  const Int64 targetW = target_->Width();
  const Int64 targetH = target_->Height();
  const Int64 pictureW = picture->Width();
  const Int64 pictureH = picture->Height();
  const std::uint16_t* source = picture->Bits();
  // Drawing a picture onto itself reads from a snapshot, so no pixel is read
  // after it was overwritten.
  std::vector<std::uint16_t> snapshot;
  if (picture.get() == target_) {
    snapshot.resize(static_cast<std::size_t>(pictureW * pictureH));
    for (Int64 i = 0; i < pictureW * pictureH; ++i) {
      snapshot[static_cast<std::size_t>(i)] = LoadPixel(source, i);
    }
    source = snapshot.data();
  }
  // Source column of each visible destination column; -1 where the source
  // rectangle reaches beyond the picture (nothing is drawn there).
  const Int64 firstX = std::max<Int64>(destX, 0);
  const Int64 lastX = std::min(Int64{destX} + destWidth, targetW);
  if (firstX >= lastX) {
    return;
  }
  std::vector<Int64> columns(static_cast<std::size_t>(lastX - firstX));
  for (Int64 x = firstX; x < lastX; ++x) {
    const Int64 sx = SourceAt(x - destX, destWidth, srcX, srcWidth);
    columns[static_cast<std::size_t>(x - firstX)] = (sx >= 0 && sx < pictureW) ? sx : -1;
  }
  std::uint16_t* bits = target_->Bits();
  const Int64 firstY = std::max<Int64>(destY, 0);
  const Int64 lastY = std::min(Int64{destY} + destHeight, targetH);
  for (Int64 y = firstY; y < lastY; ++y) {
    const Int64 sy = SourceAt(y - destY, destHeight, srcY, srcHeight);
    YieldForPixels(lastX - firstX);
    if (sy < 0 || sy >= pictureH) {
      continue;
    }
    for (Int64 x = firstX; x < lastX; ++x) {
      const Int64 sx = columns[static_cast<std::size_t>(x - firstX)];
      if (sx >= 0) {
        StorePixel(bits, y * targetW + x, LoadPixel(source, sy * pictureW + sx));
      }
    }
  }
}

}  // namespace vantrel
