#include "platform/qt/RadioButton.h"

#include <QRadioButton>

#include "platform/qt/ButtonCaption.h"

namespace vantrel {

RadioButton::RadioButton(const ControlDesign& design)
    : Control(design),
      caption_(design.Caption),
      value_(design.Value != 0),
      textSize_(design.TextSize),
      bold_(design.Bold) {}

QWidget* RadioButton::CreateWidget(QWidget* parent) {
  // Every control of a window shares one parent, so Qt's auto-exclusive
  // buttons make exactly the one group per window.
  auto* button = new QRadioButton(ButtonCaption(caption_.Get()), parent);
  button->setChecked(Value());
  ApplyFont(*button, textSize_, bold_);
  // Keys go to the window's KeyDown (arrows would otherwise move between
  // the tools); clicks still work.
  button->setFocusPolicy(Qt::NoFocus);
  QObject::connect(button, &QRadioButton::toggled, Context(), [this](bool on) { value_ = on; });
  QObject::connect(button, &QRadioButton::clicked, Context(), [this](bool on) {
    value_ = on;
    if (on && Events.Action) RunHandler(Events.Action);
  });
  return button;
}

void RadioButton::Caption(const std::string& caption) {
  if (Marshal(static_cast<void (RadioButton::*)(const std::string&)>(&RadioButton::Caption),
              caption)) {
    return;
  }
  caption_.Set(caption);
  if (auto* button = static_cast<QRadioButton*>(Widget())) button->setText(ButtonCaption(caption));
}

void RadioButton::Value(bool value) {
  if (Marshal(static_cast<void (RadioButton::*)(bool)>(&RadioButton::Value), value)) return;
  auto* button = static_cast<QRadioButton*>(Widget());
  if (button == nullptr) {
    value_ = value;
    return;
  }
  // Qt keeps the checked member of an exclusive group from being turned off
  // directly; the program may do it (leaving no tool on, say).
  if (!value && button->isChecked()) {
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
  } else {
    button->setChecked(value);
  }
  value_ = button->isChecked();
}

}  // namespace vantrel
