#include "platform/qt/RadioButton.h"

#include <QRadioButton>

namespace vantrel {

QAbstractButton* RadioButton::MakeButton(const QString& caption, QWidget* parent) {
  // Every control of a window shares one parent, so Qt's auto-exclusive
  // buttons make exactly the one group per window.
  return new QRadioButton(caption, parent);
}

void RadioButton::SetChecked(QAbstractButton& button, bool value) {
  // Qt keeps the checked member of an exclusive group from being turned off
  // directly; the program may do it (leaving no tool on, say).
  if (!value && button.isChecked()) {
    button.setAutoExclusive(false);
    button.setChecked(false);
    button.setAutoExclusive(true);
  } else {
    button.setChecked(value);
  }
}

}  // namespace vantrel
