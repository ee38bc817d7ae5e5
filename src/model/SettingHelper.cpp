#include "model/SettingHelper.h"

#include "platform/core/Numbers.h"
#include "platform/core/Text.h"

namespace vantrel::SettingHelper {

std::string BooleanToString(bool value) { return value ? "True" : "False"; }

bool StringToBoolean(std::string_view text) { return TextEquals(text, "True"); }

std::string ColorToString(Color color) {
  return Str(Integer{color.Red}) + "," + Str(Integer{color.Green}) + "," + Str(Integer{color.Blue});
}

Color StringToColor(std::string_view text) {
  auto component = [text](Integer field) { return ToInteger(Val(NthField(text, ",", field))); };
  return RGB(component(1), component(2), component(3));
}

}  // namespace vantrel::SettingHelper
