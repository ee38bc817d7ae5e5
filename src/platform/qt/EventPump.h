#pragma once
// The QObject on the event thread that drains the main event queue. Workers
// wake it with a queued invocation by name (no functor crosses threads).
#include <QObject>

namespace vantrel {

class EventPump : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

 public slots:
  void Drain();
};

}  // namespace vantrel
