#include "platform/core/Keyboard.h"

#include <atomic>

namespace vantrel {

namespace {

// Installed on the event thread, but atomic so that a stray read from a
// worker is still well defined.
std::atomic<const KeyboardProbe*> gProbe{nullptr};

}  // namespace

void SetKeyboardProbe(const KeyboardProbe* probe) {
  gProbe.store(probe, std::memory_order_release);
}

bool AsyncShiftKey() {
  const KeyboardProbe* probe = gProbe.load(std::memory_order_acquire);
  return probe != nullptr && probe->ShiftKey();
}

bool AsyncCommandKey() {
  const KeyboardProbe* probe = gProbe.load(std::memory_order_acquire);
  return probe != nullptr && probe->CommandKey();
}

}  // namespace vantrel
