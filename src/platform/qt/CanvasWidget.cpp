#include "platform/qt/CanvasWidget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "platform/qt/Canvas.h"

namespace vantrel {
namespace {

constexpr int kNotch = 120;  // angle delta of one wheel notch

Integer PixelX(const QPointF& p) { return ToInteger(std::floor(p.x())); }
Integer PixelY(const QPointF& p) { return ToInteger(std::floor(p.y())); }

}  // namespace

CanvasWidget::CanvasWidget(Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(&canvas) {
  // The backing covers every pixel, so Qt need not erase behind it.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (canvas_ == nullptr) {
    painter.fillRect(event->rect(), Qt::white);
    return;
  }
  canvas_->Repaint(painter, event->rect());
}

void CanvasWidget::showEvent(QShowEvent* event) {
  if (canvas_ != nullptr) canvas_->paintDue_ = true;
  QWidget::showEvent(event);
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || canvas_ == nullptr) {
    event->ignore();
    return;
  }
  tracking_ = canvas_->Press(PixelX(event->position()), PixelY(event->position()));
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!tracking_ || canvas_ == nullptr) return;
  canvas_->Drag(PixelX(event->position()), PixelY(event->position()));
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !tracking_) return;
  tracking_ = false;
  if (canvas_ != nullptr) canvas_->Release(PixelX(event->position()), PixelY(event->position()));
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
  // Fine-grained wheels send parts of a notch; they add up to whole ones.
  wheelX_ += event->angleDelta().x();
  wheelY_ += event->angleDelta().y();
  const int notchesX = wheelX_ / kNotch;
  const int notchesY = wheelY_ / kNotch;
  wheelX_ -= notchesX * kNotch;
  wheelY_ -= notchesY * kNotch;
  if ((notchesX == 0 && notchesY == 0) || canvas_ == nullptr) {
    event->ignore();
    return;
  }
  // Qt counts a turn away from the user as positive; the program wants a turn
  // towards the user (scrolling down, or right) as positive.
  const bool handled = canvas_->Wheel(PixelX(event->position()), PixelY(event->position()),
                                      -notchesX, -notchesY);
  event->setAccepted(handled);
}

}  // namespace vantrel
