#pragma once
// Number types and the one Double-to-Integer conversion of the program.
#include <cstdint>

namespace vantrel {

using Integer = std::int32_t;
using UInt64 = std::uint64_t;

// Every place that stores a Double into an Integer goes through this.
// Rounds to the nearest Integer, halves away from zero: the renderer subtracts
// half the pen before converting, so rounding centres the pen on the true point.
// Saturates at the Integer range (+inf gives the largest Integer, -inf the
// smallest) and gives 0 for NaN, so no conversion is undefined behaviour.
Integer ToInteger(double value) noexcept;

// The same rule for unsigned 64-bit counters: rounds to nearest, negative
// values and NaN give 0, values beyond the range give the largest UInt64.
UInt64 ToUInt64(double value) noexcept;

}  // namespace vantrel
