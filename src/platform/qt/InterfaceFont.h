#pragma once
// The font of every window's controls. The windows were laid out in pixels,
// with a text size of one being one pixel, so the font is chosen for those
// layouts rather than taken from the desktop: text sizes are pixel sizes, and
// neither the desktop's font nor its dots per inch can make a text outgrow
// its box. The family is narrow enough for the longest status texts;
// scripts/setup.sh installs it (Debian package fonts-dejavu-extra).
#include <QFont>

#include "platform/core/Numbers.h"

namespace vantrel {

inline constexpr char kInterfaceFamily[] = "DejaVu Sans Condensed";
inline constexpr Integer kInterfaceTextSize = 12;  // pixels

// The interface font at textSize pixels (0 or less: the default size).
QFont InterfaceFont(Integer textSize = 0, bool bold = false);

}  // namespace vantrel
