#pragma once
// The QWidget of a Rectangle: paints it and forwards mouse presses.
#include <QWidget>

namespace vantrel {

class Rectangle;

class RectangleWidget final : public QWidget {
 public:
  RectangleWidget(Rectangle& rectangle, QWidget* parent);

  void Detach() noexcept { rectangle_ = nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Rectangle* rectangle_;
  bool tracking_ = false;
};

}  // namespace vantrel
