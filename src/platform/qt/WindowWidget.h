#pragma once
// The top-level QWidget of a Window: the menu bar (when the window shows one)
// above the client area, which holds the controls. Forwards the window's
// events to the Window.
#include <QWidget>
#include <memory>

#include "platform/qt/WindowRecord.h"

class QMenuBar;

namespace vantrel {

class Window;
class ClientArea;

class WindowWidget final : public QWidget {
 public:
  WindowWidget(Window& window, const WindowRecord& record);

  QWidget* Client() const noexcept;
  int MenuHeight() const noexcept;
  // The window is going away: events are ignored from now on.
  void Detach() noexcept;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  Window* window_;
  QMenuBar* menuBar_ = nullptr;
  ClientArea* client_ = nullptr;
};

}  // namespace vantrel
