#pragma once
// Implements: Value and Maximum, held inside 0..Maximum.
// Leaves out: an indeterminate (busy) bar, text on the bar.
//
// A progress bar from 0 to Maximum. Values outside that range are held at its
// ends.
#include "platform/qt/Control.h"

namespace vantrel {

class ProgressBar : public Control {
 public:
  explicit ProgressBar(const ControlDesign& design);

  Integer Value() const noexcept { return value_.load(std::memory_order_relaxed); }
  void Value(Integer value);
  Integer Maximum() const noexcept { return maximum_.load(std::memory_order_relaxed); }
  void Maximum(Integer maximum);

 protected:
  QWidget* CreateWidget(QWidget* parent) override;

 private:
  void Show();

  std::atomic<Integer> value_;
  std::atomic<Integer> maximum_;
};

}  // namespace vantrel
