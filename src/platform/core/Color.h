#pragma once
#include <cstdint>

#include "Numbers.h"

namespace vantrel {

struct Color {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

// Components outside 0 to 255 are clamped into that range, so a damaged
// document cannot wrap a colour into a different one.
Color RGB(Integer red, Integer green, Integer blue) noexcept;

// Pictures store depth-16 pixels (RGB565).
std::uint16_t ToRGB565(Color c) noexcept;
// Expands a pixel back to 8 bits per component (the low bits copied from the high ones).
Color FromRGB565(std::uint16_t pixel) noexcept;

}  // namespace vantrel
