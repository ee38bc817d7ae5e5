// The marker dots' fast pass against the plain one: the block conversion
// against ToInteger point by point, and a path gathered in parts on threads
// against the same path gathered in one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "editor/CanvasView.h"
#include "editor/DotGather.h"
#include "platform/core/OvalUnion.h"

namespace vantrel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Values where a rounding or a saturation could slip: halves and their
// neighbours at every scale, signed zeros, the Integer bounds and what lies
// just around them, the ends of the Double range, NaN and the infinities.
std::vector<double> EdgeValues() {
  std::vector<double> values = {0.0, -0.0, kInf, -kInf, std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::lowest(),
                                std::numeric_limits<double>::denorm_min(), 0.49999999999999994,
                                -0.49999999999999994, 4503599627370496.5, 9007199254740993.0};
  for (double bound : {2147483647.0, -2147483648.0}) {
    for (double offset : {-1.5, -1.0, -0.5, 0.0, 0.5, 1.0, 1.5}) {
      const double near = bound + offset;
      values.insert(values.end(), {near, std::nextafter(near, kInf), std::nextafter(near, -kInf)});
    }
  }
  for (double whole = 0.0; whole < 4e9; whole = whole * 3 + 1) {
    for (double sign : {1.0, -1.0}) {
      const double half = sign * (whole + 0.5);
      values.insert(values.end(),
                    {half, std::nextafter(half, kInf), std::nextafter(half, -kInf), sign * whole});
    }
  }
  return values;
}

TEST(DotGather, CornersAreToIntegerOfThePixelLessHalfTheDot) {
  std::mt19937_64 random(7);
  std::vector<double> values = EdgeValues();
  std::uniform_real_distribution<double> near(-3.0, 3.0);
  std::uniform_int_distribution<std::uint64_t> bits;
  // Uneven lengths: whole blocks and a rest.
  while (values.size() < 2 * 1024 + 77) {
    values.push_back(near(random));
    const std::uint64_t pattern = bits(random);
    double any = 0.0;
    std::memcpy(&any, &pattern, sizeof any);
    values.push_back(any);  // any Double at all, NaNs among them
  }
  const CanvasView::Axis axes[] = {{0.0, 1.0}, {-0.25, 940.0}, {1.5, -382.5}, {0.0, 1e9},
                                   {1e-3, 3e-12}, {0.0, 0.0}, {-1e300, 1e-300}};
  const double sizes[] = {8, 999, 7, 0, 1, -3, 2.5, 1e12, 1e300, -1e300, 2147483647.0};
  std::vector<Integer> corners(values.size());
  for (const CanvasView::Axis& axis : axes) {
    for (double d : sizes) {
      DotGather::Corners(axis, d, values.data(), corners.data(), values.size());
      for (std::size_t i = 0; i < values.size(); ++i) {
        ASSERT_EQ(corners[i], ToInteger(axis.ToCan(values[i]) - d / 2))
            << "value " << values[i] << " on axis " << axis.Lo << ", " << axis.Scale
            << " with dots of " << d;
      }
    }
  }
}

// Points around and far off a 160 x 120 view, a few off any scale.
void RandomPath(std::mt19937& random, std::size_t count, std::vector<double>& xs,
                std::vector<double>& ys, std::vector<bool>& selected) {
  std::uniform_real_distribution<double> around(-0.5, 1.5);
  std::uniform_int_distribution<int> kind(0, 99);
  const int selectedInHundred = kind(random);
  for (std::size_t i = 0; i < count; ++i) {
    const int k = kind(random);
    xs.push_back(k == 0 ? 1e300 : around(random));
    ys.push_back(k == 1 ? -kInf : around(random));
    selected.push_back(kind(random) < selectedInHundred);
  }
}

bool SameRuns(const std::vector<OvalUnion::Run>& a, const std::vector<OvalUnion::Run>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& p, const auto& q) {
    return p.Y == q.Y && p.First == q.First && p.Last == q.Last;
  });
}

TEST(DotGather, InPartsGathersWhatOnePartDoes) {
  std::mt19937 random(11);
  CanvasView view;
  view.X2 = 1.0;
  view.Y1 = 1.0;  // y upward
  view.Width = 160;
  view.Height = 120;
  // Dots that fill the surface's grid, and (beyond the surface) its corners.
  for (double d : {1.0, 8.0, 37.0, 999.0, 1e9}) {
    std::vector<double> xs;
    std::vector<double> ys;
    std::vector<bool> selected;
    RandomPath(random, 20000 + random() % 5000, xs, ys, selected);
    selected.resize(selected.size() - 3);  // the last few have no flag: plain
    const DotGather gather(view, d, view.Width, view.Height);
    DotGather::Dots whole = gather.Gather(xs, ys, selected, 1, 1);
    DotGather::Dots parts = gather.Gather(xs, ys, selected, 1000, 7);
    EXPECT_TRUE(SameRuns(whole.Plain.Runs(), parts.Plain.Runs())) << "dots of " << d;
    EXPECT_TRUE(SameRuns(whole.Chosen.Runs(), parts.Chosen.Runs())) << "dots of " << d;
  }
}

}  // namespace
}  // namespace vantrel
