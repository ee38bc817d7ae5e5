#include "model/LineRaster.h"

#include <algorithm>
#include <cstdlib>

#include "platform/core/Picture.h"
#include "platform/core/Thread.h"

namespace vantrel {

LineRaster::LineRaster(Graphics& g)
    : g_(g), penWidth_(g.PenWidth), penHeight_(g.PenHeight), color_(ToRGB565(g.ForeColor)) {
  Picture* picture = g.Target();
  if (picture == nullptr) {
    return;
  }
  bits_ = picture->Bits();
  width_ = static_cast<std::size_t>(picture->Width());
  height_ = static_cast<std::size_t>(picture->Height());
  clipsToPicture_ = true;
  // A pen with no side draws nothing; leaving it to DrawLine keeps that rule in one place.
  const bool smallPen =
      penWidth_ > 0 && penHeight_ > 0 && penWidth_ <= kSmallPen && penHeight_ <= kSmallPen;
  if (!smallPen) {
    return;  // any other pen, even the most negative Integer, goes to DrawLine
  }
  maxX_ = picture->Width() - penWidth_;
  maxY_ = picture->Height() - penHeight_;
  // A picture narrower than the pen has no inside; every line takes DrawLine's way.
  direct_ = maxX_ >= 0 && maxY_ >= 0;
  unitPen_ = direct_ && penWidth_ == 1 && penHeight_ == 1;
  if (unitPen_) {
    FillShortSteps();
  }
}

// Between ends 2 apart (on either axis) Bresenham's walk takes the midpoint,
// its half rounded towards the end walked last: the end with the larger
// major coordinate, which is the larger one on both axes exactly when dx
// and dy have the same sign. Lines 0 or 1 apart are their two ends.
void LineRaster::FillShortSteps() {
  const auto width = static_cast<std::ptrdiff_t>(width_);
  for (Integer dy = -2; dy <= 2; ++dy) {
    for (Integer dx = -2; dx <= 2; ++dx) {
      const auto cell = static_cast<std::size_t>(ShortSteps::Cell(dx, dy));
      steps_.End[cell] = dy * width + dx;
      const bool twoApart = dx == 2 || dx == -2 || dy == 2 || dy == -2;
      const Integer onward = dx * dy > 0 ? 1 : 0;
      // >> floors, as the walk's halves need.
      steps_.Middle[cell] =
          twoApart ? ((dy + onward) >> 1) * width + ((dx + onward) >> 1) : steps_.End[cell];
    }
  }
}

void LineRaster::OtherLine(Integer x1, Integer y1, Integer x2, Integer y2) {
  if (direct_ && Inside(x1, y1) && Inside(x2, y2)) {
    // Ends inside the picture: the spans fit, and the walk stamps one pen
    // per step along the longer one, plus one.
    const std::int64_t steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1)) + 1;
    YieldForPixels(steps * penWidth_ * penHeight_);
    if (unitPen_) {
      Walk(x1, y1, x2, y2, [this](Integer x, Integer y) { Store(x, y); });
    } else {
      Walk(x1, y1, x2, y2, [this](Integer x, Integer y) { Stamp(x, y); });
    }
    return;
  }
  if (direct_ && OutsideSurface(x1, y1, x2, y2)) {
    return;
  }
  g_.DrawLine(x1, y1, x2, y2);
}

bool LineRaster::OutsideSurface(Integer x1, Integer y1, Integer x2, Integer y2) const {
  const std::int64_t width = static_cast<std::int64_t>(maxX_) + penWidth_;
  const std::int64_t height = static_cast<std::int64_t>(maxY_) + penHeight_;
  return std::int64_t{std::max(x1, x2)} + penWidth_ <= 0 || std::min(x1, x2) >= width ||
         std::int64_t{std::max(y1, y2)} + penHeight_ <= 0 || std::min(y1, y2) >= height;
}

}  // namespace vantrel
