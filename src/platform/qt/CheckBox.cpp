#include "platform/qt/CheckBox.h"

#include <QCheckBox>

#include "platform/qt/ButtonCaption.h"

namespace vantrel {

CheckBox::CheckBox(const ControlDesign& design)
    : Control(design),
      caption_(design.Caption),
      value_(design.Value != 0),
      textSize_(design.TextSize),
      bold_(design.Bold) {}

QWidget* CheckBox::CreateWidget(QWidget* parent) {
  auto* box = new QCheckBox(ButtonCaption(caption_.Get()), parent);
  box->setChecked(Value());
  ApplyFont(*box, textSize_, bold_);
  // Keys go to the window's KeyDown (arrows would otherwise move between
  // the tools); clicks still work.
  box->setFocusPolicy(Qt::NoFocus);
  QObject::connect(box, &QCheckBox::toggled, Context(), [this](bool on) { value_ = on; });
  // clicked comes only from the user.
  QObject::connect(box, &QCheckBox::clicked, Context(), [this](bool on) {
    value_ = on;
    if (Events.Action) RunHandler(Events.Action);
  });
  return box;
}

void CheckBox::Caption(const std::string& caption) {
  if (Marshal(static_cast<void (CheckBox::*)(const std::string&)>(&CheckBox::Caption), caption)) {
    return;
  }
  caption_.Set(caption);
  if (auto* box = static_cast<QCheckBox*>(Widget())) box->setText(ButtonCaption(caption));
}

void CheckBox::Value(bool value) {
  if (Marshal(static_cast<void (CheckBox::*)(bool)>(&CheckBox::Value), value)) return;
  value_ = value;
  if (auto* box = static_cast<QCheckBox*>(Widget())) box->setChecked(value);
}

}  // namespace vantrel
