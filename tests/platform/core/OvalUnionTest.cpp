// The union of same-size circles against one FillOval per circle, pixel for
// pixel, over positions on, across and far beyond the surface's edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "platform/core/Graphics.h"
#include "platform/core/OvalUnion.h"
#include "platform/core/Picture.h"

namespace vantrel {
namespace {

constexpr Integer kMax = std::numeric_limits<Integer>::max();
constexpr Integer kMin = std::numeric_limits<Integer>::min();

using Corners = std::vector<std::pair<Integer, Integer>>;

bool SamePixels(const Picture& a, const Picture& b) {
  const auto bytes = static_cast<std::size_t>(a.Width()) * static_cast<std::size_t>(a.Height()) * 2;
  return std::memcmp(a.Bits(), b.Bits(), bytes) == 0;
}

// Both ways onto white pictures of width x height; true when they agree.
bool UnionMatchesOvals(Integer width, Integer height, Integer size, const Corners& corners) {
  auto ovals = NewPicture(width, height, 16);
  auto runs = NewPicture(width, height, 16);
  ovals->Graphics().ForeColor = Color{0, 0, 0};
  runs->Graphics().ForeColor = Color{0, 0, 0};
  OvalUnion together(width, height, size);
  for (const auto& [x, y] : corners) {
    ovals->Graphics().FillOval(x, y, size, size);
    together.Add(x, y);
  }
  Integer lastY = -1;
  Integer lastEnd = -1;
  for (const OvalUnion::Run& run : together.Runs()) {
    // Rows from the top, runs left to right with a gap between them.
    EXPECT_TRUE(run.Y > lastY || (run.Y == lastY && run.First > lastEnd + 1));
    EXPECT_LE(run.First, run.Last);
    lastY = run.Y;
    lastEnd = run.Last;
    runs->Graphics().FillRect(run.First, run.Y, run.Last - run.First + 1, 1);
  }
  // Bands of rows worked out apart give the same runs: down to one row each.
  OvalUnion split(width, height, size);
  for (const auto& [x, y] : corners) split.Add(x, y);
  const std::vector<OvalUnion::Run> whole = together.Runs();
  const std::vector<OvalUnion::Run> banded = split.Runs(static_cast<std::size_t>(height), 1);
  const bool sameRuns = std::equal(
      whole.begin(), whole.end(), banded.begin(), banded.end(), [](const auto& a, const auto& b) {
        return a.Y == b.Y && a.First == b.First && a.Last == b.Last;
      });
  return SamePixels(*ovals, *runs) && sameRuns;
}

// Corners scattered around a surface, some of their circles wholly off it.
Corners Scatter(std::mt19937& random, int count, Integer width, Integer height, Integer size) {
  std::uniform_int_distribution<Integer> xs(-size - 3, width + 3);
  std::uniform_int_distribution<Integer> ys(-size - 3, height + 3);
  Corners corners;
  for (int i = 0; i < count; ++i) corners.emplace_back(xs(random), ys(random));
  return corners;
}

TEST(OvalUnion, EqualsOneOvalPerCircleForEverySize) {
  std::mt19937 random(7);
  for (Integer size = 1; size <= 40; ++size) {
    for (int trial = 0; trial < 4; ++trial) {
      const Integer width = 1 + trial * 17;
      const Integer height = 1 + (3 - trial) * 13;
      EXPECT_TRUE(UnionMatchesOvals(width, height, size,
                                    Scatter(random, 1 + trial * 20, width, height, size)))
          << "size " << size << ", " << width << " x " << height;
    }
  }
  // Sizes beyond the surface, where one circle may cover it or only graze it.
  for (Integer size : {97, 98, 255, 999, 4000}) {
    EXPECT_TRUE(UnionMatchesOvals(60, 45, size, Scatter(random, 30, 60, 45, size))) << size;
  }
}

// Sizes so far beyond the surface that the union keeps the corners instead
// of a grid, with corners at the ends of the Integer range.
TEST(OvalUnion, HugeSizesAndExtremeCorners) {
  std::mt19937 random(11);
  for (Integer size : {3'000'000, 123'456'789}) {
    Corners corners = Scatter(random, 40, 50, 30, size);
    corners.emplace_back(-size / 2, -size / 2);
    corners.emplace_back(1 - size, 10);
    EXPECT_TRUE(UnionMatchesOvals(50, 30, size, corners)) << size;
  }
  const Corners extreme = {{kMin, kMin}, {kMax, kMax}, {kMin, 5}, {5, kMax}, {kMax - 3, kMin}};
  for (Integer size : {1, 8, kMax}) {
    Corners corners = extreme;
    corners.emplace_back(-size / 2 + 20, -size / 2 + 15);
    EXPECT_TRUE(UnionMatchesOvals(40, 30, size, corners)) << size;
  }
}

TEST(OvalUnion, CoversNothingWithoutSizeOrSurface) {
  for (const auto& [width, height, size] :
       {std::tuple{10, 10, 0}, std::tuple{10, 10, -5}, std::tuple{0, 10, 4},
        std::tuple{10, -1, 4}}) {
    OvalUnion none(width, height, size);
    none.Add(0, 0);
    EXPECT_TRUE(none.Runs().empty());
  }
}

}  // namespace
}  // namespace vantrel
