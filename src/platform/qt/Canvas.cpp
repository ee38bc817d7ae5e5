#include "platform/qt/Canvas.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <algorithm>

#include "platform/qt/CanvasWidget.h"

namespace vantrel {
namespace {

constexpr Integer kDepth = 16;

// A new backing of the given size keeping what the old one showed.
std::shared_ptr<Picture> Regrow(const std::shared_ptr<Picture>& old, Integer width,
                                Integer height) {
  std::shared_ptr<Picture> grown = NewPicture(width, height, kDepth);
  if (grown != nullptr && old != nullptr) grown->Graphics().DrawPicture(old, 0, 0);
  return grown;
}

}  // namespace

Canvas::Canvas(const ControlDesign& design)
    : Control(design), graphics_(*this), backing_(NewPicture(Width(), Height(), kDepth)) {}

Canvas::~Canvas() {
  if (view_ != nullptr && IsEventThread()) view_->Detach();
}

QWidget* Canvas::CreateWidget(QWidget* parent) {
  view_ = new CanvasWidget(*this, parent);
  return view_;
}

void Canvas::Detach() {
  if (view_ != nullptr) view_->Detach();
  view_ = nullptr;
  Control::Detach();
}

void Canvas::Resized() {
  backing_ = Regrow(backing_, Width(), Height());
  Refresh();
}

void Canvas::Draw(const CanvasPen& pen, std::function<void(vantrel::Graphics&)> operation) {
  if (Marshal(&Canvas::Draw, pen, std::move(operation))) return;
  if (backing_ == nullptr) return;
  vantrel::Graphics surface(backing_.get());
  surface.ForeColor = pen.ForeColor;
  surface.PenWidth = pen.PenWidth;
  surface.PenHeight = pen.PenHeight;
  operation(surface);
  ShowBacking();
}

void Canvas::MouseCursor(StockCursor cursor) {
  if (Marshal(&Canvas::MouseCursor, cursor)) return;
  if (view_ != nullptr) view_->setCursor(ToQCursor(cursor));
}

void Canvas::Scroll(Integer dx, Integer dy) {
  if (Marshal(&Canvas::Scroll, dx, dy)) return;
  if (backing_ == nullptr || (dx == 0 && dy == 0)) return;
  const Integer w = backing_->Width();
  const Integer h = backing_->Height();
  // A move beyond the canvas clears it all; clamping keeps -dx representable.
  dx = std::clamp(dx, -w, w);
  dy = std::clamp(dy, -h, h);
  // Drawing a picture onto itself reads from a snapshot, so overlapping moves are safe.
  vantrel::Graphics surface(backing_.get());
  surface.DrawPicture(backing_, dx, dy);
  if (dx > 0) surface.ClearRect(0, 0, dx, h);
  if (dx < 0) surface.ClearRect(w + dx, 0, -dx, h);
  if (dy > 0) surface.ClearRect(0, 0, w, dy);
  if (dy < 0) surface.ClearRect(0, h + dy, w, -dy);
  ShowBacking();
}

void Canvas::Refresh() {
  if (Marshal(&Canvas::Refresh)) return;
  paintDue_ = true;
  if (view_ != nullptr) view_->update();
}

void Canvas::ShowBacking() {
  // Inside Paint the widget is being painted already.
  if (!painting_ && view_ != nullptr) view_->update();
}

void Canvas::Repaint(QPainter& painter, const QRect& area) {
  if (paintDue_ && Events.Paint && backing_ != nullptr) {
    paintDue_ = false;
    painting_ = true;
    RunHandler([&] { Events.Paint(graphics_); });
    painting_ = false;
  }
  if (backing_ == nullptr) {
    painter.fillRect(area, Qt::white);
    return;
  }
  // The backing's RGB565 rows are exactly Qt's RGB16 layout: no copy.
  const QImage image(reinterpret_cast<const uchar*>(backing_->Bits()), backing_->Width(),
                     backing_->Height(), backing_->Width() * 2, QImage::Format_RGB16);
  painter.drawImage(area, image, area);
}

bool Canvas::Press(Integer x, Integer y) {
  bool follow = false;
  if (Events.MouseDown) RunHandler([&] { follow = Events.MouseDown(x, y); });
  return follow;
}

void Canvas::Drag(Integer x, Integer y) {
  if (Events.MouseDrag) RunHandler([&] { Events.MouseDrag(x, y); });
}

void Canvas::Release(Integer x, Integer y) {
  if (Events.MouseUp) RunHandler([&] { Events.MouseUp(x, y); });
}

bool Canvas::Wheel(Integer x, Integer y, Integer deltaX, Integer deltaY) {
  bool handled = false;
  if (Events.MouseWheel) RunHandler([&] { handled = Events.MouseWheel(x, y, deltaX, deltaY); });
  return handled;
}

}  // namespace vantrel
