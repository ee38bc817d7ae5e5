#pragma once
// The Help menu of the menu bar. At launch it fills itself, above the About
// item, from the help documents and links of the "Help" folder.
#include "platform/qt/MenuItem.h"

namespace vantrel {

class HelpMenu : public MenuItem {
 public:
  HelpMenu();
  ~HelpMenu() override;
};

}  // namespace vantrel
