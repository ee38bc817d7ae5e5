#pragma once
// Implements: window built from a record and a control table, Show, Hide,
//   Close, title, place and size, focus, the events Open, Close, CancelClose,
//   Activate, Deactivate, Resized, Paint, KeyDown, MouseExit and
//   EnableMenuItems, its own Graphics, controls by name and index.
// Leaves out: modal windows, sheets, drawers, MouseDown and MouseMove on the
//   window itself, minimise and zoom events, full-screen, changing the frame
//   kind or the menu bar after it is built.
//
// A window built from its record and a table of control records.
//
// A subclass calls Build at the start of its constructor's body:
//
//   DrawingWindow::DrawingWindow(...) {
//     Build(kRecord, kControls);
//     ... the record and the controls are in place from here on ...
//   }
//
// Build creates the controls in table order, lets the window find the controls
// its code uses (FindControls), raises each control's Open, then the window's
// OnOpen, then shows the window when the record says Visible.
//
// Windows are owned by std::shared_ptr. An open window also keeps itself
// alive until it closes (from the first pass of the event loop after it was
// built), so it is only ever torn down on the event thread. A closed window
// object may outlive its Qt widget: every operation on it is then harmless.
//
// Close called by the program closes without asking CancelClose; the close
// box and quitting ask it first. A window that closes while no other window
// of the program is active hands the activation to the window that was
// active when it was built, or else to the last document window.
//
// The menus act on the active window. A floating window or a dialog passes
// the commands it does not handle on to the last document window: the
// document commands reach the document the user is working on.
#include <QPointer>
#include <atomic>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/qt/Control.h"
#include "platform/qt/ControlRecord.h"
#include "platform/qt/MenuDispatch.h"
#include "platform/qt/Mirrored.h"
#include "platform/qt/WindowGraphics.h"
#include "platform/qt/WindowRecord.h"

class QWidget;

namespace vantrel {

class WindowWidget;
class PushButton;

// Thrown by ControlNamed for a control the window does not have; it names
// the window and the control.
class MissingControl : public std::out_of_range {
 public:
  MissingControl(std::string_view window, std::string_view name, Integer index);
};

class Window : public MenuTarget, public std::enable_shared_from_this<Window> {
 public:
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Shows the window in front, restored if minimised, and active unless it
  // floats.
  void Show();
  void Hide();
  void Close();
  void SetFocus();
  // No control keeps the keyboard focus.
  void ClearFocus();

  bool Visible() const noexcept { return visible_.load(std::memory_order_relaxed); }
  std::string Title() const { return title_.Get(); }
  void Title(const std::string& title);
  // The client area, below the menu bar.
  Integer Width() const noexcept { return width_.load(std::memory_order_relaxed); }
  Integer Height() const noexcept { return height_.load(std::memory_order_relaxed); }
  void Width(Integer width);
  void Height(Integer height);
  Integer Left() const noexcept { return left_.load(std::memory_order_relaxed); }
  Integer Top() const noexcept { return top_.load(std::memory_order_relaxed); }
  void Left(Integer left);
  void Top(Integer top);
  Integer Frame() const noexcept { return frame_; }

  // The window's own surface: its top-left is the client area's, and it draws
  // onto the canvases it covers (a canvas at 0, 0 shares its origin).
  vantrel::Graphics& Graphics() noexcept { return graphics_; }

  // False once the window has closed (or before it was built). Event thread.
  bool IsOpen() const noexcept { return built_ && !closed_; }

  // Controls by name, and members of a control array by name and Index.
  // FindControl gives nullptr for a missing control (or one of another kind);
  // ControlNamed throws MissingControl, which names what was looked for.
  vantrel::Control* FindControl(std::string_view name, Integer index = kNoIndex) const;
  template <class C>
  C* FindControl(std::string_view name, Integer index = kNoIndex) const {
    return dynamic_cast<C*>(FindControl(name, index));
  }
  template <class C>
  C& ControlNamed(std::string_view name, Integer index = kNoIndex) const {
    if (C* control = FindControl<C>(name, index)) return *control;
    throw MissingControl(name_, name, index);
  }
  const std::vector<std::shared_ptr<vantrel::Control>>& Controls() const noexcept {
    return controls_;
  }

  MenuHandlers& Handlers() override { return handlers_; }
  void RaiseEnableMenuItems() override;
  MenuTarget* NextMenuTarget() override;

  // The top-level widget (a parent for dialogs); nullptr once closed.
  QWidget* Widget() const noexcept;

