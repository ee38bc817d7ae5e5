#include "model/SettingsCatalogue.h"

#include "model/SettingSet.h"

namespace vantrel {

namespace {

constexpr Color kWhite{255, 255, 255};
constexpr Color kBlack{0, 0, 0};
constexpr Color kRed{255, 0, 0};
constexpr Color kGrey{122, 122, 122};
constexpr Color kGreen{0, 255, 0};
constexpr Color kOrange{255, 176, 0};

constexpr auto D = SettingGroup::Drawing;
constexpr auto R = SettingGroup::Rendering;

constexpr std::array<ColorSetting, 8> kColors{{
    {"background of the canvas's preview pictures", "Background Color:", D, kWhite},
    {"line colour of the path itself, of the last point's ring and of the selection rectangle",
     "Line Color:", D, kBlack},
    {"colour of the point markers", "Point Color:", D, kRed},
    {"line colour of the fractal in preview rounds", "Preview Color:", D, kGrey},
    {"background of the rendered picture", "Background Color:", R, kBlack},
    {"line colour of the rendered fractal", "Line Color:", R, kGreen},
    {"colour of the grid", "Grid Color:", D, kBlack},
    {"colour of selected point markers", "Selection Color:", D, kOrange},
}};

constexpr std::array<NumberSetting, 8> kInts{{
    {"pen width in pixels of the path itself and of the last point's ring", "Line Width:", D, 2},
    {"diameter in pixels of a point marker and pick radius of the Select tool", "Point Size:", D,
     8},
    {"pen width in pixels of the fractal in preview rounds", "Preview Line Width:", D, 1},
    {"grid lines per unit of x; snapping rounds x to a multiple of its inverse",
     "Vertical lines:", D, 8},
    {"grid lines per unit of y; snapping rounds y to a multiple of its inverse",
     "Horizontal lines:", D, 8},
    {"pen width in pixels of the rendered fractal", "Line Width:", R, 1},
    {"width in pixels of the rendered picture and of the render proportions", "Width:", R, 800},
    {"height in pixels of the rendered picture and of the render proportions", "Height:", R, 800},
}};

constexpr std::array<SwitchSetting, 3> kBooleans{{
    {"the grid is drawn on the canvas", "Show Grid", D, true},
    {"new and moved points snap to the grid", "Snap To Grid", D, true},
    {"the canvas takes the proportions of the render size", "Frame to render proportions", D,
     false},
}};

static_assert(kColors.size() == std::tuple_size_v<decltype(SettingSet::Colors)>);
static_assert(kInts.size() == std::tuple_size_v<decltype(SettingSet::Ints)>);
static_assert(kBooleans.size() == std::tuple_size_v<decltype(SettingSet::Booleans)>);

}  // namespace

const std::array<ColorSetting, 8>& SettingsCatalogue::Colors() { return kColors; }
const std::array<NumberSetting, 8>& SettingsCatalogue::Ints() { return kInts; }
const std::array<SwitchSetting, 3>& SettingsCatalogue::Booleans() { return kBooleans; }

std::string_view SettingsCatalogue::GroupHeading(SettingGroup group) {
  return group == SettingGroup::Drawing ? "Drawing:" : "Rendering:";
}

void SettingsCatalogue::ApplyDefaults(SettingSet& settings) {
  for (std::size_t i = 0; i < kColors.size(); ++i) {
    settings.Colors[i] = kColors[i].Default;
  }
  for (std::size_t i = 0; i < kInts.size(); ++i) {
    settings.Ints[i] = kInts[i].Default;
  }
  for (std::size_t i = 0; i < kBooleans.size(); ++i) {
    settings.Booleans[i] = kBooleans[i].Default;
  }
}

}  // namespace vantrel
