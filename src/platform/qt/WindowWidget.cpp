#include "platform/qt/WindowWidget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QResizeEvent>

#include "platform/core/Text.h"
#include "platform/qt/ClientArea.h"
#include "platform/qt/InterfaceFont.h"
#include "platform/qt/MenuBar.h"
#include "platform/qt/Window.h"

namespace vantrel {
namespace {

Qt::WindowFlags FlagsFor(const WindowRecord& record) {
  Qt::WindowFlags flags = record.Frame == kFloatingFrame ? Qt::Tool
                          : record.Frame == kDialogFrame ? Qt::Dialog
                                                         : Qt::Window;
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
  if (record.CloseButton) flags |= Qt::WindowCloseButtonHint;
  if (record.MinimizeButton) flags |= Qt::WindowMinimizeButtonHint;
  if (record.MaximizeButton && record.Resizeable) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
}

// The key as the program's KeyDown receives it; "" for keys it never sees.
std::string KeyText(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Backspace: return Chr(8);
    case Qt::Key_Delete: return Chr(127);
    case Qt::Key_Left: return Chr(28);
    case Qt::Key_Right: return Chr(29);
    case Qt::Key_Up: return Chr(30);
    case Qt::Key_Down: return Chr(31);
    case Qt::Key_Return:
    case Qt::Key_Enter: return Chr(13);
    case Qt::Key_Escape: return Chr(27);
    case Qt::Key_Tab: return Chr(9);
    default: break;
  }
  // Ctrl stands for Command: its combinations are menu shortcuts, not typing.
  if ((event.modifiers() & Qt::ControlModifier) != 0) return {};
  return event.text().toStdString();
}

}  // namespace

WindowWidget::WindowWidget(Window& window, const WindowRecord& record)
    : QWidget(nullptr, FlagsFor(record)), window_(&window) {
  setFont(InterfaceFont());
  // A floating window (the settings of the active document) appears beside the
  // document without taking the focus from it; SetFocus still activates it.
  if (record.Frame == kFloatingFrame) setAttribute(Qt::WA_ShowWithoutActivating);
  if (record.MenuBar != nullptr) menuBar_ = CreateMenuBarWidget(*record.MenuBar, this);
  client_ = new ClientArea(record.Backdrop, this);
  client_->Painted = [this] {
    if (window_ != nullptr) window_->PaintClient();
  };
}

QWidget* WindowWidget::Client() const noexcept { return client_; }

int WindowWidget::MenuHeight() const noexcept {
  return menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
}

void WindowWidget::Detach() noexcept {
  window_ = nullptr;
  client_->Painted = nullptr;
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
  // The layout follows the size the window has now, never the size the event
  // carries: a window manager's late answers to earlier requests arrive as
  // resize events with stale sizes.
  QWidget::resizeEvent(event);
  const int menuHeight = MenuHeight();
  const QSize now = size();
  if (menuBar_ != nullptr) menuBar_->setGeometry(0, 0, now.width(), menuHeight);
  client_->setGeometry(0, menuHeight, now.width(), std::max(now.height() - menuHeight, 0));
  if (window_ != nullptr) window_->ClientResized(client_->width(), client_->height());
}

void WindowWidget::moveEvent(QMoveEvent* event) {
  if (window_ != nullptr) {
    window_->left_ = x();
    window_->top_ = y();
  }
  QWidget::moveEvent(event);
}

void WindowWidget::closeEvent(QCloseEvent* event) {
  // The close box asks the window; Close called by the program has already
  // detached this widget, so its own close goes through unasked.
  if (window_ != nullptr && !window_->CloseBoxClicked()) {
    event->ignore();
    return;
  }
  event->accept();
}

void WindowWidget::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && window_ != nullptr) {
    window_->Activated(isActiveWindow());
  }
  QWidget::changeEvent(event);
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
  const std::string key = KeyText(*event);
  const bool returnKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool escapeKey = event->key() == Qt::Key_Escape;
  if (window_ == nullptr || key.empty() || !window_->KeyPressed(key, returnKey, escapeKey)) {
    event->ignore();
  }
}

void WindowWidget::leaveEvent(QEvent* event) {
  if (window_ != nullptr) window_->MouseLeft();
  QWidget::leaveEvent(event);
}

}  // namespace vantrel
