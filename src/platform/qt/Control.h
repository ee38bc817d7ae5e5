#pragma once
// Implements: name, index, kind, place and size, edge locks, Visible,
//   Enabled, Open event, setters queued from any thread, getters mirrored for
//   any thread.
// Leaves out: help tags, focus events (GotFocus, LostFocus), keyboard events
//   per control, drag and drop, contextual menus, controls created or removed
//   after the window is built.
//
// The base of every control: name, array index, place, visibility and the
// events it raises. A control lives in a window (or stands alone, as a Timer
// may) and is owned by std::shared_ptr.
//
// Threads. Setters called off the event thread are queued onto it in call
// order (a call for a control whose window has closed meanwhile is dropped);
// getters read values the event thread mirrors, so they never touch Qt.
#include <atomic>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/qt/ControlDesign.h"
#include "platform/qt/EventThread.h"

class QFont;
class QObject;
class QWidget;

namespace vantrel {

class Window;

class Control : public std::enable_shared_from_this<Control> {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const noexcept { return name_; }
  Integer Index() const noexcept { return index_; }
  ControlKind Kind() const noexcept { return kind_; }
  // The window the control belongs to; nullptr for a control standing alone.
  vantrel::Window* Window() const noexcept { return window_; }

  Integer Left() const noexcept { return left_.load(std::memory_order_relaxed); }
  Integer Top() const noexcept { return top_.load(std::memory_order_relaxed); }
  Integer Width() const noexcept { return width_.load(std::memory_order_relaxed); }
  Integer Height() const noexcept { return height_.load(std::memory_order_relaxed); }
  void Left(Integer left);
  void Top(Integer top);
  void Width(Integer width);
  void Height(Integer height);

  bool Visible() const noexcept { return visible_.load(std::memory_order_relaxed); }
  void Visible(bool visible);
  bool Enabled() const noexcept { return enabled_.load(std::memory_order_relaxed); }
  void Enabled(bool enabled);

  // False once the control's window has closed: from then on every operation
  // is harmless and changes nothing on screen. Event thread.
  bool IsOpen() const noexcept { return !detached_; }

  ControlEvents Events;

 protected:
  explicit Control(const ControlDesign& design);

  // The control's widget, or nullptr (none yet, closed, or a Timer).
  QWidget* Widget() const noexcept { return widget_; }
  // Receiver of the widget's signal connections; deleting it at close cuts them.
  QObject* Context() const noexcept { return context_; }

  virtual QWidget* CreateWidget(QWidget* parent) = 0;
  // The control's size changed (a canvas resizes its backing).
  virtual void Resized() {}
  // The window is closing: drop every link between Qt and this object.
  virtual void Detach();

  // From a worker, queues the call of method with copies of the values and
  // returns true; on the event thread returns false (the caller goes on).
  template <class Self, class... Params, class... Values>
  bool Marshal(void (Self::*method)(Params...), Values&&... values);

  static void ApplyFont(QWidget& widget, Integer textSize, bool bold);

 private:
  friend class Window;
  void Attach(vantrel::Window* window, QWidget* parent, Integer clientWidth, Integer clientHeight);
  void FollowWindow(Integer clientWidth, Integer clientHeight);
  void RememberMargins();
  void PlaceWidget();
  void SetGeometry(Integer left, Integer top, Integer width, Integer height);

  std::string name_;
  Integer index_;
  ControlKind kind_;
  unsigned locks_;
  vantrel::Window* window_ = nullptr;
  QWidget* widget_ = nullptr;
  QObject* context_ = nullptr;
  bool detached_ = false;
  Integer rightMargin_ = 0;
  Integer bottomMargin_ = 0;
  std::atomic<Integer> left_;
  std::atomic<Integer> top_;
  std::atomic<Integer> width_;
  std::atomic<Integer> height_;
  std::atomic<bool> visible_;
  std::atomic<bool> enabled_;
};

template <class Self, class... Params, class... Values>
bool Control::Marshal(void (Self::*method)(Params...), Values&&... values) {
  static_assert(sizeof...(Params) == sizeof...(Values));
  if (IsEventThread()) return false;
  PostToEventThread([weak = weak_from_this(), method,
                     args = std::make_tuple(std::decay_t<Params>(std::forward<Values>(values))...)]() {
    const std::shared_ptr<Control> self = weak.lock();
    if (!self || !self->IsOpen()) return;
    std::apply([&](const auto&... a) { (static_cast<Self&>(*self).*method)(a...); }, args);
  });
  return true;
}

}  // namespace vantrel
