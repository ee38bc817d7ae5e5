// The fast renderer against the step-by-step oracle: the same lines, the same
// depth-limit verdict and progress, and the same pictures, over generators
// of many shapes, two pens and the depth limits the program uses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "RenderSupport.h"

namespace vantrel {
namespace {

using testing::CentredView;
using testing::Path;
using testing::Pen;
using testing::RenderResult;
using testing::View;

struct Case {
  std::string Name;
  Path Generator;
  View Frame;
  Integer Size;
};

// Lines of a drawing estimated from the segment ratios alone, up to `cap`,
// so that random generators are drawn only at limits that stay cheap.
double EstimateLines(const std::vector<double>& ratios, double length, Integer depth, Integer limit,
                     double cap) {
  if (depth >= limit || length < 2.0) {
    return 1;
  }
  double total = 0;
  for (double r : ratios) {
    total += EstimateLines(ratios, length * r, depth + 1, limit, cap - total);
    if (total > cap) {
      break;
    }
  }
  return total;
}

std::vector<double> Ratios(const Path& path) {
  std::vector<double> ratios;
  const double chord = std::hypot(path.Xs.back() - path.Xs[0], path.Ys.back() - path.Ys[0]);
  for (std::size_t i = 0; i + 1 < path.Xs.size(); ++i) {
    ratios.push_back(std::hypot(path.Xs[i + 1] - path.Xs[i], path.Ys[i + 1] - path.Ys[i]) / chord);
  }
  return ratios;
}

// Moves a view by a fraction of a pixel, so that the path's points do not sit
// on half-pixel ties (see LatticeTiesStayWithinAPixel).
View Nudged(View view, Integer size) {
  const double unitX = (view.X2 - view.X1) / size;
  const double unitY = (view.Y2 - view.Y1) / size;
  return {view.X1 + 0.3183 * unitX, view.X2 + 0.3183 * unitX, view.Y1 + 0.1416 * unitY,
          view.Y2 + 0.1416 * unitY};
}

std::vector<Case> Cases() {
  std::vector<Case> cases = {
      {"Koch", testing::Koch(), CentredView(300, 280), 300},
      {"Koch zoomed past the edges", testing::Koch(), {0.3, 0.6, -0.25, 0.05}, 300},
      {"Peano", testing::Peano(), CentredView(300, 260), 300},
      {"Levy C", testing::LevyC(), CentredView(300, 200), 300},
      {"two points", testing::TwoPoints(), CentredView(300, 250), 300},
      {"longer than the chord", testing::LongerThanChord(), CentredView(300, 150), 300},
      {"irregular 12", testing::Irregular12(), CentredView(300, 280), 300},
  };
  std::mt19937_64 random(20240611);
  for (int n = 3; n <= 12; ++n) {
    for (int copy = 0; copy < 2; ++copy) {
      cases.push_back({"random " + std::to_string(n) + "/" + std::to_string(copy),
                       testing::RandomPath(random, n), CentredView(200, 90), 200});
    }
  }
  for (Case& c : cases) {
    c.Frame = Nudged(c.Frame, c.Size);
  }
  return cases;
}

// Share of lines allowed to differ (by one pixel at most), and of pixels.
struct Tolerance {
  double Lines = 0.001;
  double Pixels = 0.001;
};

void ExpectAgreement(const RenderResult& oracle, const RenderResult& fast,
                     const RenderResult& unwatched, Tolerance tolerance = {}) {
  ASSERT_EQ(fast.Lines.size(), oracle.Lines.size());
  EXPECT_EQ(fast.LinesDrawn, oracle.Lines.size());
  EXPECT_EQ(fast.IterationMaxed, oracle.IterationMaxed);
  EXPECT_EQ(fast.ProgressMax, oracle.ProgressMax);
  EXPECT_EQ(fast.MaxIteration, oracle.MaxIteration);
  // The stepwise sums in Doubles end within rounding of the total; the fast
  // renderer counts exactly and ends on it.
  EXPECT_EQ(fast.CurrentProgress, fast.ProgressMax);
  EXPECT_NEAR(static_cast<double>(oracle.CurrentProgress), static_cast<double>(oracle.ProgressMax),
              1e-6 * static_cast<double>(oracle.ProgressMax));

  std::size_t moved = 0;
  for (std::size_t i = 0; i < oracle.Lines.size(); ++i) {
    const testing::LineRecord& a = oracle.Lines[i];
    const testing::LineRecord& b = fast.Lines[i];
    if (a == b) {
      continue;
    }
    ++moved;
    const bool close =
        std::abs(std::int64_t{a.X1} - b.X1) <= 1 && std::abs(std::int64_t{a.Y1} - b.Y1) <= 1 &&
        std::abs(std::int64_t{a.X2} - b.X2) <= 1 && std::abs(std::int64_t{a.Y2} - b.Y2) <= 1;
    EXPECT_TRUE(close) << "line " << i;
  }
  EXPECT_LE(static_cast<double>(moved), tolerance.Lines * static_cast<double>(oracle.Lines.size()))
      << moved << " lines moved";

  // Watching the lines must not change them.
  EXPECT_EQ(testing::DifferentPixels(*fast.Pic, *unwatched.Pic), 0u);

  const double pixels = static_cast<double>(oracle.Pic->Width()) * oracle.Pic->Height();
  EXPECT_LE(static_cast<double>(testing::DifferentPixels(*oracle.Pic, *fast.Pic)),
            tolerance.Pixels * pixels);
}

TEST(FracRenderOracleTest, AgreesOnEveryGeneratorPenAndLimit) {
  std::size_t compared = 0;
  for (const Case& c : Cases()) {
    const double chord = c.Size / (c.Frame.X2 - c.Frame.X1);
    for (Integer limit : {1, 2, 3, 500}) {
      if (EstimateLines(Ratios(c.Generator), chord, 0, limit, 400000) > 400000) {
        continue;
      }
      for (Pen pen : {Pen{1, 1}, Pen{4, 4}}) {
        SCOPED_TRACE(c.Name + ", limit " + std::to_string(limit) + ", pen " +
                     std::to_string(pen.Width));
        const RenderResult oracle = testing::RenderOracle(c.Generator, c.Frame, c.Size, pen, limit);
        const RenderResult fast = testing::RenderFast(c.Generator, c.Frame, c.Size, pen, limit);
        const RenderResult unwatched =
            testing::RenderFast(c.Generator, c.Frame, c.Size, pen, limit, false);
        ExpectAgreement(oracle, fast, unwatched);
        ++compared;
      }
    }
  }
  // Most cases must really have been drawn, the deep ones included.
  EXPECT_GE(compared, 150u);
}

TEST(FracRenderOracleTest, AgreesOnTheDeepFacts) {
  // Koch at a 3800-pixel chord: depth 7, 16384 lines, in both.
  const View view = CentredView(4000, 3800);
  const RenderResult oracle =
      testing::RenderOracle(testing::Koch(), Nudged(view, 4000), 4000, Pen{}, 500);
  const RenderResult fast =
      testing::RenderFast(testing::Koch(), Nudged(view, 4000), 4000, Pen{}, 500);
  const RenderResult unwatched =
      testing::RenderFast(testing::Koch(), Nudged(view, 4000), 4000, Pen{}, 500, false);
  EXPECT_EQ(oracle.Lines.size(), 16384u);
  ExpectAgreement(oracle, fast, unwatched);
}

// A generator on a pixel lattice puts many ends exactly on half-pixel ties,
// where either rounding is right and each renderer's last-bit noise picks
// one. Those lines may move by a pixel; nothing else may differ.
TEST(FracRenderOracleTest, LatticeTiesStayWithinAPixel) {
  const View view = CentredView(300, 200);  // the chord from pixel (50, 150) to (250, 150)
  for (Pen pen : {Pen{1, 1}, Pen{4, 4}}) {
    const RenderResult oracle = testing::RenderOracle(testing::LevyC(), view, 300, pen, 500);
    const RenderResult fast = testing::RenderFast(testing::LevyC(), view, 300, pen, 500);
    const RenderResult unwatched =
        testing::RenderFast(testing::LevyC(), view, 300, pen, 500, false);
    ExpectAgreement(oracle, fast, unwatched, Tolerance{0.05, 0.05});
  }
}

}  // namespace
}  // namespace vantrel
