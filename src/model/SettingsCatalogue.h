#pragma once
// The fixed meaning of every index of SettingSet's arrays, with the caption and
// section of the settings-window row that edits it and the value a new
// document starts with. The settings window builds its rows from this table,
// so captions and defaults live in this one place.
#include <array>
#include <string_view>

#include "platform/core/Color.h"

namespace vantrel {

class SettingSet;

enum class SettingGroup { Drawing, Rendering };

struct ColorSetting {
  std::string_view Meaning;
  std::string_view Label;
  SettingGroup Group;
  Color Default;
};

struct NumberSetting {
  std::string_view Meaning;
  std::string_view Label;
  SettingGroup Group;
  double Default;
};

struct SwitchSetting {
  std::string_view Meaning;
  std::string_view Label;
  SettingGroup Group;
  bool Default;
};

class SettingsCatalogue {
 public:
  // Entry k describes Colors(k), Ints(k) or Booleans(k).
  static const std::array<ColorSetting, 8>& Colors();
  static const std::array<NumberSetting, 8>& Ints();
  static const std::array<SwitchSetting, 3>& Booleans();

  // "Drawing:" or "Rendering:", the section heading of the settings window.
  static std::string_view GroupHeading(SettingGroup group);

  // Sets every element to its default; the name is left as it is.
  static void ApplyDefaults(SettingSet& settings);
};

}  // namespace vantrel
