#include "platform/qt/Window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "platform/qt/Application.h"
#include "platform/qt/ControlFactory.h"
#include "platform/qt/PushButton.h"
#include "platform/qt/WindowWidget.h"

namespace vantrel {
namespace {

std::string Describe(std::string_view window, std::string_view name, Integer index) {
  std::string text = "window \"" + std::string(window) + "\" has no control \"" +
                     std::string(name) + "\"";
  if (index != kNoIndex) text += " with index " + std::to_string(index);
  return text + " of the kind its code uses";
}

}  // namespace

MissingControl::MissingControl(std::string_view window, std::string_view name, Integer index)
    : std::out_of_range(Describe(window, name, index)) {}

Window::Window() : graphics_(*this) {}

Window::~Window() {
  if (closed_ || widget_ == nullptr) return;
  if (IsEventThread()) {
    TearDown();
    return;
  }
  // Only a window whose last owner let go off the event thread before the
  // window took its own reference gets here. The event thread still does the
  // teardown; the controls live on in the call until they are detached.
  // The two pointers are only compared, never followed.
  PostToEventThread([gone = this, target = static_cast<MenuTarget*>(this), controls = controls_,
                     widget = widget_] {
    Application::Unregister(gone);
    if (ActiveMenuTarget() == target) SetActiveMenuTarget(nullptr);
    for (const auto& control : controls) control->Detach();
    widget->Detach();
    widget->hide();
    widget->deleteLater();
  });
}

QWidget* Window::Widget() const noexcept { return widget_; }

// --- Building ----------------------------------------------------------------

void Window::BeginBuild(const WindowRecord& record) {
  MarkEventThread();
  frame_ = record.Frame;
  minWidth_ = std::max<Integer>(record.MinWidth, 0);
  minHeight_ = std::max<Integer>(record.MinHeight, 0);
  maxWidth_ = std::max(record.MaxWidth, minWidth_);
  maxHeight_ = std::max(record.MaxHeight, minHeight_);
  resizeable_ = record.Resizeable;
  width_ = std::clamp(record.Width, minWidth_, maxWidth_);
  height_ = std::clamp(record.Height, minHeight_, maxHeight_);
  reportedWidth_ = Width();
  reportedHeight_ = Height();
  title_.Set(std::string(record.Title));
  name_ = std::string(record.Name.empty() ? record.Title : record.Name);
  opener_ = QApplication::activeWindow();

  widget_ = new WindowWidget(*this, record);
  widget_->setWindowTitle(QString::fromUtf8(record.Title.data(), record.Title.size()));
  ApplySizeLimits();
  widget_->resize(Width(), Height() + widget_->MenuHeight());
  Place(record);
  Application::Register(this);
}

void Window::Place(const WindowRecord& record) {
  QPoint position = widget_->pos();
  // The default placement is the desktop's: a window never moved is placed
  // by the window manager where it is not hidden, for example under a
  // floating window that stays on top.
  const bool placedHere = record.Placement == kCentredPlacement || record.Left || record.Top;
  if (!placedHere) {
    left_ = position.x();
    top_ = position.y();
    return;
  }
  if (record.Placement == kCentredPlacement) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      position = area.center() - QPoint(widget_->width() / 2, widget_->height() / 2);
    }
  }
  if (record.Left) position.setX(*record.Left);
  if (record.Top) position.setY(*record.Top);
  widget_->move(position);
  left_ = position.x();
  top_ = position.y();
}

void Window::ApplySizeLimits() {
  const int menuHeight = widget_->MenuHeight();
  if (resizeable_) {
    widget_->setMinimumSize(minWidth_, minHeight_ + menuHeight);
    widget_->setMaximumSize(maxWidth_, maxHeight_ + menuHeight);
  } else {
    widget_->setFixedSize(Width(), Height() + menuHeight);
  }
}

