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

TEST(LineRasterTest, ToPixelIsToInteger) {
  std::vector<double> values = {0.0,
                                -0.0,
                                0.5,
                                -0.5,
                                1.5,
                                -1.5,
                                2.5,
                                0.49999999999999994,
                                -0.49999999999999994,
                                1e-300,
                                1073741823.5,
                                -1073741823.5,
                                1073741824.0,
                                -1073741824.5,
                                2147483646.5,
                                2147483647.4,
                                2147483647.5,
                                -2147483648.5,
                                -2147483649.0,
                                1e300,
                                -1e300,
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity()};
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> pixels(-5000.0, 5000.0);
  for (int i = 0; i < 100000; ++i) {
    const double v = pixels(random);
    values.push_back(v);
    values.push_back(std::floor(v) + 0.5);
    values.push_back(std::nextafter(std::floor(v) + 0.5, 0.0));
  }
  for (double v : values) {
    Integer pixel = 12345;
    ASSERT_TRUE(LineRaster::ToPixel(v, pixel)) << v;
    ASSERT_EQ(pixel, ToInteger(v)) << v;
  }
  Integer untouched = 7;
  EXPECT_FALSE(LineRaster::ToPixel(std::numeric_limits<double>::quiet_NaN(), untouched));
}

// Every line with ends within a few pixels of each other, placed all over a
// small picture and across its edges, for pens from none to wider than the
// picture, drawn both ways.
TEST(LineRasterTest, SamePixelsAsDrawLine) {
  constexpr Integer kSize = 12;
  auto expected = NewPicture(kSize, kSize, 16);
  auto actual = NewPicture(kSize, kSize, 16);
  const Color ink{10, 200, 90};
  for (Integer penWidth : {0, 1, 2, 3, 8, 9, 13}) {
    for (Integer penHeight : {1, 2, 4, 8, 9}) {
      for (Integer x1 = -4; x1 < kSize + 2; x1 += 1) {
        for (Integer y1 = -4; y1 < kSize + 2; y1 += 3) {
          for (Integer dx = -4; dx <= 4; ++dx) {
            for (Integer dy = -4; dy <= 4; ++dy) {
              expected->Graphics().ClearRect(0, 0, kSize, kSize);
              actual->Graphics().ClearRect(0, 0, kSize, kSize);
              Graphics& g = expected->Graphics();
              g.ForeColor = ink;
              g.PenWidth = penWidth;
              g.PenHeight = penHeight;
              g.DrawLine(x1, y1, x1 + dx, y1 + dy);
              Graphics& h = actual->Graphics();
              h.ForeColor = ink;
              h.PenWidth = penWidth;
              h.PenHeight = penHeight;
              LineRaster raster(h);
              raster.Line(x1, y1, x1 + dx, y1 + dy);
              for (Integer y = 0; y < kSize; ++y) {
                for (Integer x = 0; x < kSize; ++x) {
                  ASSERT_EQ(actual->Pixel(x, y), expected->Pixel(x, y))
                      << "pen " << penWidth << "x" << penHeight << " line " << x1 << "," << y1
                      << " by " << dx << "," << dy << " at " << x << "," << y;
                }
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
    for (Integer pen : {1, 5, 20}) {
      expected->Graphics().ClearRect(0, 0, 64, 48);
      actual->Graphics().ClearRect(0, 0, 64, 48);
      expected->Graphics().PenWidth = pen;
      expected->Graphics().PenHeight = pen;
      expected->Graphics().DrawLine(l[0], l[1], l[2], l[3]);
      actual->Graphics().PenWidth = pen;
      actual->Graphics().PenHeight = pen;
      LineRaster raster(actual->Graphics());
      raster.Line(l[0], l[1], l[2], l[3]);
      for (Integer y = 0; y < 48; ++y) {
        for (Integer x = 0; x < 64; ++x) {
          ASSERT_EQ(actual->Pixel(x, y), expected->Pixel(x, y))
              << l[0] << "," << l[1] << " pen " << pen;
        }
      }
    }
  }
}

}  // namespace
}  // namespace vantrel
