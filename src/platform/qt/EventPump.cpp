#include "platform/qt/EventPump.h"

#include "platform/qt/EventThread.h"

namespace vantrel {

void EventPump::Drain() { DrainEventThreadQueue(); }

}  // namespace vantrel
