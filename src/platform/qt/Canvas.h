#pragma once
// Implements: a backing picture kept at the canvas's size, Paint on the
//   backing, Graphics callable from any thread, Refresh, Scroll, MouseCursor,
//   MouseDown with MouseDrag and MouseUp, MouseWheel.
// Leaves out: a Backdrop property, double-click and
//   MouseMove/MouseEnter/MouseExit events, KeyDown on the canvas, drag and
//   drop, transparency, focus rings.
//
// A canvas keeps a backing picture of its size. Its Graphics draws into the
// backing and has it shown; the drawing stays until the next repaint. A
// repaint (the canvas appearing, a change of its size, Refresh) first runs
// the Paint handler on the backing, then shows the backing. Drawing through
// Graphics does not run Paint, so what the program draws straight onto the
// canvas (markers, a selection rectangle) is not painted over at once.
//
// Mouse: MouseDown(x, y) returning true receives that press's MouseDrag and
// MouseUp; MouseWheel(x, y, deltaX, deltaY) counts wheel notches, deltaY
// positive when the wheel turns towards the user (scrolling down).
#include <functional>
#include <memory>

#include "platform/core/Picture.h"
#include "platform/qt/CanvasGraphics.h"
#include "platform/qt/Control.h"
#include "platform/qt/Cursors.h"

class QPainter;
class QRect;

namespace vantrel {

class CanvasWidget;

class Canvas : public Control {
 public:
  explicit Canvas(const ControlDesign& design);
  ~Canvas() override;

  // Any thread (see CanvasGraphics).
  vantrel::Graphics& Graphics() noexcept { return graphics_; }

  void MouseCursor(StockCursor cursor);
  // Moves the backing's pixels by dx, dy (right and down when positive); the
  // uncovered strips turn white.
  void Scroll(Integer dx, Integer dy);
  // Repaints: Paint runs on the backing, then the backing is shown.
  void Refresh();

  // The backing as it stands (nullptr when the canvas has no area). Event thread.
  std::shared_ptr<const Picture> Backing() const noexcept { return backing_; }

  // Runs operation on a surface of the backing with the given pen and shows
  // the result. Queued onto the event thread when called from a worker.
  void Draw(const CanvasPen& pen, std::function<void(vantrel::Graphics&)> operation);

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void Resized() override;
  void Detach() override;

 private:
  friend class CanvasWidget;
  // Entry points of the widget's events.
  void Repaint(QPainter& painter, const QRect& area);
  bool Press(Integer x, Integer y);
  void Drag(Integer x, Integer y);
  void Release(Integer x, Integer y);
  bool Wheel(Integer x, Integer y, Integer deltaX, Integer deltaY);

  void ShowBacking();

  CanvasGraphics graphics_;
  std::shared_ptr<Picture> backing_;
  CanvasWidget* view_ = nullptr;
  bool paintDue_ = true;
  bool painting_ = false;
};

}  // namespace vantrel
