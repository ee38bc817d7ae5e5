#pragma once
// Implements: caption, Value, Action on the user's click.
// Leaves out: the mixed (third) state, text colour and style.
//
// A check box. Action is raised when the user clicks it, never when the
// program sets Value.
#include "platform/qt/ToggleButton.h"

namespace vantrel {

class CheckBox : public ToggleButton {
 public:
  explicit CheckBox(const ControlDesign& design) : ToggleButton(design) {}

 protected:
  QAbstractButton* MakeButton(const QString& caption, QWidget* parent) override;
  bool ClickRaisesAction(bool) const override { return true; }
};

}  // namespace vantrel
