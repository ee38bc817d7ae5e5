#include "platform/core/Numbers.h"

#include <cmath>
#include <limits>

namespace vantrel {

UInt64 ToUInt64(double value) noexcept {
  if (std::isnan(value)) {
    return 0;
  }
  const double rounded = std::round(value);
  if (rounded <= 0.0) {
    return 0;
  }
  // 2^64 is the first Double past the range; every smaller one converts exactly.
  if (rounded >= 18446744073709551616.0) {
    return std::numeric_limits<UInt64>::max();
  }
  return static_cast<UInt64>(rounded);
}

}  // namespace vantrel
