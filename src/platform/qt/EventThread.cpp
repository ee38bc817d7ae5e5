#include "platform/qt/EventThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

#include "platform/qt/EventPump.h"

namespace vantrel {
namespace {

std::atomic<std::thread::id> eventThread{};
EventPump* pump = nullptr;  // event thread only; lives until the process ends

std::mutex& HandlerMutex() {
  static std::mutex mutex;
  return mutex;
}

UnhandledExceptionHandler& Handler() {
  static UnhandledExceptionHandler handler;
  return handler;
}

void WakePump() {
  // By name and queued: Qt allocates and frees the call on its own side, and
  // the pump runs on the event thread.
  QMetaObject::invokeMethod(pump, "Drain", Qt::QueuedConnection);
}

}  // namespace

void MarkEventThread() {
  if (eventThread.load() != std::thread::id{}) return;
  eventThread.store(std::this_thread::get_id());
  pump = new EventPump(QCoreApplication::instance());
  MainEventQueue().SetWake(&WakePump);
  if (MainEventQueue().Size() > 0) WakePump();
}

bool IsEventThread() {
  const std::thread::id id = eventThread.load();
  return id == std::thread::id{} || id == std::this_thread::get_id();
}

EventQueue& MainEventQueue() {
  static EventQueue queue;
  return queue;
}

void PostToEventThread(EventQueue::Call call) { MainEventQueue().Post(std::move(call)); }

void DrainEventThreadQueue() {
  for (;;) {
    try {
      MainEventQueue().Drain();
      return;
    } catch (...) {
      ReportUnhandledException(std::current_exception());
    }
  }
}

void SetUnhandledExceptionHandler(UnhandledExceptionHandler handler) {
  std::lock_guard lock(HandlerMutex());
  Handler() = std::move(handler);
}

void ReportUnhandledException(std::exception_ptr error) {
  UnhandledExceptionHandler handler;
  {
    std::lock_guard lock(HandlerMutex());
    handler = Handler();
  }
  if (handler) {
    handler(error);
    return;
  }
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vantrel: unhandled exception: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "vantrel: unhandled exception\n");
  }
}

}  // namespace vantrel
