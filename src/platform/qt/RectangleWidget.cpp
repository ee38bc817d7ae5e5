#include "platform/qt/RectangleWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/qt/Rectangle.h"

namespace vantrel {
namespace {

QColor ToQColor(Color c) { return QColor(c.Red, c.Green, c.Blue); }

Integer PixelX(const QPointF& p) { return ToInteger(std::floor(p.x())); }
Integer PixelY(const QPointF& p) { return ToInteger(std::floor(p.y())); }

}  // namespace

RectangleWidget::RectangleWidget(Rectangle& rectangle, QWidget* parent)
    : QWidget(parent), rectangle_(&rectangle) {}

void RectangleWidget::paintEvent(QPaintEvent*) {
  if (rectangle_ == nullptr) return;
  QPainter painter(this);
  const int w = width();
  const int h = height();
  painter.fillRect(rect(), ToQColor(rectangle_->FillColor()));
  const int border = std::clamp<int>(rectangle_->BorderWidth(), 0, std::min(w, h) / 2 + 1);
  if (border == 0) return;
  const QColor topLeft = ToQColor(rectangle_->TopLeftColor());
  const QColor bottomRight = ToQColor(rectangle_->BottomRightColor());
  painter.fillRect(0, 0, w, border, topLeft);
  painter.fillRect(0, 0, border, h, topLeft);
  painter.fillRect(0, h - border, w, border, bottomRight);
  painter.fillRect(w - border, 0, border, h, bottomRight);
}

void RectangleWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || rectangle_ == nullptr) {
    event->ignore();
    return;
  }
  tracking_ = rectangle_->Press(PixelX(event->position()), PixelY(event->position()));
}

void RectangleWidget::mouseMoveEvent(QMouseEvent* event) {
  if (tracking_ && rectangle_ != nullptr) {
    rectangle_->Drag(PixelX(event->position()), PixelY(event->position()));
  }
}

void RectangleWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !tracking_) return;
  tracking_ = false;
  if (rectangle_ != nullptr) {
    rectangle_->Release(PixelX(event->position()), PixelY(event->position()));
  }
}

}  // namespace vantrel
