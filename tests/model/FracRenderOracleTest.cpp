// The fast renderer against the step-by-step oracle: the same lines, the same
// depth-limit verdict and the same pictures, over generators of many shapes,
// pictures of several shapes, two pens and the depth limits the program uses.
#include <gtest/gtest.h>

#include <algorithm>
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
using testing::ViewAbout;

struct Case {
  std::string Name;
  Path Generator;
  View Frame;
  testing::Size Size;
  // A generator on the pixel lattice puts many ends exactly on half-pixel
  // ties, where either rounding is right and each renderer's last-bit noise
  // picks one: those lines may move by a pixel. Every other frame is nudged
  // off the ties by a fraction of a pixel.
  bool OnLattice = false;
};

View Nudged(View view, testing::Size size) {
  const double unitX = (view.X2 - view.X1) / size.Width;
  const double unitY = (view.Y2 - view.Y1) / size.Height;
  return {view.X1 + 0.3183 * unitX, view.X2 + 0.3183 * unitX, view.Y1 + 0.1416 * unitY,
          view.Y2 + 0.1416 * unitY};
}

std::vector<Case> Cases() {
  std::vector<Case> cases = {
      {"Koch", testing::Koch(), CentredView(300, 280), 300},
      {"Koch zoomed past the edges", testing::Koch(), {0.3, 0.6, -0.25, 0.05}, 300},
      // Wide and tall pictures, with square pixels and stretched ones.
      {"Koch wide", testing::Koch(), ViewAbout(0.5, -0.12, 600, 200, 520), {600, 200}},
      {"Koch tall and stretched", testing::Koch(), ViewAbout(0.5, -0.2, 200, 600, 120, 2.0),
       {200, 600}},
      {"Peano wide and stretched", testing::Peano(), ViewAbout(0.5, 0.0, 320, 120, 290, 0.5),
       {320, 120}},
      {"Peano", testing::Peano(), CentredView(300, 260), 300},
      {"Levy C", testing::LevyC(), CentredView(300, 200), 300},
      // The chord from pixel (50, 150) to (250, 150).
      {"Levy C on the lattice", testing::LevyC(), CentredView(300, 200), 300, true},
      {"two points", testing::TwoPoints(), CentredView(300, 250), 300},
      {"longer than the chord", testing::LongerThanChord(), CentredView(300, 150), 300},
      {"irregular 12", testing::Irregular12(), CentredView(300, 280), 300},
  };
  std::mt19937_64 random(20240611);
  for (int n = 3; n <= 12; ++n) {
    cases.push_back({"random " + std::to_string(n), testing::RandomPath(random, n),
                     CentredView(200, 90), 200});
    cases.push_back({"random " + std::to_string(n) + " stretched",
                     testing::RandomPath(random, n), ViewAbout(0.5, 0.0, 150, 240, 70, 1.6),
                     {150, 240}});
  }
  for (Case& c : cases) {
    c.Frame = c.OnLattice ? c.Frame : Nudged(c.Frame, c.Size);
  }
  return cases;
}

// Draws with the fast renderer, and with the oracle to the limit the fast
// renderer capped, and compares: the same lines that touch the picture, in
// order (a share may move by one pixel), depth-limit verdict and pictures.
// Returns the oracle's lines. Drawings of more than `cap` lines (by either
// renderer) are not compared (TooManyLines).
std::size_t ExpectAgreement(const Path& path, const View& view, testing::Size size, Pen pen,
                            Integer limit, double tolerance = 0.001,
                            std::size_t cap = ~std::size_t{0}) {
  const RenderResult fullOracle = testing::RenderOracle(
      path, view, size, pen, testing::CappedLimit(path, view, size, limit), cap);
  const RenderResult watched = testing::RenderFast(path, view, size, pen, limit, true, cap);
  RenderResult oracle = fullOracle;
  oracle.Lines = testing::Touching(fullOracle.Lines, size, pen);
  RenderResult fast = watched;
  fast.Lines = testing::Touching(watched.Lines, size, pen);
  // Skipped copies are not counted as drawn.
  EXPECT_LE(fast.LinesDrawn, fullOracle.Lines.size());
  EXPECT_EQ(fast.IterationMaxed, oracle.IterationMaxed);
  if (fast.Lines.size() != oracle.Lines.size()) {
    ADD_FAILURE() << fast.Lines.size() << " lines, the oracle drew " << oracle.Lines.size();
    return fullOracle.Lines.size();
  }
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
  EXPECT_LE(static_cast<double>(moved), tolerance * static_cast<double>(oracle.Lines.size()))
      << moved << " lines moved";
  EXPECT_LE(static_cast<double>(testing::DifferentPixels(*oracle.Pic, *fast.Pic)),
            tolerance * static_cast<double>(size.Width) * size.Height);
  return fullOracle.Lines.size();
}

