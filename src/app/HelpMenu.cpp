#include "app/HelpMenu.h"

namespace vantrel {

HelpMenu::HelpMenu() : MenuItem("Help") {}

HelpMenu::~HelpMenu() = default;

}  // namespace vantrel
