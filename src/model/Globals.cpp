#include "model/Globals.h"

#include <cmath>
#include <cstdint>

#include "platform/core/Keyboard.h"

namespace vantrel::Globals {

Integer FracCanRightBorder = 0;
Integer FracCanBottomBorder = 0;

double Limit(double lo, double value, double hi) {
  if (std::isnan(value)) {
    return lo;
  }
  const double upper = value < hi ? value : hi;
  return upper > lo ? upper : lo;
}

void Resize(double& X1, double& X2, double& Y1, double& Y2, Integer newWidth, Integer newHeight,
            double oldWidth, double oldHeight) {
  // The factor divides by both sizes; a canvas of no size has no scale to keep.
  if (newWidth <= 0 || newHeight <= 0 || !(oldWidth > 0.0) || !(oldHeight > 0.0)) {
    return;
  }
  const double cx = (X1 + X2) / 2.0;
  const double cy = (Y1 + Y2) / 2.0;
  // The sizes are summed as whole pixels; 64 bits keep the sum exact.
  const double newSum = static_cast<double>(std::int64_t{newWidth} + newHeight);
  const double f = (newWidth / oldWidth) / (newSum / (oldWidth + oldHeight));
  const double hx = f * (X2 - X1) / 2.0;
  const double newX1 = cx - hx;
  const double newX2 = cx + hx;
  const double hy = ((newX2 - newX1) * newHeight / newWidth) / 2.0;
  const double newY1 = cy - hy;
  const double newY2 = cy + hy;
  if (!std::isfinite(newX1) || !std::isfinite(newX2) || !std::isfinite(newY1) ||
      !std::isfinite(newY2)) {
    return;
  }
  X1 = newX1;
  X2 = newX2;
  Y1 = newY1;
  Y2 = newY2;
}

bool IsBetween(double bound1, double bound2, double value) {
  return (value < bound1 && bound2 < value) || (bound1 < value && value < bound2);
}

bool DiscontinousSelectKey() { return AsyncCommandKey(); }

FolderItem FracFolder() {
  FolderItem folder = GetFolderItem("", 0).Child("Saved Fractals");
  if (!folder.Exists()) {
    // A folder that cannot be made is still returned: the dialogs that start
    // there fall back to their own default.
    static_cast<void>(folder.CreateAsFolder());
  }
  return folder;
}

}  // namespace vantrel::Globals