 protected:
  Window();

  template <class W>
  void Build(const WindowRecord& record, std::span<const ControlRecord<W>> controls);
  // A floating window stays above owner under a window manager (as its
  // transient) while both are open. Call before Build.
  void FloatAbove(const Window& owner);
  template <class W, std::size_t N>
  void Build(const WindowRecord& record, const ControlRecord<W> (&controls)[N]) {
    Build(record, std::span<const ControlRecord<W>>(controls));
  }

  // Raised by Build once every control exists, before any Open event and
  // outside the event handling: a window looks up here, with ControlNamed,
  // each control its code uses and keeps it. A control missing from the
  // table (renamed, say) then fails the window's construction with
  // MissingControl instead of silently disabling what depends on it.
  virtual void FindControls() {}

  // Events. A handler that throws is reported and the event ends there.
  virtual void OnOpen() {}
  virtual void OnClose() {}
  // True keeps the window open.
  virtual bool CancelClose(bool appQuitting) { return (void)appQuitting, false; }
  virtual void OnActivate() {}
  virtual void OnDeactivate() {}
  virtual void OnResized() {}
  virtual void OnPaint(vantrel::Graphics& g) { (void)g; }
  // Backspace gives Chr(8), Delete Chr(127), the arrows Chr(28) to Chr(31)
  // (left, right, up, down), Return Chr(13); other keys the text they type.
  // True: the key was handled.
  virtual bool KeyDown(const std::string& key) { return (void)key, false; }
  virtual void MouseExit() {}
  virtual void EnableMenuItems() {}

 private:
  friend class WindowWidget;
  friend class Application;
  friend void RequestQuit();

  void BeginBuild(const WindowRecord& record);
  void Place(const WindowRecord& record);
  void ApplySizeLimits();
  vantrel::Control& AddControl(const ControlDesign& design, ControlEvents events);
  void FinishBuild(bool visible);
  void KeepAliveWhileOpen();
  void TearDown();
  void Detach();
  void SetClientSize(Integer width, Integer height);
  void LayOutControls();

  // From the widget.
  void Activated(bool active);
  bool CloseBoxClicked();
  void ClientResized(Integer width, Integer height);
  void PaintClient();
  bool KeyPressed(const std::string& key, bool returnKey, bool escapeKey);
  void MouseLeft();
  bool AskCancelClose(bool appQuitting);
  PushButton* ButtonFor(bool returnKey) const;

  // A call of method for the event thread, dropped if the window has closed
  // or gone by then.
  template <class... Params, class... Values>
  EventQueue::Call Guarded(void (Window::*method)(Params...), Values... values) {
    return [this, life = std::weak_ptr<const bool>(life_), method, values...] {
      if (!life.expired() && !closed_) (this->*method)(values...);
    };
  }

  std::vector<std::shared_ptr<vantrel::Control>> controls_;
  MenuHandlers handlers_;
  WindowGraphics graphics_;
  WindowWidget* widget_ = nullptr;
  QPointer<QWidget> opener_;  // active when the window was built
  QPointer<QWidget> owner_;   // a floating window's
  std::shared_ptr<Window> keepAlive_;
  std::shared_ptr<const Picture> backdrop_;
  std::shared_ptr<const bool> life_ = std::make_shared<const bool>(true);
  Mirrored<std::string> title_{std::string()};
  std::string name_;  // the record's Name, or its Title when it has none
  Integer frame_ = kDocumentFrame;
  Integer minWidth_ = 0;
  Integer minHeight_ = 0;
  Integer maxWidth_ = 32000;
  Integer maxHeight_ = 32000;
  bool resizeable_ = true;
  bool built_ = false;
  bool closed_ = false;
  Integer reportedWidth_ = 0;   // the size OnResized last reported
  Integer reportedHeight_ = 0;
  std::atomic<bool> visible_{false};
  std::atomic<Integer> width_{0};
  std::atomic<Integer> height_{0};
  std::atomic<Integer> left_{0};
  std::atomic<Integer> top_{0};
};

template <class W>
void Window::Build(const WindowRecord& record, std::span<const ControlRecord<W>> controls) {
  static_assert(std::is_base_of_v<Window, W>, "a control table names handlers of its window");
  W& self = static_cast<W&>(*this);
  BeginBuild(record);
  for (const ControlRecord<W>& control : controls) AddControl(control.Design(), control.Events(self));
  FindControls();
  FinishBuild(record.Visible);
}

}  // namespace vantrel
