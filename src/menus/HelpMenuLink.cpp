#include "menus/HelpMenuLink.h"

#include "platform/core/Text.h"
#include "platform/qt/SystemServices.h"

namespace vantrel {

namespace {

constexpr Integer kTab = 9;

}  // namespace

HelpMenuLink::HelpMenuLink(const std::string& s)
    : MenuItem(NthField(s, Chr(kTab), 1)), Link(NthField(s, Chr(kTab), 2)) {}

HelpMenuLink::~HelpMenuLink() = default;

// As with help documents, a link the desktop refuses gets a message from
// ShowURL, and no handler follows.
bool HelpMenuLink::Action() {
  ShowURL(Link);
  return false;
}

}  // namespace vantrel
