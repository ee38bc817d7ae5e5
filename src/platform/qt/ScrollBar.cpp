#include "platform/qt/ScrollBar.h"

#include <QScrollBar>
#include <algorithm>

namespace vantrel {

ScrollBar::ScrollBar(const ControlDesign& design)
    : Control(design),
      value_(std::clamp(design.Value, design.Minimum, std::max(design.Minimum, design.Maximum))),
      minimum_(design.Minimum),
      maximum_(std::max(design.Minimum, design.Maximum)),
      lineStep_(design.LineStep),
      pageStep_(design.PageStep),
      liveScroll_(design.LiveScroll) {}

QWidget* ScrollBar::CreateWidget(QWidget* parent) {
  auto* bar = new QScrollBar(Width() > Height() ? Qt::Horizontal : Qt::Vertical, parent);
  bar->setRange(Minimum(), Maximum());
  bar->setValue(Value());
  bar->setSingleStep(LineStep());
  bar->setPageStep(PageStep());
  bar->setTracking(LiveScroll());
  QObject::connect(bar, &QScrollBar::valueChanged, Context(),
                   [this](int value) { Changed(value); });
  return bar;
}

void ScrollBar::Changed(Integer value) {
  value_ = value;
  if (Events.ValueChanged) RunHandler(Events.ValueChanged);
}

void ScrollBar::Value(Integer value) {
  if (Marshal(static_cast<void (ScrollBar::*)(Integer)>(&ScrollBar::Value), value)) return;
  auto* bar = static_cast<QScrollBar*>(Widget());
  if (bar == nullptr) {
    value_ = std::clamp(value, Minimum(), Maximum());
    return;
  }
  bar->setValue(value);  // Qt clamps, and reports a change through Changed
}

void ScrollBar::Minimum(Integer minimum) {
  if (Marshal(static_cast<void (ScrollBar::*)(Integer)>(&ScrollBar::Minimum), minimum)) return;
  minimum_ = minimum;
  maximum_ = std::max(minimum, Maximum());
  if (auto* bar = static_cast<QScrollBar*>(Widget())) {
    bar->setRange(minimum, Maximum());
  } else {
    value_ = std::clamp(Value(), Minimum(), Maximum());
  }
}

void ScrollBar::Maximum(Integer maximum) {
  if (Marshal(static_cast<void (ScrollBar::*)(Integer)>(&ScrollBar::Maximum), maximum)) return;
  maximum_ = maximum;
  minimum_ = std::min(maximum, Minimum());
  if (auto* bar = static_cast<QScrollBar*>(Widget())) {
    bar->setRange(Minimum(), maximum);
  } else {
    value_ = std::clamp(Value(), Minimum(), Maximum());
  }
}

void ScrollBar::LineStep(Integer step) {
  if (Marshal(static_cast<void (ScrollBar::*)(Integer)>(&ScrollBar::LineStep), step)) return;
  lineStep_ = step;
  if (auto* bar = static_cast<QScrollBar*>(Widget())) bar->setSingleStep(step);
}

void ScrollBar::PageStep(Integer step) {
  if (Marshal(static_cast<void (ScrollBar::*)(Integer)>(&ScrollBar::PageStep), step)) return;
  pageStep_ = step;
  if (auto* bar = static_cast<QScrollBar*>(Widget())) bar->setPageStep(step);
}

void ScrollBar::LiveScroll(bool live) {
  if (Marshal(static_cast<void (ScrollBar::*)(bool)>(&ScrollBar::LiveScroll), live)) return;
  liveScroll_ = live;
  if (auto* bar = static_cast<QScrollBar*>(Widget())) bar->setTracking(live);
}

}  // namespace vantrel
