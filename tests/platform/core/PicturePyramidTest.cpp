// Views far below a picture's size, averaged from its pyramid, against the
// exact average of every pixel each view pixel stands for.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "platform/core/Graphics.h"
#include "platform/core/Picture.h"
#include "platform/core/PicturePyramid.h"
#include "platform/core/ShrunkPicture.h"

namespace vantrel {
namespace {

using Int64 = std::int64_t;

// The exact average: scaled pixel (x, y) stands for the picture's pixels
// [x * w / sw, (x + 1) * w / sw) x [y * h / sh, (y + 1) * h / sh).
std::uint16_t ExactMean(const Picture& p, Int64 sw, Int64 sh, Int64 x, Int64 y) {
  const Int64 x0 = x * p.Width() / sw, x1 = (x + 1) * p.Width() / sw;
  const Int64 y0 = y * p.Height() / sh, y1 = (y + 1) * p.Height() / sh;
  Int64 r = 0, g = 0, b = 0;
  for (Int64 j = y0; j < y1; ++j) {
    for (Int64 i = x0; i < x1; ++i) {
      const std::uint16_t c = p.Pixel(static_cast<Integer>(i), static_cast<Integer>(j));
      r += c >> 11;
      g += (c >> 5) & 0x3F;
      b += c & 0x1F;
    }
  }
  const Int64 n = (x1 - x0) * (y1 - y0);
  return static_cast<std::uint16_t>((r + n / 2) / n << 11 | (g + n / 2) / n << 5 | (b + n / 2) / n);
}

// The largest difference of an RGB565 component.
int Difference(std::uint16_t a, std::uint16_t b) {
  return std::max({std::abs((a >> 11) - (b >> 11)), std::abs(((a >> 5) & 63) - ((b >> 5) & 63)),
                   std::abs((a & 31) - (b & 31))});
}

// Lines one pixel wide in random colours on black, as a render draws them.
std::shared_ptr<Picture> Lines(Integer w, Integer h, int count) {
  auto p = NewPicture(w, h, 16);
  Graphics& g = p->Graphics();
  g.ForeColor = Color{0, 0, 0};
  g.FillRect(0, 0, w, h);
  std::mt19937 random(7);
  const auto channel = [&random] { return static_cast<std::uint8_t>(random()); };
  const auto at = [&random](Integer side) { return static_cast<Integer>(random() % side); };
  for (int i = 0; i < count; ++i) {
    g.ForeColor = Color{channel(), channel(), channel()};
    g.DrawLine(at(w), at(h), at(w), at(h));
  }
  return p;
}

struct Comparison {
  int Worst = 0;
  double Mean = 0;
};

Comparison CompareWithExact(const Picture& p, const PicturePyramid& pyramid, double zoom) {
  const Integer sw = ToInteger(p.Width() * zoom), sh = ToInteger(p.Height() * zoom);
  const auto part = ShrunkPart(p, &pyramid, sw, sh, 0, 0, sw, sh);
  EXPECT_NE(part, nullptr) << zoom;
  Comparison c;
  if (!part) return c;
  for (Integer y = 0; y < sh; ++y) {
    for (Integer x = 0; x < sw; ++x) {
      const int d = Difference(part->Pixel(x, y), ExactMean(p, sw, sh, x, y));
      c.Worst = std::max(c.Worst, d);
      c.Mean += d;
    }
  }
  c.Mean /= static_cast<double>(sw) * sh;
  return c;
}

TEST(PicturePyramidTest, ViewsStayCloseToTheExactAverageAndNearOnesMatchIt) {
  // Sparse and dense drawings, one of odd size (its last cells reach past it).
  for (const auto& [w, h, count] : {std::tuple{1000, 700, 300}, {999, 701, 3000}}) {
    const auto p = Lines(w, h, count);
    const auto pyramid = PicturePyramid::New(w, h);
    ASSERT_TRUE(pyramid->Update(*p));
    // Below 8 pixels a side the picture itself is averaged; at 12.5 % of an
    // even side the cells meet the boxes exactly.
    for (double zoom : {0.667, 0.5, 0.2, 0.125}) {
      EXPECT_EQ(CompareWithExact(*p, *pyramid, zoom).Worst, 0) << w << " at " << zoom;
    }
    // Elsewhere a line near a cell's edge is shared with the next pixel: a few
    // steps at worst, under a step and a half on average, less when zoomed
    // further out (a line's share of a pixel shrinks).
    for (double zoom : {0.11, 0.07, 0.05, 0.033, 0.02, 0.01, 0.005}) {
      const Comparison c = CompareWithExact(*p, *pyramid, zoom);
      EXPECT_LE(c.Worst, zoom > 0.04 ? 8 : 3) << w << " at " << zoom;
      EXPECT_LE(c.Mean, zoom > 0.04 ? 1.5 : 0.75) << w << " at " << zoom;
    }
  }
}

TEST(PicturePyramidTest, CellsHoldExactMeansAndFarViewsWaitForAFullUpdate) {
  // 6 x 5 pixels: level 2 has 2 x 2 cells, the last ones repeating the
  // picture's last column and row; level 3 is one cell.
  auto p = NewPicture(6, 5, 16);
  for (Integer y = 0; y < 5; ++y) {
    for (Integer x = 0; x < 6; ++x) {
      p->SetPixel(x, y, static_cast<std::uint16_t>((x + y) << 11 | (3 * x) << 5 | y));
    }
  }
  auto pyramid = PicturePyramid::New(6, 5);
  ASSERT_NE(pyramid, nullptr);
  ASSERT_TRUE(pyramid->Update(*p));
  EXPECT_EQ(pyramid->LastLevel(), 3);
  EXPECT_EQ(pyramid->LevelWidth(2), 2);
  EXPECT_EQ(pyramid->LevelHeight(2), 2);
  // Cell (1, 1) stands for columns 4, 5, 5, 5 and rows 4, 4, 4, 4.
  std::uint32_t red = 0, green = 0, blue = 0;
  for (Integer x : {4, 5, 5, 5}) {
    red += 4 * static_cast<std::uint32_t>(x + 4);
    green += 4 * static_cast<std::uint32_t>(3 * x);
    blue += 4 * 4;
  }
  EXPECT_EQ(pyramid->Cell(2, 1, 1), PicturePyramid::Pack(red, green, blue));
  // Level 3 is the rounded mean of the four cells below it.
  std::uint32_t sum = 0;
  for (Integer y : {0, 1}) {
    for (Integer x : {0, 1}) sum += PicturePyramid::Green(pyramid->Cell(2, x, y));
  }
  EXPECT_EQ(PicturePyramid::Green(pyramid->Cell(3, 0, 0)), (sum + 2) / 4);
  EXPECT_EQ(ShrunkPart(*p, pyramid.get(), 7, 5, 0, 0, 7, 5), nullptr) << "not a shrink";

  // 60 x 60 shown as one pixel: from level 4 (cells of 16, the last holding
  // 12 of the picture's columns), once a whole update has run.
  const auto big = Lines(60, 60, 30);
  const auto far = PicturePyramid::New(60, 60);
  EXPECT_FALSE(far->Ready());
  EXPECT_EQ(ShrunkPart(*big, far.get(), 1, 1, 0, 0, 1, 1), nullptr) << "not ready yet";
  EXPECT_FALSE(far->Update(*big, [] { return true; }));
  EXPECT_FALSE(far->Ready()) << "a stopped update leaves it unready";
  EXPECT_FALSE(pyramid->Update(*big)) << "another picture's size";
  EXPECT_EQ(ShrunkPart(*big, pyramid.get(), 1, 1, 0, 0, 1, 1), nullptr) << "another picture's";
  ASSERT_TRUE(far->Update(*big));
  EXPECT_TRUE(far->Ready());
  const auto whole = ShrunkPart(*big, far.get(), 1, 1, 0, 0, 1, 1);
  ASSERT_NE(whole, nullptr);
  EXPECT_LE(Difference(whole->Pixel(0, 0), ExactMean(*big, 1, 1, 0, 0)), 1);
}

TEST(PicturePyramidTest, SizesWithoutPixelsOrMemoryGiveNone) {
  EXPECT_EQ(PicturePyramid::New(0, 10), nullptr);
  EXPECT_EQ(PicturePyramid::New(10, -1), nullptr);
  EXPECT_EQ(PicturePyramid::New(INT_MAX, INT_MAX), nullptr);
  EXPECT_EQ(PicturePyramid::New(1 << 15, (1 << 14) + 1), nullptr);  // one row above a picture
  const auto one = PicturePyramid::New(1, 1);
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one->LastLevel(), PicturePyramid::kFirstLevel);
}

}  // namespace
}  // namespace vantrel
