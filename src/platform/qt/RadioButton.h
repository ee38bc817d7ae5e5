#pragma once
// Implements: caption, Value, one group per window, Action when the user
//   turns it on.
// Leaves out: several groups in one window (group boxes), text colour and
//   style.
//
// A radio button. The radio buttons of a window form one group: turning one
// on turns the others off. Action is raised when the user turns it on, never
// when the program sets Value.
#include "platform/qt/ToggleButton.h"

namespace vantrel {

class RadioButton : public ToggleButton {
 public:
  explicit RadioButton(const ControlDesign& design) : ToggleButton(design) {}

 protected:
  QAbstractButton* MakeButton(const QString& caption, QWidget* parent) override;
  bool ClickRaisesAction(bool on) const override { return on; }
  void SetChecked(QAbstractButton& button, bool value) override;
};

}  // namespace vantrel
