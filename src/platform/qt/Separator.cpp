#include "platform/qt/Separator.h"

#include <QFrame>

namespace vantrel {

QWidget* Separator::CreateWidget(QWidget* parent) {
  auto* rule = new QFrame(parent);
  rule->setFrameShape(Width() >= Height() ? QFrame::HLine : QFrame::VLine);
  rule->setFrameShadow(QFrame::Sunken);
  return rule;
}

}  // namespace vantrel
