#pragma once
// The QWidget of a Canvas: forwards paint, mouse and wheel events to it.
#include <QWidget>

#include "platform/core/Numbers.h"

namespace vantrel {

class Canvas;

class CanvasWidget final : public QWidget {
 public:
  CanvasWidget(Canvas& canvas, QWidget* parent);

  // The canvas is going away: events are ignored from now on.
  void Detach() noexcept { canvas_ = nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  Canvas* canvas_;
  bool tracking_ = false;  // the press said its drag and release are wanted
  int wheelX_ = 0;         // eighths of a degree not yet making a whole notch
  int wheelY_ = 0;
};

}  // namespace vantrel
