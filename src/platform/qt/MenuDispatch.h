#pragma once
// How menu commands reach the program: handlers bound by menu item name, the
// active window's handlers tried before the application's. This header is the
// contract between the menu layer and the window layer.
#include <functional>
#include <map>
#include <string>

namespace vantrel {

// A table of handlers bound by item name. The application and every window own one.
class MenuHandlers {
 public:
  using Handler = std::function<bool()>;
  // Binds (or rebinds) the handler of an item name.
  void AddMenuHandler(const std::string& itemName, Handler handler);
  bool Has(const std::string& itemName) const;
  // Runs the bound handler; false when none is bound.
  bool Run(const std::string& itemName) const;

 private:
  std::map<std::string, Handler> handlers_;
};

// What the menu layer needs of a window (the window layer's Window implements it).
class MenuTarget {
 public:
  virtual ~MenuTarget() = default;
  virtual MenuHandlers& Handlers() = 0;
  // Raises the window's EnableMenuItems event.
  virtual void RaiseEnableMenuItems() = 0;
  // The target that answers the commands this one binds no handler for,
  // before the application does; nullptr: none.
  virtual MenuTarget* NextMenuTarget() { return nullptr; }
};

// The window layer reports the active window (nullptr: none) on activation,
// deactivation and destruction. A floating window or a dialog names the last
// document window as its next target, as a single menu bar at the top of the
// screen would act on the document.
void SetActiveMenuTarget(MenuTarget* target);
MenuTarget* ActiveMenuTarget();

// The first target from the active one on that binds a handler to itemName;
// nullptr: none.
MenuTarget* MenuTargetFor(const std::string& itemName);

// Raises EnableMenuItems of the active target and of the targets after it.
void RaiseEnableMenuItems();

// The application's handlers, tried after the windows'.
MenuHandlers& ApplicationMenuHandlers();

// Runs the handler bound to itemName: the windows' first (MenuTargetFor),
// else the application's. True when one ran.
bool DispatchMenuItem(const std::string& itemName);

// Asks every open window to close with CancelClose(true); one that refuses
// stops the quit. Implemented by the window layer; the Quit item calls it.
void RequestQuit();

}  // namespace vantrel
