#pragma once
// Implements: a canvas's surface: ForeColor, PenWidth, PenHeight, lines,
//   rectangles, ovals, ClearRect, pictures (also scaled parts), a batch of
//   drawing shown at once, callable from any thread.
// Leaves out: text drawing (DrawString, fonts), polygons and curves, pen
//   patterns, transparency, clipping regions.
//
// The drawing surface of a Canvas: draws into the canvas's backing picture and
// has the canvas show it. Callable from any thread: a worker's drawing is
// carried out on the event thread, in call order, with the pen it had at the
// call. Width and Height never touch Qt.
//
// A worker that shares this surface with the event thread sets no pen state
// on it (the fields are plain data); DrawPicture, the call workers make,
// reads none.
#include <functional>

#include "platform/core/Graphics.h"

namespace vantrel {

class Canvas;

struct CanvasPen {
  Color ForeColor{};
  Integer PenWidth = 1;
  Integer PenHeight = 1;
};

class CanvasGraphics final : public Graphics {
 public:
  explicit CanvasGraphics(Canvas& canvas) noexcept : Graphics(nullptr), canvas_(canvas) {}

  Integer Width() const override;
  Integer Height() const override;
  void DrawLine(Integer x1, Integer y1, Integer x2, Integer y2) override;
  void DrawRect(Integer x, Integer y, Integer width, Integer height) override;
  void FillRect(Integer x, Integer y, Integer width, Integer height) override;
  void ClearRect(Integer x, Integer y, Integer width, Integer height) override;
  void DrawOval(Integer x, Integer y, Integer width, Integer height) override;
  void FillOval(Integer x, Integer y, Integer width, Integer height) override;
  void DrawPicture(const std::shared_ptr<const Picture>& picture, Integer x, Integer y) override;
  void DrawPicture(const std::shared_ptr<const Picture>& picture, Integer destX, Integer destY,
                   Integer destWidth, Integer destHeight, Integer srcX, Integer srcY,
                   Integer srcWidth, Integer srcHeight) override;
  void DrawAtOnce(std::function<void(Graphics&)> drawing) override;

 private:
  CanvasPen Pen() const noexcept { return {ForeColor, PenWidth, PenHeight}; }
  void Perform(const CanvasPen& pen, std::function<void(Graphics&)> operation);

  Canvas& canvas_;
};

}  // namespace vantrel
