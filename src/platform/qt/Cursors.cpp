#include "platform/qt/Cursors.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vantrel {

namespace {

constexpr int kCursorSize = 32;
// The hotspot is the pixel at the centre of the lens.
constexpr int kHotspot = 12;
constexpr QPointF kLensCentre(kHotspot + 0.5, kHotspot + 0.5);
constexpr double kLensRadius = 9.0;
constexpr double kSignHalfLength = 4.0;

// Every stroke is drawn twice, wide and white under narrow and black, so the
// cursor shows on the dark backgrounds a drawing may use as well as on white.
void DrawStroked(QPainter& painter, const QPainterPath& path, double width, double halo) {
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::white, width + 2 * halo, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(path);
  painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(path);
}

// A magnifying glass: a lens ring with a handle to the bottom right and a plus
// (larger) or minus (smaller) in the lens, whose centre is the hotspot. The
// lens itself stays clear so the user sees what the click will zoom about.
QCursor Magnifier(bool larger) {
  QImage image(kCursorSize, kCursorSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  QPainterPath glass;
  glass.addEllipse(kLensCentre, kLensRadius, kLensRadius);
  const QPointF rim = kLensCentre + QPointF(kLensRadius, kLensRadius) * 0.7071;
  glass.moveTo(rim);
  glass.lineTo(kCursorSize - 3.0, kCursorSize - 3.0);
  DrawStroked(painter, glass, 2.0, 1.25);

  QPainterPath sign;
  sign.moveTo(kLensCentre - QPointF(kSignHalfLength, 0));
  sign.lineTo(kLensCentre + QPointF(kSignHalfLength, 0));
  if (larger) {
    sign.moveTo(kLensCentre - QPointF(0, kSignHalfLength));
    sign.lineTo(kLensCentre + QPointF(0, kSignHalfLength));
  }
  DrawStroked(painter, sign, 1.5, 0.75);
  painter.end();

  return QCursor(QPixmap::fromImage(image), kHotspot, kHotspot);
}

}  // namespace

QCursor ToQCursor(StockCursor cursor) {
  switch (cursor) {
    case StockCursor::MagnifyLarger: {
      // Drawn once; cursors are only set on the event thread.
      static const QCursor larger = Magnifier(true);
      return larger;
    }
    case StockCursor::MagnifySmaller: {
      static const QCursor smaller = Magnifier(false);
      return smaller;
    }
    case StockCursor::HandOpen:
      return Qt::OpenHandCursor;
    case StockCursor::HandClosed:
      return Qt::ClosedHandCursor;
    case StockCursor::StandardPointer:
      break;
  }
  return Qt::ArrowCursor;
}

}  // namespace vantrel
