#include "platform/qt/CanvasGraphics.h"

#include "platform/qt/Canvas.h"

namespace vantrel {

Integer CanvasGraphics::Width() const { return canvas_.Width(); }

Integer CanvasGraphics::Height() const { return canvas_.Height(); }

void CanvasGraphics::Perform(const CanvasPen& pen, std::function<void(Graphics&)> operation) {
  canvas_.Draw(pen, std::move(operation));
}

void CanvasGraphics::DrawLine(Integer x1, Integer y1, Integer x2, Integer y2) {
  Perform(Pen(), [=](Graphics& g) { g.DrawLine(x1, y1, x2, y2); });
}

void CanvasGraphics::DrawRect(Integer x, Integer y, Integer width, Integer height) {
  Perform(Pen(), [=](Graphics& g) { g.DrawRect(x, y, width, height); });
}

void CanvasGraphics::FillRect(Integer x, Integer y, Integer width, Integer height) {
  Perform(Pen(), [=](Graphics& g) { g.FillRect(x, y, width, height); });
}

void CanvasGraphics::ClearRect(Integer x, Integer y, Integer width, Integer height) {
  Perform({}, [=](Graphics& g) { g.ClearRect(x, y, width, height); });
}

void CanvasGraphics::DrawOval(Integer x, Integer y, Integer width, Integer height) {
  Perform(Pen(), [=](Graphics& g) { g.DrawOval(x, y, width, height); });
}

void CanvasGraphics::FillOval(Integer x, Integer y, Integer width, Integer height) {
  Perform(Pen(), [=](Graphics& g) { g.FillOval(x, y, width, height); });
}

void CanvasGraphics::DrawPicture(const std::shared_ptr<const Picture>& picture, Integer x,
                                 Integer y) {
  // The queued call keeps the picture alive until it has been drawn.
  Perform({}, [=](Graphics& g) { g.DrawPicture(picture, x, y); });
}

void CanvasGraphics::DrawPicture(const std::shared_ptr<const Picture>& picture, Integer destX,
                                 Integer destY, Integer destWidth, Integer destHeight,
                                 Integer srcX, Integer srcY, Integer srcWidth,
                                 Integer srcHeight) {
  Perform({}, [=](Graphics& g) {
    g.DrawPicture(picture, destX, destY, destWidth, destHeight, srcX, srcY, srcWidth, srcHeight);
  });
}

void CanvasGraphics::DrawAtOnce(std::function<void(Graphics&)> drawing) {
  Perform(Pen(), std::move(drawing));
}

}  // namespace vantrel
