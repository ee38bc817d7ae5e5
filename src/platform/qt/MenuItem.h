#pragma once
// Implements: name, caption with mnemonics, separators, AutoEnable, Enabled,
//   keyboard shortcuts, Append, Insert, Child, Lookup, Count, Item, Action
//   event, choosing by menu or shortcut, the standard Edit commands of a
//   focused text field.
// Leaves out: removing items, checkmarks, icons, tags, sub-menus made on the
//   fly (pop-up menus), contextual menus, EnableMenu events per item.
//
// One item of a menu tree: a menu of the bar, an entry of a menu, or a
// separator (caption "-"). The tree owns its items; lookups hand out plain
// pointers that stay valid while the tree holds the item, and nullptr for a
// name or index that is not there.
//
// The item is a model first: it holds its properties and children without any
// Qt object, so menus can be built before the first window. Once a window
// shows the bar, each item gets exactly one QAction, shared by every window's
// menu bar, so enabling, captions and later insertions show everywhere at once.
// Event thread only.
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Numbers.h"

class QAction;
class QMenu;

namespace vantrel {

class MenuBar;

class MenuItem {
 public:
  MenuItem();
  explicit MenuItem(std::string text);
  virtual ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  // The identity by which handlers and lookups find the item.
  const std::string& Name() const noexcept { return name_; }
  void SetName(std::string name);

  // The caption: "&" marks the mnemonic ("&&" shows an ampersand), "-" makes
  // the item a separator.
  const std::string& Text() const noexcept { return text_; }
  void SetText(std::string text);
  bool IsSeparator() const noexcept { return text_ == "-"; }

  // See MenuBar::RefreshEnabling for what the bar does with AutoEnable.
  bool AutoEnable() const noexcept { return autoEnable_; }
  void SetAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }

  bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool enabled);

  // Text such as "Cmd+Shift+S"; the Command key is Ctrl here. Empty, or text
  // that names no key, means no shortcut.
  const std::string& KeyboardShortcut() const noexcept { return shortcut_; }
  void SetKeyboardShortcut(std::string shortcut);

  // Adds an item after the last child; returns it, or nullptr when refused: a
  // null item, one that already has a parent, or this item or one of its
  // ancestors (which would make the tree a loop).
  MenuItem* Append(std::shared_ptr<MenuItem> item);
  // Inserts before the child at index (counted from 0); an index below 0 or
  // beyond the end inserts at the nearest end. Refuses as Append does.
  MenuItem* Insert(Integer index, std::shared_ptr<MenuItem> item);

  Integer Count() const noexcept;
  MenuItem* Item(Integer index) const noexcept;
  MenuItem* Parent() const noexcept { return parent_; }
  // The first direct child of that name.
  MenuItem* Child(const std::string& name) const noexcept;
  // The first item of that name anywhere below this one, depth first in menu order.
  MenuItem* Lookup(const std::string& name) const noexcept;
  template <class T>
  T* LookupAs(const std::string& name) const noexcept {
    return dynamic_cast<T*>(Lookup(name));
  }

  // What happens when the user chooses the item, from its menu or by its
  // shortcut: nothing while it is disabled; else the item's own Action, then
  // the focused text field for the standard Edit items, then the handler
  // bound to its name (the active window's, else the application's).
  void Choose();

  // The item's QAction once a window shows it; nullptr before.
  QAction* QtAction() const noexcept { return action_; }

 protected:
  // The item's own Action event. True ends the choice there; false lets it go
  // on to the text field and the handlers bound to the item's name.
  virtual bool Action() { return false; }
  // Whether Action does something, so that AutoEnable can enable the item
  // without a handler bound to its name.
  virtual bool HasAction() const { return false; }
  virtual bool IsBar() const { return false; }
  // Runs on the root of the tree before one of its menus opens; a bar
  // refreshes its enabling there.
  virtual void BeforeMenuOpens() {}
  // Shows the child at index wherever this item is shown; a bar puts it into
  // its windows' QMenuBars.
  virtual void ShowChild(Integer index);

 private:
  friend class MenuBar;

  MenuItem& Root() noexcept;
  bool IsAncestorOrSelf(const MenuItem* item) const noexcept;
  // Menus of the bar and items with children show as menus, the rest as commands.
  bool ShowsAsMenu() const noexcept;
  // Creates the item's QAction (and QMenu) and those of its children on first use.
  QAction* Realize();
  void RealizeAsMenu();
  void RealizeAsCommand();
  // A command that gets its first child turns into a menu in every widget showing it.
  void TurnIntoMenu();
  void ApplyText();
  void ApplyShortcut();
  // Sets Enabled as the bar does before its menus open (MenuBar::RefreshEnabling).
  void ResetEnabling();
  // The standard Edit commands that a focused text field carries out itself.
  bool TextFieldCanDo() const;
  bool TextFieldDo();

  std::string name_;
  std::string text_;
  std::string shortcut_;
  bool autoEnable_ = true;
  bool enabled_ = true;
  MenuItem* parent_ = nullptr;
  std::vector<std::shared_ptr<MenuItem>> children_;
  // Owned: a menu's action belongs to its QMenu, a command's to this item.
  QAction* action_ = nullptr;
  QMenu* menu_ = nullptr;
};

}  // namespace vantrel
