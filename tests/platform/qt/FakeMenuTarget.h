#pragma once
// A window as the menu layer sees it: its handler table and its
// EnableMenuItems event, which counts its calls and runs what a test sets.
#include <functional>

#include "platform/qt/MenuDispatch.h"

namespace vantrel::testing {

class FakeMenuTarget : public MenuTarget {
 public:
  MenuHandlers handlers;
  std::function<void()> enableMenuItems;
  int enableCalls = 0;

  MenuHandlers& Handlers() override { return handlers; }
  void RaiseEnableMenuItems() override {
    ++enableCalls;
    if (enableMenuItems) enableMenuItems();
  }
};

}  // namespace vantrel::testing