vantrel::Control& Window::AddControl(const ControlDesign& design, ControlEvents events) {
  std::shared_ptr<vantrel::Control> control = CreateControl(design);
  control->Events = std::move(events);
  control->Attach(this, widget_->Client(), Width(), Height());
  controls_.push_back(control);
  return *control;
}

void Window::FinishBuild(bool visible) {
  built_ = true;
  for (const auto& control : controls_) {
    if (control->Events.Open && control->IsOpen()) RunHandler(control->Events.Open);
  }
  if (!closed_) RunHandler([this] { OnOpen(); });
  if (!closed_ && visible) Show();
  KeepAliveWhileOpen();
}

// A constructor cannot reach the shared_ptr that will own the window, so the
// window takes its own reference at the next pass of the event loop.
void Window::KeepAliveWhileOpen() {
  PostToEventThread([this, life = std::weak_ptr<const bool>(life_)] {
    if (life.expired() || closed_) return;
    keepAlive_ = weak_from_this().lock();
  });
}

void Window::FloatAbove(const Window& owner) { owner_ = owner.Widget(); }

// --- Operations ---------------------------------------------------------------

void Window::Show() {
  if (!IsEventThread()) return PostToEventThread(Guarded(&Window::Show));
  if (widget_ == nullptr) return;
  visible_ = true;
  // The window manager reads the owner when the window is mapped.
  if (!owner_.isNull()) {
    widget_->winId();
    owner_->winId();
    widget_->windowHandle()->setTransientParent(owner_->windowHandle());
  }
  // Showing alone leaves a minimised window in the dock, where the user
  // would not see it come forward.
  widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
  widget_->show();
  widget_->raise();
  // A floating window shows without taking the focus from the document.
  if (frame_ != kFloatingFrame) widget_->activateWindow();
}

void Window::Hide() {
  if (!IsEventThread()) return PostToEventThread(Guarded(&Window::Hide));
  visible_ = false;
  if (widget_ != nullptr) widget_->hide();
}

void Window::SetFocus() {
  if (!IsEventThread()) return PostToEventThread(Guarded(&Window::SetFocus));
  if (widget_ == nullptr) return;
  widget_->raise();
  widget_->activateWindow();
}

void Window::ClearFocus() {
  if (!IsEventThread()) return PostToEventThread(Guarded(&Window::ClearFocus));
  if (widget_ != nullptr) widget_->Client()->setFocus(Qt::OtherFocusReason);
}

void Window::Close() {
  if (!IsEventThread()) return PostToEventThread(Guarded(&Window::Close));
  if (!built_ || closed_) return;
  closed_ = true;
  // Compared only, after the teardown: Qt may still report it active then.
  const QWidget* widget = widget_;
  RunHandler([this] { OnClose(); });
  TearDown();
  Application::ActivateIfNoneActive(widget, opener_);
  Application::QuitIfNoDocumentLeft();
  // Let go of our own reference later, not inside this call.
  if (keepAlive_ != nullptr) PostToEventThread([hold = std::move(keepAlive_)] {});
}

void Window::TearDown() {
  closed_ = true;
  visible_ = false;
  for (const auto& control : controls_) control->Detach();
  Application::Unregister(this);
  if (ActiveMenuTarget() == this) SetActiveMenuTarget(nullptr);
  if (widget_ == nullptr) return;
  WindowWidget* widget = widget_;
  widget_ = nullptr;
  widget->Detach();
  widget->hide();
  widget->deleteLater();  // we may be inside one of its own events
}

void Window::Title(const std::string& title) {
  if (!IsEventThread()) return PostToEventThread(Guarded(&Window::Title, title));
  title_.Set(title);
  if (widget_ != nullptr) widget_->setWindowTitle(QString::fromStdString(title));
}

void Window::Width(Integer width) {
  if (!IsEventThread()) return PostToEventThread(Guarded(&Window::Width, width));
  SetClientSize(width, Height());
}

