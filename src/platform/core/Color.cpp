#include "platform/core/Color.h"

#include <algorithm>

namespace vantrel {

namespace {

std::uint8_t ClampComponent(Integer value) noexcept {
  return static_cast<std::uint8_t>(std::clamp<Integer>(value, 0, 255));
}

}  // namespace

Color RGB(Integer red, Integer green, Integer blue) noexcept {
  return Color{ClampComponent(red), ClampComponent(green), ClampComponent(blue)};
}

std::uint16_t ToRGB565(Color c) noexcept {
  return static_cast<std::uint16_t>(((c.Red >> 3) << 11) | ((c.Green >> 2) << 5) | (c.Blue >> 3));
}

Color FromRGB565(std::uint16_t pixel) noexcept {
  const unsigned red = (pixel >> 11) & 0x1Fu;
  const unsigned green = (pixel >> 5) & 0x3Fu;
  const unsigned blue = pixel & 0x1Fu;
  // Repeating the high bits in the low ones maps full intensity back to 255.
  return Color{static_cast<std::uint8_t>((red << 3) | (red >> 2)),
               static_cast<std::uint8_t>((green << 2) | (green >> 4)),
               static_cast<std::uint8_t>((blue << 3) | (blue >> 2))};
}

}  // namespace vantrel
