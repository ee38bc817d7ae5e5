#include "platform/qt/ProgressBar.h"

#include <QProgressBar>
#include <algorithm>

namespace vantrel {

ProgressBar::ProgressBar(const ControlDesign& design)
    : Control(design),
      value_(std::clamp(design.Value, 0, std::max(design.Maximum, 0))),
      maximum_(std::max(design.Maximum, 0)) {}

QWidget* ProgressBar::CreateWidget(QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setTextVisible(false);
  bar->setRange(0, std::max<Integer>(Maximum(), 1));  // a range of 0 would be a busy bar
  bar->setValue(Value());
  return bar;
}

void ProgressBar::Value(Integer value) {
  if (Marshal(static_cast<void (ProgressBar::*)(Integer)>(&ProgressBar::Value), value)) return;
  // Qt ignores a value outside the range; the bar shows it at the nearer end.
  value_ = std::clamp(value, 0, Maximum());
  Show();
}

void ProgressBar::Maximum(Integer maximum) {
  if (Marshal(static_cast<void (ProgressBar::*)(Integer)>(&ProgressBar::Maximum), maximum)) {
    return;
  }
  maximum_ = std::max(maximum, 0);
  value_ = std::clamp(Value(), 0, Maximum());
  Show();
}

void ProgressBar::Show() {
  if (auto* bar = static_cast<QProgressBar*>(Widget())) {
    bar->setRange(0, std::max<Integer>(Maximum(), 1));  // a range of 0 would be a busy bar
    bar->setValue(Value());
  }
}

}  // namespace vantrel
