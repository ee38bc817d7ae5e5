#include "platform/qt/WindowGraphics.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/qt/Canvas.h"
#include "platform/qt/Window.h"

namespace vantrel {
namespace {

// Window coordinates to a canvas's, saturating instead of overflowing.
Integer Shift(Integer value, Integer origin) {
  const std::int64_t shifted = std::int64_t{value} - origin;
  return static_cast<Integer>(std::clamp<std::int64_t>(
      shifted, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
}

}  // namespace

Integer WindowGraphics::Width() const { return window_.Width(); }

Integer WindowGraphics::Height() const { return window_.Height(); }

void WindowGraphics::Perform(const CanvasPen& pen, const Operation& operation) {
  // The control list does not change after the window is built, and a
  // canvas's place is mirrored in atomics: safe from any thread.
  for (const auto& control : window_.Controls()) {
    if (control->Kind() != ControlKind::Canvas) continue;
    auto& canvas = static_cast<Canvas&>(*control);
    const Integer left = canvas.Left();
    const Integer top = canvas.Top();
    canvas.Draw(pen, [operation, left, top](Graphics& g) { operation(g, left, top); });
  }
}

void WindowGraphics::DrawLine(Integer x1, Integer y1, Integer x2, Integer y2) {
  Perform(Pen(), [=](Graphics& g, Integer l, Integer t) {
    g.DrawLine(Shift(x1, l), Shift(y1, t), Shift(x2, l), Shift(y2, t));
  });
}

void WindowGraphics::DrawRect(Integer x, Integer y, Integer width, Integer height) {
  Perform(Pen(), [=](Graphics& g, Integer l, Integer t) {
    g.DrawRect(Shift(x, l), Shift(y, t), width, height);
  });
}

void WindowGraphics::FillRect(Integer x, Integer y, Integer width, Integer height) {
  Perform(Pen(), [=](Graphics& g, Integer l, Integer t) {
    g.FillRect(Shift(x, l), Shift(y, t), width, height);
  });
}

void WindowGraphics::ClearRect(Integer x, Integer y, Integer width, Integer height) {
  Perform({}, [=](Graphics& g, Integer l, Integer t) {
    g.ClearRect(Shift(x, l), Shift(y, t), width, height);
  });
}

void WindowGraphics::DrawOval(Integer x, Integer y, Integer width, Integer height) {
  Perform(Pen(), [=](Graphics& g, Integer l, Integer t) {
    g.DrawOval(Shift(x, l), Shift(y, t), width, height);
  });
}

void WindowGraphics::FillOval(Integer x, Integer y, Integer width, Integer height) {
  Perform(Pen(), [=](Graphics& g, Integer l, Integer t) {
    g.FillOval(Shift(x, l), Shift(y, t), width, height);
  });
}

void WindowGraphics::DrawPicture(const std::shared_ptr<const Picture>& picture, Integer x,
                                 Integer y) {
  Perform({}, [=](Graphics& g, Integer l, Integer t) {
    g.DrawPicture(picture, Shift(x, l), Shift(y, t));
  });
}

void WindowGraphics::DrawPicture(const std::shared_ptr<const Picture>& picture, Integer destX,
                                 Integer destY, Integer destWidth, Integer destHeight,
                                 Integer srcX, Integer srcY, Integer srcWidth,
                                 Integer srcHeight) {
  Perform({}, [=](Graphics& g, Integer l, Integer t) {
    g.DrawPicture(picture, Shift(destX, l), Shift(destY, t), destWidth, destHeight, srcX, srcY,
                  srcWidth, srcHeight);
  });
}

}  // namespace vantrel
