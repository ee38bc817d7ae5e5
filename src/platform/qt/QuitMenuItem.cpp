#include "platform/qt/QuitMenuItem.h"

#include <utility>

#include "platform/qt/MenuDispatch.h"

namespace vantrel {

QuitMenuItem::QuitMenuItem() : quit_(&RequestQuit) {}

QuitMenuItem::QuitMenuItem(std::function<void()> quit) : quit_(std::move(quit)) {}

bool QuitMenuItem::Action() {
  if (quit_) {
    quit_();
  }
  return true;
}

}  // namespace vantrel
