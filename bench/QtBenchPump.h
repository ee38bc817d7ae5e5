#pragma once
// Running the event loop between timed steps of the benchmarks that build
// windows, as it would run between two user actions.
#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <thread>

#include "platform/qt/EventThread.h"

namespace vantrel::bench {

inline void Pump() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  DrainEventThreadQueue();
}

// Pumps until done() holds, sleeping a little between rounds so a worker
// being waited for keeps its core.
template <class Done>
void PumpUntil(Done done) {
  while (!done()) {
    Pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

}  // namespace vantrel::bench
