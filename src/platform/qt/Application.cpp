#include "platform/qt/Application.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <algorithm>

#include "platform/qt/EventThread.h"
#include "platform/qt/Window.h"

namespace vantrel {
namespace {

struct State {
  std::vector<Window*> windows;  // most recently active first
  Application* instance = nullptr;
  bool running = false;  // RunApplication's event loop is on
  bool quitting = false;
  QPointer<QWidget> pressed;  // the window of the latest mouse press
};

State& Current() {
  static State state;
  return state;
}

// Notes the window of every mouse press. Qt asks the window system to
// activate a window pressed into, and a window closed by that very press (its
// Close button) is the one the focus goes to, even while Qt still names
// another window active.
class PressWatcher : public QObject {
 public:
  static void Install() {
    static PressWatcher* installed = nullptr;
    if (installed == nullptr && qApp != nullptr) {
      installed = new PressWatcher(qApp);
      qApp->installEventFilter(installed);
    }
  }

 protected:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
      Current().pressed = static_cast<QWidget*>(watched)->window();
    }
    return false;  // only looks
  }
};

}  // namespace

Application::Application() { MarkEventThread(); }

Application::~Application() {
  if (Current().instance == this) Current().instance = nullptr;
}

Application* Application::Instance() noexcept { return Current().instance; }

void Application::DisplayName(const std::string& name) {
  // The application name, not Qt's display name: a display name set
  // explicitly is appended to every window title by the X11 platform, and the
  // program's window titles are its own. Messages fall back to this name.
  QCoreApplication::setApplicationName(QString::fromStdString(name));
}

std::vector<Window*> Application::Windows() { return Current().windows; }

Window* Application::FrontWindow() {
  for (Window* window : Current().windows) {
    if (window->Visible()) return window;
  }
  return nullptr;
}

Window* Application::ActiveWindow() {
  const QWidget* active = QApplication::activeWindow();
  if (active == nullptr) return nullptr;
  for (Window* window : Current().windows) {
    if (window->Widget() == active) return window;
  }
  return nullptr;
}

Window* Application::LastDocumentWindow() {
  for (Window* window : Current().windows) {
    if (window->Frame() == kDocumentFrame && window->Visible()) return window;
  }
  return nullptr;
}

void Application::ActivateIfNoneActive(const QWidget* closing, QWidget* opener) {
  if (Current().quitting) return;  // everything closes; a refused quit hands it on itself
  // Qt may still name a window that has just gone: only a live, shown one
  // counts, and none when the press that closes this window is taking the
  // focus to it.
  QWidget* active = QApplication::activeWindow();
  const bool pressedToClose = closing != nullptr && closing == Current().pressed;
  if (!pressedToClose && active != nullptr && active != closing &&
      QApplication::topLevelWidgets().contains(active) && active->isVisible()) {
    return;
  }
  QWidget* next = opener;
  if (next == nullptr || !next->isVisible()) {
    const Window* document = LastDocumentWindow();
    next = document != nullptr ? document->Widget() : nullptr;
  }
  if (next == nullptr) return;
  next->raise();
  next->activateWindow();
}

void Application::Register(Window* window) {
  PressWatcher::Install();
  auto& windows = Current().windows;
  windows.insert(windows.begin(), window);
}

void Application::Unregister(Window* window) {
  auto& windows = Current().windows;
  windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

void Application::BroughtToFront(Window* window) {
  auto& windows = Current().windows;
  const auto found = std::find(windows.begin(), windows.end(), window);
  if (found != windows.end()) std::rotate(windows.begin(), found, found + 1);
}

bool Application::IsOpen(const Window* window) {
  const auto& windows = Current().windows;
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

void Application::QuitIfNoDocumentLeft() {
  const State& state = Current();
  if (!state.running || state.quitting) return;
  const bool documentLeft = std::any_of(state.windows.begin(), state.windows.end(),
                                        [](const Window* w) { return w->Frame() == kDocumentFrame; });
  // Later, not inside the closing window's own event.
  if (!documentLeft) PostToEventThread([] { RequestQuit(); });
}

void RequestQuit() {
  State& state = Current();
  if (state.quitting) return;
  state.quitting = true;
  // The list may change under us (a prompt runs the event loop, a closing
  // document closes its settings window): act only on windows still open.
  const std::vector<Window*> windows = state.windows;
  const QPointer<QWidget> opener = QApplication::activeWindow();
  for (Window* window : windows) {
    if (Application::IsOpen(window) && window->AskCancelClose(true)) {
      state.quitting = false;
      // The prompts that stopped the quit have closed: the user goes on
      // where the quit began.
      Application::ActivateIfNoneActive(nullptr, opener);
      return;
    }
  }
  for (Window* window : windows) {
    if (Application::IsOpen(window)) window->Close();
  }
  state.quitting = false;
  if (state.running) QCoreApplication::exit(0);
}

int RunApplication(Application& application) {
  MarkEventThread();
  State& state = Current();
  state.instance = &application;
  state.running = true;
  QApplication::setQuitOnLastWindowClosed(false);  // the quit rule above decides
  PostToEventThread([&application] { RunHandler([&application] { application.OnOpen(); }); });
  const int code = QApplication::exec();
  state.running = false;
  state.instance = nullptr;
  return code;
}

}  // namespace vantrel
