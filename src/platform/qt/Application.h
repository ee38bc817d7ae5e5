#pragma once
// Implements: the application object: Open event, the list of windows, front
//   and menu window, application-wide menu handlers, Quit, run until the last
//   document closes.
// Leaves out: other application events (documents opened from the desktop,
//   activation, unhandled exceptions), auto-quit switch, dock or tray icons.
//
// The application: its Open event, the event loop and its end, and the list
// of open windows.
//
//   int main(int argc, char** argv) {
//     QApplication qt(argc, argv);
//     App app;
//     return RunApplication(app);
//   }
//
// Quitting (RequestQuit, declared in MenuDispatch.h): every open window is
// asked CancelClose(true); one that answers true stops the quit and nothing
// closes. Otherwise every window closes (its OnClose runs) and the event loop
// returns, with exit code 0. When the last document window (frame 0) closes
// while the event loop runs, the application quits the same way: on Linux a
// program without a document window has no menu left to go on with.
#include <string>
#include <vector>

#include "platform/qt/MenuDispatch.h"

class QWidget;

namespace vantrel {

class Window;

class Application {
 public:
  Application();
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The application object being run, or nullptr.
  static Application* Instance() noexcept;

  // Open windows, the most recently active first (a new window counts as
  // active). Event thread.
  static std::vector<Window*> Windows();
  // The frontmost visible window, or nullptr.
  static Window* FrontWindow();
  // The window of the program that is active, or nullptr.
  static Window* ActiveWindow();
  // The visible document window (frame 0) that was active last, or nullptr:
  // the one the document commands act on while a floating window or a dialog
  // is active.
  static Window* LastDocumentWindow();
  // Called when a window of the program (closing, nullptr once destroyed)
  // closes: unless another window of the program is active or the program
  // is quitting, activates opener if it still shows, else the last document
  // window. Without a window manager nothing else would activate a window,
  // and the menus and shortcuts would have none to act on.
  static void ActivateIfNoneActive(const QWidget* closing, QWidget* opener);

  MenuHandlers& Handlers() { return ApplicationMenuHandlers(); }

  // The program's name as the user reads it: the title of its messages and
  // dialogs. Window titles stay as the program sets them.
  static void DisplayName(const std::string& name);

 protected:
  // Raised once when the event loop starts.
  virtual void OnOpen() {}

 private:
  friend int RunApplication(Application& application);
  friend class Window;
  friend void RequestQuit();

  static void Register(Window* window);
  static void Unregister(Window* window);
  static void BroughtToFront(Window* window);
  static bool IsOpen(const Window* window);
  static void QuitIfNoDocumentLeft();
};

// Raises the application's Open, runs the event loop until the application
// quits, and returns the exit code. Needs a QApplication.
int RunApplication(Application& application);

}  // namespace vantrel