void Window::Height(Integer height) {
  if (!IsEventThread()) return PostToEventThread(Guarded(&Window::Height, height));
  SetClientSize(Width(), height);
}

void Window::Left(Integer left) {
  if (!IsEventThread()) return PostToEventThread(Guarded(&Window::Left, left));
  left_ = left;
  if (widget_ != nullptr) widget_->move(left, Top());
}

void Window::Top(Integer top) {
  if (!IsEventThread()) return PostToEventThread(Guarded(&Window::Top, top));
  top_ = top;
  if (widget_ != nullptr) widget_->move(Left(), top);
}

// A size set by the program: the controls follow at once (the program reads
// their sizes next), and it is not reported back as OnResized.
void Window::SetClientSize(Integer width, Integer height) {
  if (widget_ == nullptr) return;
  width = std::clamp(width, minWidth_, maxWidth_);
  height = std::clamp(height, minHeight_, maxHeight_);
  if (width == Width() && height == Height()) return;
  width_ = width;
  height_ = height;
  reportedWidth_ = width;
  reportedHeight_ = height;
  LayOutControls();
  if (!resizeable_) ApplySizeLimits();
  widget_->resize(width, height + widget_->MenuHeight());
}

void Window::LayOutControls() {
  for (const auto& control : controls_) control->FollowWindow(Width(), Height());
}

vantrel::Control* Window::FindControl(std::string_view name, Integer index) const {
  for (const auto& control : controls_) {
    if (control->Name() == name && control->Index() == index) return control.get();
  }
  return nullptr;
}

MenuTarget* Window::NextMenuTarget() {
  return frame_ == kDocumentFrame ? nullptr : Application::LastDocumentWindow();
}

void Window::RaiseEnableMenuItems() {
  if (IsOpen()) RunHandler([this] { EnableMenuItems(); });
}

// --- Events from the widget ---------------------------------------------------

void Window::Activated(bool active) {
  if (active) Application::BroughtToFront(this);
  // Qt tells the window losing the activation and the one gaining it in no
  // fixed order, so the target follows the application's active window.
  SetActiveMenuTarget(Application::ActiveWindow());
  if (active) {
    RunHandler([this] { OnActivate(); });
  } else {
    RunHandler([this] { OnDeactivate(); });
  }
}

bool Window::AskCancelClose(bool appQuitting) {
  // A failing handler keeps the window: losing a document is worse.
  bool keep = true;
  RunHandler([&] { keep = CancelClose(appQuitting); });
  return keep;
}

bool Window::CloseBoxClicked() {
  if (AskCancelClose(false)) return false;
  Close();
  return true;
}

void Window::ClientResized(Integer width, Integer height) {
  if (width != Width() || height != Height()) {
    width_ = width;
    height_ = height;
    LayOutControls();
  }
  if (!IsOpen() || (width == reportedWidth_ && height == reportedHeight_)) return;
  reportedWidth_ = width;
  reportedHeight_ = height;
  RunHandler([this] { OnResized(); });
}

void Window::PaintClient() {
  if (IsOpen()) RunHandler([this] { OnPaint(graphics_); });
}

bool Window::KeyPressed(const std::string& key, bool returnKey, bool escapeKey) {
  bool handled = false;
  RunHandler([&] { handled = KeyDown(key); });
  if (handled || !IsOpen() || (!returnKey && !escapeKey)) return handled;
  PushButton* button = ButtonFor(returnKey);
  return button != nullptr && button->Push();
}

PushButton* Window::ButtonFor(bool returnKey) const {
  for (const auto& control : controls_) {
    auto* button = dynamic_cast<PushButton*>(control.get());
    if (button != nullptr && (returnKey ? button->Default() : button->Cancel())) return button;
  }
  return nullptr;
}

void Window::MouseLeft() {
  if (IsOpen()) RunHandler([this] { MouseExit(); });
}

}  // namespace vantrel
