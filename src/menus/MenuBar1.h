#pragma once
// The program's one menu bar: File, Edit and Help. The application and every
// document window show this same instance, so enabling and the Help menu's
// entries are shared by all of them.
#include <string>

#include "platform/qt/MenuBar.h"
#include "platform/qt/MenuDispatch.h"

namespace vantrel {

class HelpMenu;
class MenuBar1;
// The one menu bar, built on the first call; later calls return it unchanged.
// It lives until the process ends.
class MenuBar1& MenuBar1();
// The bar's Help menu (the item named "Help").
HelpMenu& Help();
// Binds a handler to an item of the bar. Handlers are found by item name, so
// an item renamed in the table alone would leave its command silently dead;
// a name the bar lacks throws here, when the window or application is built.
void AddMenuHandler(MenuHandlers& handlers, const std::string& itemName,
                    MenuHandlers::Handler handler);

class MenuBar1 : public MenuBar {
 public:
  ~MenuBar1() override;

  // The item of that name, at any depth. The program names only items its
  // table holds, so a name not found (an item renamed in one place only)
  // throws std::out_of_range naming it, instead of a command quietly left
  // without its enabling.
  MenuItem& Named(const std::string& name) const;

 private:
  friend class MenuBar1& vantrel::MenuBar1();
  // Builds every item; only the accessor constructs the bar.
  MenuBar1();
};

}  // namespace vantrel
