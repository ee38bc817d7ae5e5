#pragma once
// Implements: a push button that never takes the keyboard focus.
// Leaves out: bevel sizes, icons and their placement, pop-up menus, toggle
//   and sticky behaviour.
//
// A bevel button: a push button that never takes the keyboard focus.
#include "platform/qt/PushButton.h"

namespace vantrel {

class BevelButton : public PushButton {
 public:
  using PushButton::PushButton;

 protected:
  bool TakesFocus() const override { return false; }
};

}  // namespace vantrel