TEST(FracRenderOracleTest, AgreesOnEveryGeneratorPenAndLimit) {
  std::size_t compared = 0;
  for (const Case& c : Cases()) {
    for (Integer limit : {1, 2, 3, 500}) {
      try {
        for (Pen pen : {Pen{1, 1}, Pen{4, 4}}) {
          SCOPED_TRACE(c.Name + ", limit " + std::to_string(limit) + ", pen " +
                       std::to_string(pen.Width));
          // Random generators are compared where the drawing stays cheap.
          ExpectAgreement(c.Generator, c.Frame, c.Size, pen, limit, c.OnLattice ? 0.05 : 0.001,
                          200000);
          ++compared;
        }
      } catch (const testing::TooManyLines&) {
      }
    }
  }
  // Most cases must really have been drawn, the deep ones included.
  EXPECT_GE(compared, 150u);
}

// Zoomed views, where most copies lie outside the picture and are skipped:
// 10x and 1000x into the middle and onto both ends of the curve, and 3x
// into the middle, for generators of every kind. Drawings the oracle cannot
// walk cheaply are left out; the deep zooms still come in with the lower
// limits, which stop their copies long before 2 pixels.
TEST(FracRenderOracleTest, AgreesOnZoomedViews) {
  std::mt19937_64 random(7);
  const std::vector<std::pair<std::string, Path>> generators = {
      {"Koch", testing::Koch()},
      {"Peano", testing::Peano()},
      {"Levy C", testing::LevyC()},
      {"longer than the chord", testing::LongerThanChord()},
      {"irregular 12", testing::Irregular12()},
      {"random 6", testing::RandomPath(random, 6)},
  };
  const testing::Size kSize(48, 30);
  std::size_t compared = 0;
  std::size_t deepest = 0;
  for (const auto& [name, path] : generators) {
    const std::size_t middle = path.Xs.size() / 2;
    for (std::size_t centre : {std::size_t{0}, middle, path.Xs.size() - 1}) {
      for (double zoom : {3.0, 10.0, 1000.0}) {
        if (zoom == 3.0 && centre != middle) {
          continue;
        }
        const View view = Nudged(ViewAbout(path.Xs[centre], path.Ys[centre], kSize.Width,
                                           kSize.Height, 0.9 * kSize.Height * zoom),
                                 kSize);
        for (Integer limit : {3, 6, 500}) {
          for (Pen pen : {Pen{1, 1}, Pen{4, 4}}) {
            SCOPED_TRACE(name + ", point " + std::to_string(centre) + ", zoom " +
                         std::to_string(zoom) + ", limit " + std::to_string(limit) + ", pen " +
                         std::to_string(pen.Width));
            try {
              const std::size_t lines =
                  ExpectAgreement(path, view, kSize, pen, limit, 0.001, 400000);
              ++compared;
              if (zoom == 1000.0 && limit == 500) {
                deepest = std::max(deepest, lines);
              }
            } catch (const testing::TooManyLines&) {
            }
          }
        }
      }
    }
  }
  EXPECT_GE(compared, 180u) << compared;
  // Koch at 1000x draws its whole depth: 4^9 lines, nearly all skipped.
  EXPECT_GE(deepest, 262144u);
}

TEST(FracRenderOracleTest, AgreesWhereOnlySkippedCopiesReachTheLimit) {
  // Copies along the long first segment stay long for 40 levels; those of the
  // short ones near the end fall under 2 pixels first. Around the end only
  // they are seen, so the depth limit is met only in skipped copies.
  const Path tail{{0.0, 0.9, 0.95, 1.0}, {0.0, 0.0, 0.02, 0.0}};
  const double half = 40.0 / 1000.0 / 2.0;
  const View view = Nudged({1.0 - half, 1.0 + half, -half, half}, 40);
  ExpectAgreement(tail, view, 40, Pen{}, 40);
  EXPECT_TRUE(testing::RenderFast(tail, view, 40, Pen{}, 40, false).IterationMaxed);
}

TEST(FracRenderOracleTest, AgreesOnTheDeepFacts) {
  // Koch at a 3800-pixel chord: depth 7, 16384 lines, in both.
  EXPECT_EQ(
      ExpectAgreement(testing::Koch(), Nudged(CentredView(4000, 3800), 4000), 4000, Pen{}, 500),
      16384u);
}

}  // namespace
}  // namespace vantrel
