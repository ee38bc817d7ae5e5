#pragma once
// Implements: a window's surface, drawing onto the canvases it covers: the
//   same calls as a canvas's.
// Leaves out: drawing outside canvases (on the window's backdrop), text
//   drawing, polygons, clipping regions.
//
// A window's own drawing surface. Its origin is the client area's top-left;
// it draws onto every canvas it covers, translated by the canvas's place, so
// for a canvas at 0, 0 it draws exactly where that canvas's own Graphics does.
// Callable from any thread, like a canvas's surface.
#include <functional>

#include "platform/core/Graphics.h"
#include "platform/qt/CanvasGraphics.h"

namespace vantrel {

class Window;

class WindowGraphics final : public Graphics {
 public:
  explicit WindowGraphics(Window& window) noexcept : Graphics(nullptr), window_(window) {}

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

 private:
  // operation gets a canvas's surface and the canvas's place, to subtract.
  using Operation = std::function<void(Graphics&, Integer left, Integer top)>;
  CanvasPen Pen() const noexcept { return {ForeColor, PenWidth, PenHeight}; }
  void Perform(const CanvasPen& pen, const Operation& operation);

  Window& window_;
};

}  // namespace vantrel
