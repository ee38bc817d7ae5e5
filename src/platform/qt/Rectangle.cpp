#include "platform/qt/Rectangle.h"

#include "platform/qt/RectangleWidget.h"

namespace vantrel {

Rectangle::Rectangle(const ControlDesign& design)
    : Control(design),
      fill_(design.FillColor),
      border_(design.BorderWidth),
      topLeft_(design.TopLeftColor),
      bottomRight_(design.BottomRightColor) {}

QWidget* Rectangle::CreateWidget(QWidget* parent) {
  view_ = new RectangleWidget(*this, parent);
  return view_;
}

void Rectangle::Detach() {
  if (view_ != nullptr) view_->Detach();
  view_ = nullptr;
  Control::Detach();
}

void Rectangle::FillColor(Color color) {
  if (Marshal(static_cast<void (Rectangle::*)(Color)>(&Rectangle::FillColor), color)) return;
  fill_.Set(color);
  Repaint();
}

void Rectangle::BorderWidth(Integer width) {
  if (Marshal(static_cast<void (Rectangle::*)(Integer)>(&Rectangle::BorderWidth), width)) return;
  border_ = width;
  Repaint();
}

void Rectangle::TopLeftColor(Color color) {
  if (Marshal(static_cast<void (Rectangle::*)(Color)>(&Rectangle::TopLeftColor), color)) return;
  topLeft_.Set(color);
  Repaint();
}

void Rectangle::BottomRightColor(Color color) {
  if (Marshal(static_cast<void (Rectangle::*)(Color)>(&Rectangle::BottomRightColor), color)) {
    return;
  }
  bottomRight_.Set(color);
  Repaint();
}

void Rectangle::Repaint() {
  if (view_ != nullptr) view_->update();
}

bool Rectangle::Press(Integer x, Integer y) {
  bool follow = false;
  if (Events.MouseDown) RunHandler([&] { follow = Events.MouseDown(x, y); });
  return follow;
}

void Rectangle::Drag(Integer x, Integer y) {
  if (Events.MouseDrag) RunHandler([&] { Events.MouseDrag(x, y); });
}

void Rectangle::Release(Integer x, Integer y) {
  if (Events.MouseUp) RunHandler([&] { Events.MouseUp(x, y); });
}

}  // namespace vantrel
