#include "menus/HelpMenuItem.h"

#include <utility>

#include "platform/core/Text.h"
#include "platform/qt/SystemServices.h"

namespace vantrel {

namespace {

constexpr Integer kExtensionLength = 4;

}  // namespace

HelpMenuItem::HelpMenuItem(FolderItem f) : f(std::move(f)) {
  const std::string name = this->f.Name();
  SetText(Left(name, Len(name) - kExtensionLength));
}

HelpMenuItem::~HelpMenuItem() = default;

// A document the desktop cannot open gets a message from Launch.
// False like every menu handler of the program; the entry has no name, so no
// handler follows it.
bool HelpMenuItem::Action() {
  Launch(f);
  return false;
}

}  // namespace vantrel
