#pragma once
// The event thread: the one thread that touches Qt. Calls that program code
// makes on controls, canvases and windows from any other thread are queued
// here and carried out on the event thread, in the order they were made.
#include <exception>
#include <functional>

#include "platform/qt/EventQueue.h"

namespace vantrel {

// Records the calling thread as the event thread and connects the main queue
// to the Qt event loop. Building a window or a timer does it; idempotent.
// Must run on the thread of the QApplication.
void MarkEventThread();

// True on the event thread, and before any event thread is known (nothing of
// the window layer exists yet, so nothing can be marshalled).
bool IsEventThread();

EventQueue& MainEventQueue();

// Queues a call for the event thread (from any thread, the event thread too).
void PostToEventThread(EventQueue::Call call);

// Runs the calls queued so far. The event loop does this by itself; tests
// that need a deterministic point call it on the event thread.
void DrainEventThreadQueue();

// An exception that escapes a handler must not unwind through Qt, which does
// not support it. Handlers run through RunHandler, which hands any exception
// to the installed handler (by default a message on stderr) and goes on.
using UnhandledExceptionHandler = std::function<void(std::exception_ptr)>;
void SetUnhandledExceptionHandler(UnhandledExceptionHandler handler);
void ReportUnhandledException(std::exception_ptr error);

template <class F>
void RunHandler(F&& handler) {
  try {
    handler();
  } catch (...) {
    ReportUnhandledException(std::current_exception());
  }
}

}  // namespace vantrel
