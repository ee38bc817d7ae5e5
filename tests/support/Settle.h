#pragma once
// Waiting in tests that run the event loop: calls posted from workers and
// Qt's own queued events are delivered, and a test waits on what it expects
// rather than for a fixed time.
#include <QApplication>
#include <QTest>

#include "platform/qt/EventThread.h"

namespace vantrel::test {

// Delivers everything already queued: posted calls, queued Qt events and
// deferred deletions, and whatever those queue in turn once more.
inline void Settle() {
  QApplication::processEvents();
  DrainEventThreadQueue();
  QApplication::processEvents();
  DrainEventThreadQueue();
}

// Runs the event loop until condition holds; false after a generous limit.
template <class Condition>
bool SettleUntil(Condition condition, int limitMs = 60000) {
  return QTest::qWaitFor([&] { return Settle(), condition(); }, limitMs);
}

}  // namespace vantrel::test
