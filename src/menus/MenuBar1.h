#pragma once
// The program's one menu bar: File, Edit and Help. The application and every
// document window show this same instance, so enabling and the Help menu's
// entries are shared by all of them.
#include "platform/qt/MenuBar.h"

namespace vantrel {

class HelpMenu;
class MenuBar1;
// The one menu bar, built on the first call; later calls return it unchanged.
// It lives until the process ends.
class MenuBar1& MenuBar1();
// The bar's Help menu (the item named "Help"), or nullptr when it has none.
HelpMenu* Help();

class MenuBar1 : public MenuBar {
 public:
  ~MenuBar1() override;

 private:
  friend class MenuBar1& vantrel::MenuBar1();
  // Builds every item; only the accessor constructs the bar.
  MenuBar1();
};

}  // namespace vantrel
