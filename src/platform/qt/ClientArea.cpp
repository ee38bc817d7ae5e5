#include "platform/qt/ClientArea.h"

#include <QImage>
#include <QPainter>

#include "platform/core/Picture.h"

namespace vantrel {

ClientArea::ClientArea(std::shared_ptr<const Picture> backdrop, QWidget* parent)
    : QWidget(parent), backdrop_(std::move(backdrop)) {
  // A window's client area takes clicks on its bare parts, which ends editing.
  setFocusPolicy(Qt::ClickFocus);
}

void ClientArea::paintEvent(QPaintEvent*) {
  if (backdrop_ != nullptr) {
    QPainter painter(this);
    const QImage image(reinterpret_cast<const uchar*>(backdrop_->Bits()), backdrop_->Width(),
                       backdrop_->Height(), backdrop_->Width() * 2, QImage::Format_RGB16);
    painter.drawImage(0, 0, image);
  }
  if (Painted) Painted();
}

}  // namespace vantrel
