#pragma once
// Reads the modifier keys from the desktop at the moment of the call, not from
// the last event, so a key pressed while no window had the focus still counts.
// Ctrl stands for the Command key.
#include "platform/core/Keyboard.h"

namespace vantrel {

class QtKeyboardProbe final : public KeyboardProbe {
 public:
  bool ShiftKey() const override;
  bool CommandKey() const override;
};

}  // namespace vantrel
