#pragma once
// Text forms of the settings block's switches and colours.
#include <string>
#include <string_view>

#include "platform/core/Color.h"

namespace vantrel::SettingHelper {

// "True" or "False".
std::string BooleanToString(bool value);
// True only for "True" (letter case ignored); "False", "" and anything else give False.
bool StringToBoolean(std::string_view text);

// Red, green and blue in decimal separated by ",": white is "255,255,255".
std::string ColorToString(Color color);
// The first three fields split at ","; a missing field or one without a number
// counts 0, fields after the third are ignored, components outside 0 to 255 are
// clamped by RGB.
Color StringToColor(std::string_view text);

}  // namespace vantrel::SettingHelper
