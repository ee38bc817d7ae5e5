#pragma once
// Implements: the root of a menu tree shown in every window that names it,
//   enabling refreshed before a menu opens and before a shortcut matches.
// Leaves out: a desktop-wide (global) menu bar, a bar per window with other
//   items, hiding the bar.
//
// A menu bar: the root of a menu tree, whose children are its menus. One bar
// is shared by every window that shows it: CreateMenuBarWidget makes a
// QMenuBar for a window, and all of them show the same QActions.
//
// Enabling. Before a menu of the bar opens and before a key press can match
// one of its shortcuts, RefreshEnabling sets every item's Enabled afresh:
//  1. a separator is disabled;
//  2. an item with AutoEnable True is enabled when something would answer
//     its choice: it is a menu with entries, it has an Action of its own, a
//     handler is bound to its name by the active window or the application,
//     or it is a standard Edit item that the focused text field can carry out;
//     otherwise it is disabled;
//  3. an item with AutoEnable False is disabled, unless it is a standard Edit
//     item that the focused text field can carry out;
//  4. then the active window's EnableMenuItems runs and enables what its
//     document allows.
// So an item shows the state of the window it is used in, never one left over
// from another window, and a disabled item never fires.
//
// Shortcuts work in every window of the program, also in those that show no
// bar; the active menu target (see SetActiveMenuTarget) decides what they do.
// Event thread only.
#include <QPointer>
#include <vector>

#include "platform/qt/MenuItem.h"

class QMenuBar;
class QWidget;

namespace vantrel {

class MenuBar : public MenuItem {
 public:
  MenuBar();
  ~MenuBar() override;

  void RefreshEnabling();

  // The QMenuBars of windows that are still open.
  std::vector<QMenuBar*> Widgets() const;

 protected:
  bool IsBar() const override { return true; }
  void BeforeMenuOpens() override { RefreshEnabling(); }
  void ShowChild(Integer index) override;

 private:
  friend class MenuItem;
  friend QMenuBar* CreateMenuBarWidget(MenuBar& bar, QWidget* parent);
  class ShortcutEnablingFilter;

  QMenuBar* MakeWidget(QWidget* parent);

  // The bar of the window that holds widget; for a window without one, a bar
  // that another window shows; else nullptr.
  static MenuBar* ShownIn(const QWidget* widget);
  static void RefreshBeforeShortcut(QObject* receiver, int key, int modifiers);
  static bool HasShortcut(const MenuItem& item, int keyCombination);

  std::vector<QPointer<QMenuBar>> widgets_;
};

// A QMenuBar for one window (parent), showing the bar's shared actions. It
// stays in the window (never a desktop-wide menu bar), so the window's client
// area lies below it. The widget belongs to parent; should the bar go first,
// the widget is left empty.
QMenuBar* CreateMenuBarWidget(MenuBar& bar, QWidget* parent);

}  // namespace vantrel
