// The renderer's inline line drawing must set exactly DrawLine's pixels, and
// its inline conversion must give exactly ToInteger's result.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "model/LineRaster.h"
#include "platform/core/Picture.h"

namespace vantrel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(LineRasterTest, ToPixelIsToInteger) {
  // Halves and zeros, just under a half, the inline range's edge (2^30) and saturation.
  std::vector<double> values = {0.0, -0.0, 0.5, -0.5, 1.5, -1.5, 2.5, 1e-300, 1e300, -1e300, kInf};
  values.insert(values.end(), {-kInf, 0.49999999999999994, -0.49999999999999994, 1073741823.5,
                               -1073741823.5, 1073741824.0, -1073741824.5, 2147483646.5,
                               2147483647.4, 2147483647.5, -2147483648.5, -2147483649.0});
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> pixels(-5000.0, 5000.0);
  for (int i = 0; i < 100000; ++i) {
    const double v = pixels(random);
    values.insert(values.end(), {v, std::floor(v) + 0.5, std::nextafter(std::floor(v) + 0.5, 0.0)});
  }
  for (double v : values) {
    Integer pixel = 12345;
    ASSERT_TRUE(LineRaster::ToPixel(v, pixel)) << v;
    ASSERT_EQ(pixel, ToInteger(v)) << v;
  }
  Integer untouched = 7;
  EXPECT_FALSE(LineRaster::ToPixel(std::numeric_limits<double>::quiet_NaN(), untouched));
}

// Draws the line with DrawLine into `expected` and with LineRaster into
// `actual`, both whitened first, and compares them pixel by pixel.
void ExpectSamePixels(Picture& expected, Picture& actual, Integer penWidth, Integer penHeight,
                      Integer x1, Integer y1, Integer x2, Integer y2) {
  const Integer width = expected.Width();
  const Integer height = expected.Height();
  for (Graphics* g : {&expected.Graphics(), &actual.Graphics()}) {
    g->ClearRect(0, 0, width, height);
    g->ForeColor = Color{10, 200, 90};
    g->PenWidth = penWidth;
    g->PenHeight = penHeight;
  }
  expected.Graphics().DrawLine(x1, y1, x2, y2);
  LineRaster(actual.Graphics()).Line(x1, y1, x2, y2);
  for (Integer y = 0; y < height; ++y) {
    for (Integer x = 0; x < width; ++x) {
      ASSERT_EQ(actual.Pixel(x, y), expected.Pixel(x, y))
          << "pen " << penWidth << "x" << penHeight << " line " << x1 << "," << y1 << " to " << x2
          << "," << y2 << " at " << x << "," << y;
    }
  }
}

// Every line with ends within a few pixels of each other, placed all over a
// small, wide picture and across its edges, for pens from none to wider than the
// picture, drawn both ways.
TEST(LineRasterTest, SamePixelsAsDrawLine) {
  auto expected = NewPicture(12, 9, 16);
  auto actual = NewPicture(12, 9, 16);
  for (Integer penWidth : {0, 1, 2, 3, 8, 9, 13}) {
    for (Integer penHeight : {1, 2, 4, 8, 9}) {
      for (Integer x1 = -4; x1 < 14; x1 += 1) {
        for (Integer y1 = -4; y1 < 14; y1 += 3) {
          for (Integer dx = -4; dx <= 4; ++dx) {
            for (Integer dy = -4; dy <= 4; ++dy) {
              ExpectSamePixels(*expected, *actual, penWidth, penHeight, x1, y1, x1 + dx, y1 + dy);
              if (HasFatalFailure()) {
                return;
              }
            }
          }
        }
      }
    }
  }
}

TEST(LineRasterTest, LongAndExtremeLines) {
  auto expected = NewPicture(64, 48, 16);
  auto actual = NewPicture(64, 48, 16);
  const Integer big = std::numeric_limits<Integer>::max();
  const Integer small = std::numeric_limits<Integer>::min();
  const Integer lines[][4] = {{0, 0, 63, 47},       {63, 0, 0, 47},       {5, 40, 60, 3},
                              {small, 10, big, 20}, {10, small, 20, big}, {small, small, big, big},
                              {-100, 20, 30, 25},   {30, 47, 31, 4000},   {big, big, big, big}};
  for (const auto& l : lines) {
    // Pens of any Integer: a width read from a file can be the smallest one.
    for (Integer pen : {small, -1, 1, 5, 20, big}) {
      ExpectSamePixels(*expected, *actual, pen, pen, l[0], l[1], l[2], l[3]);
    }
  }
}

}  // namespace
}  // namespace vantrel
