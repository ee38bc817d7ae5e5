// The renderer's shortcuts against its plain walk: skipping subtrees that lie
// outside the picture and drawing lines well inside it without clipping must
// leave the lines, their order, the picture and IterationMaxed exactly as
// walking every segment leaves them, in any view.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "RenderSupport.h"

namespace vantrel {
namespace {

using testing::Path;
using testing::Pen;
using testing::RenderFast;
using testing::RenderResult;
using testing::View;
using testing::ViewAbout;

constexpr FracRender::Shortcuts kPlainWalk{false, false};
constexpr FracRender::Shortcuts kNoInsideDrawing{true, false};

void ExpectSameLines(const RenderResult& a, const RenderResult& b, testing::Size size, Pen pen) {
  const std::vector<testing::LineRecord> seen = testing::Touching(a.Lines, size, pen);
  const std::vector<testing::LineRecord> walked = testing::Touching(b.Lines, size, pen);
  const auto [at, _] = std::mismatch(seen.begin(), seen.end(), walked.begin(), walked.end());
  EXPECT_TRUE(seen == walked) << seen.size() << " lines against " << walked.size()
                              << ", first difference at " << (at - seen.begin());
}

// Draws with every shortcut, with the outside skip alone, and with none, and
// expects the same drawing. Lines that cannot touch the picture are left out
// of the comparison, and the skipped ones of LinesDrawn.
void ExpectSameAsPlainWalk(const Path& path, const View& view, testing::Size size, Pen pen,
                           Integer limit) {
  const RenderResult fast = RenderFast(path, view, size, pen, limit);
  const RenderResult unwatched = RenderFast(path, view, size, pen, limit, false);
  const RenderResult clipped = RenderFast(path, view, size, pen, limit, true, ~std::size_t{0},
                                          kNoInsideDrawing);
  const RenderResult plain =
      RenderFast(path, view, size, pen, limit, true, ~std::size_t{0}, kPlainWalk);
  ExpectSameLines(fast, plain, size, pen);
  ExpectSameLines(clipped, plain, size, pen);
  EXPECT_EQ(testing::DifferentPixels(*fast.Pic, *plain.Pic), 0u);
  EXPECT_EQ(testing::DifferentPixels(*unwatched.Pic, *plain.Pic), 0u);
  for (const RenderResult* r : {&fast, &unwatched, &clipped}) {
    EXPECT_EQ(r->IterationMaxed, plain.IterationMaxed);
    EXPECT_TRUE(r->Completed);
  }
  EXPECT_EQ(fast.LinesDrawn, clipped.LinesDrawn);
  EXPECT_LE(fast.LinesDrawn, plain.LinesDrawn);
}

struct Shape {
  double Ratio;  // the longest segment over the chord
  double Left, Top, Right, Bottom;
};

// The ratio as drawn with fractal y `stretch` times as tall as x.
Shape Measure(const Path& path, double stretch) {
  Shape shape{0, 0, 0, 0, 0};
  for (std::size_t i = 0; i + 1 < path.Xs.size(); ++i) {
    shape.Ratio =
        std::max(shape.Ratio, std::hypot(path.Xs[i + 1] - path.Xs[i],
                                         (path.Ys[i + 1] - path.Ys[i]) * stretch));
  }
  const auto [left, right] = std::minmax_element(path.Xs.begin(), path.Xs.end());
  const auto [top, bottom] = std::minmax_element(path.Ys.begin(), path.Ys.end());
  shape.Left = *left;
  shape.Right = *right;
  shape.Top = *top;
  shape.Bottom = *bottom;
  return shape;
}

// Random views of random sizes and shapes, zooms and depth limits, centred near a corner
// of the generator (where the curve passes at every depth) or anywhere about
// it, so that most subtrees are skipped, drawn inside or both. Zooms are kept
// to drawings of a few ten thousand lines, which the plain walk draws whole.
TEST(FracRenderShortcuts, RandomZoomedViewsDrawAsThePlainWalk) {
  std::mt19937_64 random(31337);
  std::vector<std::pair<std::string, Path>> generators = {
      {"Peano", testing::Peano()}, {"Levy C", testing::LevyC()}, {"Koch", testing::Koch()},
      {"irregular 12", testing::Irregular12()}};
  for (int n = 3; n <= 8; ++n) {
    generators.push_back({"random " + std::to_string(n), testing::RandomPath(random, n)});
  }
  constexpr double kLines = 100000;
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int views = 0;
  for (int round = 0; round < 25; ++round) {
    for (const auto& [name, path] : generators) {
      // Fractal y drawn up to half as tall again as x, or two thirds as tall.
      const double stretch = std::pow(1.5, 2.0 * unit(random) - 1.0);
      const Shape shape = Measure(path, stretch);
      const double copies = static_cast<double>(path.Xs.size() - 1);
      // Levels the budget allows, and the chord whose longest copies drop
      // under 2 pixels there.
      const double levels = std::floor(std::log(kLines) / std::log(copies));
      const bool shrinks = shape.Ratio < 1.0;
      const double longest = shrinks ? 2.0 * std::pow(shape.Ratio, -levels) : 1000.0;
      const double chord = 2.0 * std::pow(longest / 2.0, unit(random));
      const testing::Size size(static_cast<Integer>(16 + 32 * unit(random)),
                               static_cast<Integer>(16 + 32 * unit(random)));
      Integer limit = unit(random) < 0.6 ? 500 : 1 + static_cast<Integer>(unit(random) * levels);
      if (!shrinks) {
        limit = std::min<Integer>(limit, static_cast<Integer>(levels));
      }
      double x = shape.Left - 0.2 + (shape.Right - shape.Left + 0.4) * unit(random);
      double y = shape.Top - 0.2 + (shape.Bottom - shape.Top + 0.4) * unit(random);
      if (unit(random) < 0.5) {
        const auto corner = static_cast<std::size_t>(unit(random) * copies);
        x = path.Xs[corner] + size.Width / chord * (unit(random) - 0.5);
        y = path.Ys[corner] + size.Height / (chord * stretch) * (unit(random) - 0.5);
      }
      const Pen pen = unit(random) < 0.8 ? Pen{} : Pen{3, 3};
      SCOPED_TRACE(name + ", chord " + std::to_string(chord) + " at (" + std::to_string(x) +
                   ", " + std::to_string(y) + "), stretch " + std::to_string(stretch) + ", size " +
                   std::to_string(size.Width) + " x " + std::to_string(size.Height) +
                   ", limit " + std::to_string(limit) + ", pen " + std::to_string(pen.Width));
      ExpectSameAsPlainWalk(path, ViewAbout(x, y, size.Width, size.Height, chord, stretch), size,
                            pen, limit);
      ++views;
    }
  }
  EXPECT_EQ(views, 250);
}

// Copies that stray far from their segment, and a segment longer than the
// chord, at zooms that put the segments whose copies are all under 2 pixels
// (or, for the long segment, the depth limit) at every depth from 0 to 6.
// Wide and tall pictures are slid across the curve so that copies cross
// every edge at every depth; those drawn without clipping must still land
// inside. A picture's memory ends at its last pixel, so under
// AddressSanitizer a copy drawn past the top or bottom row is reported.
TEST(FracRenderShortcuts, CopiesStrayingFarFromTheirSegmentStayInThePicture) {
  const std::pair<const char*, Path> generators[] = {
      {"overshoot", testing::Overshoot()},
      {"longer than the chord", testing::LongerThanChord()}};
  for (const auto& [name, path] : generators) {
    const Shape shape = Measure(path, 1.0);
    const bool shrinks = shape.Ratio < 1.0;
    for (int depth = 0; depth <= 6; ++depth) {
      // Segments of this depth 2.5 pixels long, their copies under 2.
      const double chord = shrinks ? 2.5 / std::pow(shape.Ratio, depth) : 8.0 * (depth + 1);
      const Integer limit = shrinks ? 500 : depth + 1;
      for (const testing::Size size : {testing::Size(23, 9), testing::Size(9, 23)}) {
        // Steps of half the picture, over the curve and a chord around it.
        const double stepX = size.Width / chord / 2.0;
        const double stepY = size.Height / chord / 2.0;
        for (double x = shape.Left - 1.0; x <= shape.Right + 1.0; x += stepX) {
          for (double y = shape.Top - 1.0; y <= shape.Bottom + 1.0; y += stepY) {
            SCOPED_TRACE(std::string(name) + ", depth " + std::to_string(depth) + ", size " +
                         std::to_string(size.Width) + " x " + std::to_string(size.Height) +
                         ", at (" + std::to_string(x) + ", " + std::to_string(y) + ")");
            const View view = ViewAbout(x, y, size.Width, size.Height, chord);
            const RenderResult fast = RenderFast(path, view, size, Pen{}, limit, false);
            const RenderResult clipped = RenderFast(path, view, size, Pen{}, limit, false,
                                                    ~std::size_t{0}, kNoInsideDrawing);
            ASSERT_EQ(testing::DifferentPixels(*fast.Pic, *clipped.Pic), 0u);
          }
        }
      }
    }
  }
}

// The two views about (0.5, 0), next to each other among the Doubles, where
// the depth cap moves by a level as the chord grows from `chord` pixels by a
// few millionths: the longest copies of the cap's last level are then within
// the last bits of 2 pixels.
std::vector<View> LastBitCliff(const Path& path, Integer size, double chord) {
  const auto view = [size](double span) { return ViewAbout(0.5, 0.0, size, size, span); };
  double narrow = chord * (1.0 + 1e-5);
  double wide = chord * (1.0 - 1e-5);
  const Integer deep = testing::CappedLimit(path, view(narrow), size, 500);
  EXPECT_NE(deep, testing::CappedLimit(path, view(wide), size, 500));
  for (;;) {
    const double middle = narrow + (wide - narrow) / 2.0;
    if (middle == narrow || middle == wide) {
      break;
    }
    (testing::CappedLimit(path, view(middle), size, 500) == deep ? narrow : wide) = middle;
  }
  return {view(narrow), view(wide)};
}

// Views whose longest copies at the last level lie within a millionth of 2
// pixels (the deep zooms into the curve's middle, scaled down to a
// small picture by a few levels), within its last bits, and 0.1 % narrower
// and wider, at the render's limit and at the preview's limits about the cap.
TEST(FracRenderShortcuts, ViewsAtTheTwoPixelCliffDrawAsThePlainWalk) {
  struct Cliff {
    const char* Name;
    Path Generator;
    double Chord;  // the longest copies of some level are 2 pixels long
  };
  const Cliff cliffs[] = {
      {"Peano", testing::Peano(), 2.0 * std::pow(3.0, 5)},
      {"Levy C", testing::LevyC(), 2.0 * std::pow(2.0, 7.5)},
      {"Koch", testing::Koch(), 2.0 * std::pow(3.0, 7)},
  };
  constexpr Integer kSize = 32;
  for (const Cliff& c : cliffs) {
    std::vector<View> views = LastBitCliff(c.Generator, kSize, c.Chord);
    for (double scale : {1.0 - 5e-7, 1.001, 0.999}) {
      views.push_back(ViewAbout(0.5, 0.0, kSize, kSize, c.Chord * scale));
    }
    for (std::size_t v = 0; v < views.size(); ++v) {
      const Integer capped = testing::CappedLimit(c.Generator, views[v], kSize, 500);
      for (Integer limit : {capped - 2, capped - 1, capped, 500}) {
        SCOPED_TRACE(std::string(c.Name) + ", view " + std::to_string(v) + ", limit " +
                     std::to_string(limit));
        ExpectSameAsPlainWalk(c.Generator, views[v], kSize, Pen{}, limit);
      }
    }
  }
}

// The curve some 5e11 pixels left of a view near x = 1e9, where a position
// is rounded to 6e-5 pixels: every subtree is skipped, and whether the
// longest copies reach the limit must not depend on that rounding. The
// preview's rounds end where the depth cap finds the copies under 2 pixels;
// copies that never shrink reach every limit.
TEST(FracRenderShortcuts, FarAwayViewReachesTheLimitAsThePlainWalk) {
  const View far{1000000006.3144186, 1000000006.5201806, 0.11418030298193649, 0.3199423790892546};
  for (Integer limit : {2, 3, 4, 5, 6, 7, 8, 500}) {
    SCOPED_TRACE("limit " + std::to_string(limit));
    ExpectSameAsPlainWalk(testing::Peano(), far, 100, Pen{}, limit);
    ExpectSameAsPlainWalk(testing::LevyC(), far, 100, Pen{}, limit);
    ExpectSameAsPlainWalk(testing::LongerThanChord(), far, 100, Pen{}, limit);
    const RenderResult r = RenderFast(testing::Peano(), far, 100, Pen{}, limit, false);
    // The chord spans 485.998 pixels: its copies of depth 5 are just under 2.
    EXPECT_EQ(r.IterationMaxed, limit < 5);
    EXPECT_EQ(r.LinesDrawn, 0u);
    EXPECT_TRUE(RenderFast(testing::LongerThanChord(), far, 100, Pen{}, limit, false).IterationMaxed);
  }
}

}  // namespace
}  // namespace vantrel
