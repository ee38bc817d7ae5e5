#include "platform/qt/AppleMenuItem.h"

namespace vantrel {

AppleMenuItem::AppleMenuItem() = default;

AppleMenuItem::~AppleMenuItem() = default;

}  // namespace vantrel
