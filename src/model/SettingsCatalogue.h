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

// Where each setting stands in its array, named after its meaning. The
// settings window's control with Index k edits element k, so the same names
// tell its controls apart.
// Colors:
inline constexpr Integer kBackgroundColor = 0;
inline constexpr Integer kLineColor = 1;
inline constexpr Integer kPointColor = 2;
inline constexpr Integer kPreviewColor = 3;
inline constexpr Integer kRenderBackgroundColor = 4;
inline constexpr Integer kRenderLineColor = 5;
inline constexpr Integer kGridColor = 6;
inline constexpr Integer kSelectionColor = 7;
// Ints:
inline constexpr Integer kLineWidth = 0;
inline constexpr Integer kPointSize = 1;
inline constexpr Integer kPreviewLineWidth = 2;
inline constexpr Integer kGridLinesX = 3;
inline constexpr Integer kGridLinesY = 4;
inline constexpr Integer kRenderLineWidth = 5;
inline constexpr Integer kRenderWidth = 6;
inline constexpr Integer kRenderHeight = 7;
// Booleans:
inline constexpr Integer kShowGrid = 0;
inline constexpr Integer kSnapToGrid = 1;
inline constexpr Integer kFrameToRenderProportions = 2;

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
