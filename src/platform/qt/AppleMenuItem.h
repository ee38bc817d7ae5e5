#pragma once
// Implements: the About item's class, left where it is appended.
// Leaves out: an application menu to move it into: Linux has none.
//
// The item class of the application menu's About entry. Linux has no
// application menu, so the item stays where it is appended (in the Help menu)
// and behaves as any other item.
#include "platform/qt/MenuItem.h"

namespace vantrel {

class AppleMenuItem : public MenuItem {
 public:
  AppleMenuItem();
  ~AppleMenuItem() override;
};

}  // namespace vantrel
