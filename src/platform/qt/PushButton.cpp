#include "platform/qt/PushButton.h"

#include <QPushButton>

#include "platform/qt/ButtonCaption.h"

namespace vantrel {

PushButton::PushButton(const ControlDesign& design)
    : Control(design),
      caption_(design.Caption),
      default_(design.Default),
      cancel_(design.Cancel),
      textSize_(design.TextSize),
      bold_(design.Bold) {}

QWidget* PushButton::CreateWidget(QWidget* parent) {
  auto* button = new QPushButton(ButtonCaption(caption_.Get()), parent);
  button->setDefault(default_);  // the look; Return itself is handled by the window
  button->setAutoDefault(false);
  if (!TakesFocus()) button->setFocusPolicy(Qt::NoFocus);
  ApplyFont(*button, textSize_, bold_);
  QObject::connect(button, &QPushButton::clicked, Context(), [this] {
    if (Events.Action) RunHandler(Events.Action);
  });
  return button;
}

void PushButton::Caption(const std::string& caption) {
  if (Marshal(static_cast<void (PushButton::*)(const std::string&)>(&PushButton::Caption),
              caption)) {
    return;
  }
  caption_.Set(caption);
  if (auto* button = static_cast<QPushButton*>(Widget())) button->setText(ButtonCaption(caption));
}

bool PushButton::Push() {
  auto* button = static_cast<QPushButton*>(Widget());
  if (button == nullptr || !button->isVisible() || !button->isEnabled()) return false;
  button->click();
  return true;
}

}  // namespace vantrel
