#pragma once
// Implements: Mode 0 off, 1 once, 2 repeating; Period; Action on the event
//   thread; stand-alone timers; settable from any thread when shared-owned.
// Leaves out: timers that run their Action on a worker thread, periods below
//   one millisecond.
//
// A timer: Mode 0 off, 1 fires once (then turns itself off), 2 repeats every
// Period milliseconds; Action runs on the event thread. Setting Mode or Period
// starts the count afresh. A window's timers stop when it closes. A timer may
// also stand alone (std::make_shared<Timer>()); from a worker thread only a
// shared-owned timer can be set.
#include <QPointer>

#include "platform/qt/Control.h"

class QTimer;

namespace vantrel {

class Timer : public Control {
 public:
  static constexpr Integer kOff = 0;
  static constexpr Integer kOnce = 1;
  static constexpr Integer kRepeating = 2;

  // A standalone timer, off, with a period of 1000 ms.
  Timer();
  explicit Timer(const ControlDesign& design);
  ~Timer() override;

  Integer Mode() const noexcept { return mode_.load(std::memory_order_relaxed); }
  void Mode(Integer mode);
  Integer Period() const noexcept { return period_.load(std::memory_order_relaxed); }
  void Period(Integer period);

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void Detach() override;

 private:
  void Restart();
  void Fire();

  std::atomic<Integer> mode_;
  std::atomic<Integer> period_;
  QTimer* timer_ = nullptr;
};

}  // namespace vantrel
