#include "platform/qt/MenuDispatch.h"

#include <utility>

namespace vantrel {

namespace {

MenuTarget* activeTarget = nullptr;

}  // namespace

void MenuHandlers::AddMenuHandler(const std::string& itemName, Handler handler) {
  // An empty handler unbinds the name, so Has never reports a handler that
  // could only throw std::bad_function_call.
  if (handler) {
    handlers_[itemName] = std::move(handler);
  } else {
    handlers_.erase(itemName);
  }
}

bool MenuHandlers::Has(const std::string& itemName) const {
  return handlers_.contains(itemName);
}

bool MenuHandlers::Run(const std::string& itemName) const {
  auto found = handlers_.find(itemName);
  if (found == handlers_.end()) {
    return false;
  }
  // Run a copy: a handler may rebind its own name (or close the window that
  // owns this table), which would destroy the function while it runs.
  Handler handler = found->second;
  handler();  // Every handler of the program returns False; the result tells nothing.
  return true;
}

void SetActiveMenuTarget(MenuTarget* target) { activeTarget = target; }

MenuTarget* ActiveMenuTarget() { return activeTarget; }

MenuTarget* MenuTargetFor(const std::string& itemName) {
  for (MenuTarget* target = activeTarget; target != nullptr; target = target->NextMenuTarget()) {
    if (target->Handlers().Has(itemName)) return target;
  }
  return nullptr;
}

void RaiseEnableMenuItems() {
  for (MenuTarget* target = activeTarget; target != nullptr; target = target->NextMenuTarget()) {
    target->RaiseEnableMenuItems();
  }
}

MenuHandlers& ApplicationMenuHandlers() {
  static MenuHandlers handlers;
  return handlers;
}

bool DispatchMenuItem(const std::string& itemName) {
  if (MenuTarget* target = MenuTargetFor(itemName)) return target->Handlers().Run(itemName);
  return ApplicationMenuHandlers().Run(itemName);
}

}  // namespace vantrel
