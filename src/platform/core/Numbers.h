#pragma once
// Number types and the one Double-to-Integer conversion of the program.
#include <cmath>
#include <cstdint>

namespace vantrel {

using Integer = std::int32_t;
using UInt64 = std::uint64_t;

// Every place that stores a Double into an Integer goes through this.
// Rounds to the nearest Integer, halves away from zero: the renderer subtracts
// half the pen before converting, so rounding centres the pen on the true point.
// Saturates at the Integer range (+inf gives the largest Integer, -inf the
// smallest) and gives 0 for NaN, so no conversion is undefined behaviour.
// Inline and free of library calls: loops over millions of points convert
// each one.
inline Integer ToInteger(double value) noexcept {
  // One test keeps the common case to one branch: NaN fails it too.
  if (!(std::fabs(value) < 2147483647.0)) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
  }
  // Inside the range the cast truncates, and value - truncated is exact (the
  // fraction's bits are value's own), so the halves are found exactly.
  const auto truncated = static_cast<std::int64_t>(value);
  const double fraction = value - static_cast<double>(truncated);
  const std::int64_t up = fraction >= 0.5;
  const std::int64_t down = fraction <= -0.5;
  return static_cast<Integer>(truncated + up - down);
}

// The same rule for unsigned 64-bit counters: rounds to nearest, negative
// values and NaN give 0, values beyond the range give the largest UInt64.
UInt64 ToUInt64(double value) noexcept;

}  // namespace vantrel
