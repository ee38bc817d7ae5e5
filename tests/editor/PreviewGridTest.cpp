// The preview grid: the lines the summed loop has always drawn, and no
// density that can stall or overflow it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "editor/CanvasView.h"
#include "editor/PreviewGrid.h"
#include "platform/core/Graphics.h"
#include "platform/core/Picture.h"

namespace vantrel {
namespace {

const Color kGrid{0, 0, 255};

// The grid as first written: positions summed from the first multiple in the
// view until they pass the last one. Only safe for densities whose lines fit
// on the canvas, which is why the grid itself is not written this way.
void SummedGrid(Graphics& g, const CanvasView& v, double kx, double ky) {
  for (double x = std::ceil(v.X1 * kx) / kx; !(std::floor(v.X2 * kx) / kx < x); x += 1 / kx) {
    g.DrawLine(v.FracToCanX(x), 0, v.FracToCanX(x), g.Height());
  }
  for (double y = std::ceil(v.Y1 * ky) / ky; !(std::floor(v.Y2 * ky) / ky < y); y += 1 / ky) {
    g.DrawLine(0, v.FracToCanY(y), g.Width(), v.FracToCanY(y));
  }
}

std::shared_ptr<Picture> Grid(const CanvasView& v, double kx, double ky, bool summed = false) {
  auto picture = NewPicture(v.Width, v.Height, 16);
  picture->Graphics().ForeColor = kGrid;
  (summed ? SummedGrid : DrawPreviewGrid)(picture->Graphics(), v, kx, ky);
  return picture;
}

bool SamePixels(const Picture& a, const Picture& b) {
  return std::memcmp(a.Bits(), b.Bits(), sizeof(std::uint16_t) * a.Width() * a.Height()) == 0;
}

// Looked at 3/8 of the way across, off the lines of the other direction.
bool ColumnIsGrid(const Picture& p, Integer x) {
  return p.PixelColor(x, p.Height() * 3 / 8 + 1) == kGrid;
}
bool RowIsGrid(const Picture& p, Integer y) {
  return p.PixelColor(p.Width() * 3 / 8 + 1, y) == kGrid;
}

// Lines closer than a pixel are drawn a pixel at a time; with densities that
// sum exactly (powers of two) the summed loop is the oracle, pixel for pixel.
TEST(PreviewGrid, DenseLinesGiveThePictureOfTheSummedLoop) {
  const CanvasView v{.X1 = -0.37, .X2 = 2.1, .Y1 = 0.3, .Y2 = 1.05, .Width = 100, .Height = 80};
  for (double k : {2.0, 32.0, 64.0, 128.0, 1024.0, 4096.0}) {
    EXPECT_TRUE(SamePixels(*Grid(v, k, k), *Grid(v, k, k, true))) << k;
    EXPECT_TRUE(SamePixels(*Grid(v, k, 3), *Grid(v, k, 3, true))) << k;
  }
}

TEST(PreviewGrid, DensityWithoutMultiplesDrawsNothingInItsDirection) {
  const CanvasView v{.X1 = 0, .X2 = 1, .Y1 = 0, .Y2 = 1, .Width = 40, .Height = 40};
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double k : {0.0, -4.0, nan, inf}) {
    const auto p = Grid(v, k, 4);
    for (Integer x = 0; x < 40; ++x) EXPECT_FALSE(ColumnIsGrid(*p, x)) << k;
    EXPECT_TRUE(RowIsGrid(*p, 10)) << k;
  }
}

// 999999 lines per unit over two million units: about 2e12 positions, which
// must come down to one line per pixel.
TEST(PreviewGrid, OverDenseGridFillsTheViewWithoutVisitingEveryLine) {
  const CanvasView v{.X1 = -1e6, .X2 = 1e6, .Y1 = 0, .Y2 = 1, .Width = 300, .Height = 30};
  const auto p = Grid(v, 999999, 0);
  for (Integer x = 0; x < 300; ++x) ASSERT_TRUE(ColumnIsGrid(*p, x)) << x;
  // Products that overflow to infinity.
  const CanvasView far{
      .X1 = 1e300, .X2 = 1.0000001e300, .Y1 = 0, .Y2 = 1, .Width = 50, .Height = 5};
  const auto q = Grid(far, 1e10, 0);
  EXPECT_TRUE(ColumnIsGrid(*q, 0));
  EXPECT_TRUE(ColumnIsGrid(*q, 49));
  // Lines a few pixels apart whose step is lost below the positions' precision:
  // summing never moves on, so the grid ends after the first multiple's line.
  const CanvasView coarse{
      .X1 = 1e20, .X2 = 1e20 + 65536, .Y1 = 0, .Y2 = 1, .Width = 300, .Height = 5};
  const auto r = Grid(coarse, 1e-3, 0);
  EXPECT_TRUE(ColumnIsGrid(*r, 0));
  for (Integer x = 1; x < 300; ++x) ASSERT_FALSE(ColumnIsGrid(*r, x)) << x;
}

}  // namespace
}  // namespace vantrel
