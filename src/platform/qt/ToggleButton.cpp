#include "platform/qt/ToggleButton.h"

#include <QAbstractButton>

#include "platform/qt/ButtonCaption.h"

namespace vantrel {

ToggleButton::ToggleButton(const ControlDesign& design)
    : Control(design),
      caption_(design.Caption),
      value_(design.Value != 0),
      textSize_(design.TextSize),
      bold_(design.Bold) {}

QWidget* ToggleButton::CreateWidget(QWidget* parent) {
  QAbstractButton* button = MakeButton(ButtonCaption(caption_.Get()), parent);
  button->setChecked(Value());
  ApplyFont(*button, textSize_, bold_);
  // Keys go to the window's KeyDown (arrows would otherwise move between
  // the tools); clicks still work.
  button->setFocusPolicy(Qt::NoFocus);
  QObject::connect(button, &QAbstractButton::toggled, Context(), [this](bool on) { value_ = on; });
  // clicked comes only from the user.
  QObject::connect(button, &QAbstractButton::clicked, Context(), [this](bool on) {
    value_ = on;
    if (ClickRaisesAction(on) && Events.Action) RunHandler(Events.Action);
  });
  return button;
}

void ToggleButton::Caption(const std::string& caption) {
  if (Marshal(static_cast<void (ToggleButton::*)(const std::string&)>(&ToggleButton::Caption),
              caption)) {
    return;
  }
  caption_.Set(caption);
  if (auto* button = static_cast<QAbstractButton*>(Widget())) {
    button->setText(ButtonCaption(caption));
  }
}

void ToggleButton::Value(bool value) {
  if (Marshal(static_cast<void (ToggleButton::*)(bool)>(&ToggleButton::Value), value)) return;
  auto* button = static_cast<QAbstractButton*>(Widget());
  if (button == nullptr) {
    value_ = value;
    return;
  }
  SetChecked(*button, value);
  value_ = button->isChecked();
}

void ToggleButton::SetChecked(QAbstractButton& button, bool value) { button.setChecked(value); }

}  // namespace vantrel
