#pragma once
// Implements: fill colour, border width, top-left and bottom-right border
//   colours, MouseDown with MouseDrag and MouseUp.
// Leaves out: rounded corners, the other shapes (ovals, lines), MouseMove and
//   MouseEnter/Exit.
//
// A filled rectangle with a border whose top and left edges take one colour
// and bottom and right edges another. MouseDown(x, y) returning true receives
// that press's MouseDrag and MouseUp.
#include "platform/qt/Control.h"
#include "platform/qt/Mirrored.h"

namespace vantrel {

class RectangleWidget;

class Rectangle : public Control {
 public:
  explicit Rectangle(const ControlDesign& design);

  Color FillColor() const { return fill_.Get(); }
  void FillColor(Color color);
  Integer BorderWidth() const noexcept { return border_.load(std::memory_order_relaxed); }
  void BorderWidth(Integer width);
  Color TopLeftColor() const { return topLeft_.Get(); }
  void TopLeftColor(Color color);
  Color BottomRightColor() const { return bottomRight_.Get(); }
  void BottomRightColor(Color color);

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void Detach() override;

 private:
  friend class RectangleWidget;
  void Repaint();
  bool Press(Integer x, Integer y);
  void Drag(Integer x, Integer y);
  void Release(Integer x, Integer y);

  Mirrored<Color> fill_;
  std::atomic<Integer> border_;
  Mirrored<Color> topLeft_;
  Mirrored<Color> bottomRight_;
  RectangleWidget* view_ = nullptr;
};

}  // namespace vantrel
