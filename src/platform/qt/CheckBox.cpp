#include "platform/qt/CheckBox.h"

#include <QCheckBox>

namespace vantrel {

QAbstractButton* CheckBox::MakeButton(const QString& caption, QWidget* parent) {
  return new QCheckBox(caption, parent);
}

}  // namespace vantrel
