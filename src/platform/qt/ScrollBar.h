#pragma once
// Implements: Value, Minimum, Maximum, LineStep, PageStep, LiveScroll,
//   ValueChanged.
// Leaves out: the mouse wheel over the bar as its own event, focus and
//   keyboard events.
//
// A scroll bar, horizontal when it is wider than high. ValueChanged is raised
// whenever Value changes, by the user or by the program (also when a new
// range moves the value). With LiveScroll off a dragged thumb reports only
// when it is released.
#include "platform/qt/Control.h"

namespace vantrel {

class ScrollBar : public Control {
 public:
  explicit ScrollBar(const ControlDesign& design);

  Integer Value() const noexcept { return value_.load(std::memory_order_relaxed); }
  void Value(Integer value);
  Integer Minimum() const noexcept { return minimum_.load(std::memory_order_relaxed); }
  void Minimum(Integer minimum);
  Integer Maximum() const noexcept { return maximum_.load(std::memory_order_relaxed); }
  void Maximum(Integer maximum);
  Integer LineStep() const noexcept { return lineStep_.load(std::memory_order_relaxed); }
  void LineStep(Integer step);
  Integer PageStep() const noexcept { return pageStep_.load(std::memory_order_relaxed); }
  void PageStep(Integer step);
  bool LiveScroll() const noexcept { return liveScroll_.load(std::memory_order_relaxed); }
  void LiveScroll(bool live);

 protected:
  QWidget* CreateWidget(QWidget* parent) override;

 private:
  void Changed(Integer value);

  std::atomic<Integer> value_;
  std::atomic<Integer> minimum_;
  std::atomic<Integer> maximum_;
  std::atomic<Integer> lineStep_;
  std::atomic<Integer> pageStep_;
  std::atomic<bool> liveScroll_;
};

}  // namespace vantrel
