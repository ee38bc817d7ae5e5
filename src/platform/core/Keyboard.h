#pragma once
// The state of the modifier keys at the moment of the call, read from the
// keyboard rather than from an event. The window layer installs a probe that
// asks the desktop; tests install one they control. Without a probe no key is
// held. On Linux the Ctrl key stands for the Command key.

namespace vantrel {

class KeyboardProbe {
 public:
  virtual ~KeyboardProbe() = default;
  virtual bool ShiftKey() const = 0;
  virtual bool CommandKey() const = 0;
};

// The probe must outlive its installation; nullptr removes it. Event thread only.
void SetKeyboardProbe(const KeyboardProbe* probe);

bool AsyncShiftKey();
bool AsyncCommandKey();

}  // namespace vantrel
