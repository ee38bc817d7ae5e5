#pragma once
// Implements: the Quit item: asks every window to close and stops at the
//   first refusal.
// Leaves out: moving the item to an application menu (Linux has none).
//
// The File menu's Quit item: choosing it asks every open window to close
// (CancelClose(true) for each); one that refuses stops the quit.
#include <functional>

#include "platform/qt/MenuItem.h"

namespace vantrel {

class QuitMenuItem : public MenuItem {
 public:
  QuitMenuItem();
  // Runs quit instead of RequestQuit, for tests that must not end anything.
  explicit QuitMenuItem(std::function<void()> quit);

 protected:
  bool Action() override;
  bool HasAction() const override { return true; }

 private:
  std::function<void()> quit_;
};

}  // namespace vantrel
