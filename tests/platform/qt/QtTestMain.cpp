// GoogleTest entry point for tests that need a QApplication (offscreen).
// Like the program, it waits for the worker threads before it returns.
#include <gtest/gtest.h>

#include <QApplication>
#include <chrono>
#include <cstdio>

#include "platform/core/Thread.h"

#if defined(__SANITIZE_THREAD__)
// Qt is not built with ThreadSanitizer: the raster engine converts and
// scales images on Qt's own pool threads, which synchronise through futexes
// the sanitizer cannot see, so the memory calls Qt makes look racy; so do
// those of GLib, whose event dispatcher each of those threads runs. Calls
// from the program's own, instrumented code stay checked.
extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libQt6Core.so.6\n"
         "called_from_lib:libQt6Gui.so.6\n"
         "called_from_lib:libglib-2.0.so.0\n";
}
#endif

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  // Windows closed by the last tests have killed their workers, which may
  // still be posting to the event queue: let them end before the queue and
  // the application are destroyed. One that never ends was never killed.
  if (!vantrel::WaitForAllThreads(std::chrono::seconds(30))) {
    std::fprintf(stderr, "A worker thread was still running after the tests.\n");
    return 1;
  }
  return result;
}
