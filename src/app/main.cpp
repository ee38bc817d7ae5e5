// Start-up: the desktop's services, the application object with the menu bar
// and its handlers, then the event loop until the user quits.
#include <QApplication>
#include <chrono>
#include <exception>

#include "app/App.h"
#include "menus/MenuBar1.h"
#include "platform/core/SaveThread.h"
#include "platform/core/Thread.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/SystemServices.h"
#include "render/RenderWindow.h"
#include "settings/SettingsWindow.h"

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  // The windows' boxes were fitted to this style's margins; a desktop's own
  // style may pad buttons more.
  QApplication::setStyle(QStringLiteral("Fusion"));
  try {
    vantrel::InstallDesktopServices();
    vantrel::SettingsWindow::InstallFactory();
    vantrel::RenderWindow::InstallFactory();
    vantrel::InstallAppServices();
    class vantrel::App app;
    // Built here, before the first window shows it.
    vantrel::MenuBar1();
    app.AddMenuHandlers();
    const int exitCode = vantrel::RunApplication(app);
    // A file still being read opens no window after the quit.
    app.CancelOpens();
    // A picture save still running when the user quit finishes first (a
    // document window waits for its own save before it closes): cut short,
    // it would leave its file unwritten while the user believes it saved. A
    // failure it posted is still shown.
    vantrel::WaitForAllSaves();
    vantrel::DrainEventThreadQueue();
    // Closing the windows killed their threads; let them unwind before
    // static objects they may still touch are destroyed.
    vantrel::WaitForAllThreads(std::chrono::seconds(2));
    return exitCode;
  } catch (...) {
    vantrel::ReportUnhandledException(std::current_exception());
    return 1;
  }
}
