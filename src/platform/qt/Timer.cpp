#include "platform/qt/Timer.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

namespace vantrel {
namespace {

ControlDesign StandaloneDesign() {
  ControlDesign design;
  design.Kind = ControlKind::Timer;
  design.Mode = Timer::kOff;
  return design;
}

}  // namespace

Timer::Timer() : Timer(StandaloneDesign()) {}

Timer::Timer(const ControlDesign& design)
    : Control(design), mode_(design.Mode), period_(design.Period) {}

Timer::~Timer() {
  if (timer_ == nullptr) return;
  if (IsEventThread()) {
    delete timer_;
  } else {
    // Its connection lives in Context(), which the base class frees on the
    // event thread as well, so the QTimer can no longer reach this object.
    PostToEventThread([timer = timer_] { delete timer; });
  }
}

// A timer has no widget: it starts counting when its window is built.
QWidget* Timer::CreateWidget(QWidget*) {
  Restart();
  return nullptr;
}

void Timer::Detach() {
  delete timer_;
  timer_ = nullptr;
  Control::Detach();
}

void Timer::Mode(Integer mode) {
  if (Marshal(static_cast<void (Timer::*)(Integer)>(&Timer::Mode), mode)) return;
  mode_ = mode;
  Restart();
}

void Timer::Period(Integer period) {
  if (Marshal(static_cast<void (Timer::*)(Integer)>(&Timer::Period), period)) return;
  period_ = period;
  Restart();
}

void Timer::Restart() {
  if (!IsOpen()) return;
  if (timer_ == nullptr) {
    MarkEventThread();
    timer_ = new QTimer();
    // A standalone timer has no window context; it reaches itself through a
    // weak reference, so a timeout after its end finds nothing.
    QObject* context = Context() != nullptr ? Context() : timer_;
    std::weak_ptr<Control> weak = weak_from_this();
    const bool shared = !weak.expired();
    QObject::connect(timer_, &QTimer::timeout, context, [this, shared, weak] {
      if (!shared) {
        Fire();  // owned on the event thread, which deletes the QTimer with it
      } else if (const std::shared_ptr<Control> self = weak.lock()) {
        static_cast<Timer&>(*self).Fire();
      }
    });
  }
  const Integer mode = Mode();
  if (mode != kOnce && mode != kRepeating) {
    timer_->stop();
    return;
  }
  timer_->setSingleShot(mode == kOnce);
  timer_->start(std::max<Integer>(Period(), 1));  // a period of 0 would spin the event loop
}

void Timer::Fire() {
  if (Mode() == kOnce) mode_ = kOff;
  if (Events.Action) RunHandler(Events.Action);
}

}  // namespace vantrel
