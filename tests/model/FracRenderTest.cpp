// What the renderer must do: the fractal's counts and depths, the depth limit
// and its cap, progress, the pen offset, and inputs that have no sound drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "RenderSupport.h"
#include "support/AllocationLimit.h"

namespace vantrel {
namespace {

using testing::CentredView;
using testing::Path;
using testing::Pen;
using testing::RenderFast;
using testing::RenderResult;
using testing::View;
using testing::ViewAbout;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

void ExpectProgressComplete(const RenderResult& r) {
  EXPECT_EQ(r.CurrentProgress, r.ProgressMax);
  EXPECT_TRUE(r.Completed);
}

struct Expect {
  const char* Name;
  Path Generator;
  View Frame;
  Integer Size;
  Pen Ink;
  Integer Limit;
  UInt64 Lines;
  bool Maxed;
  Integer Depth = 0;          // MaxIteration after the cap; 0: not checked
  std::size_t MinPixels = 0;  // pixels the drawing must at least colour
};

// Every drawing must end with progress complete and Drawingcomplete raised;
// one that draws no line, or draws with a pen of no width, colours nothing.
// The cases whose outcome was ours to choose (no chord, no mapping, a path
// too short) must end promptly and report no cut-off, so the preview stops.
TEST(FracRenderFacts, CountsDepthsAndTheDepthLimit) {
  const View big = CentredView(4000, 3800);
  const View mid = CentredView(200, 150);
  const View unit{0, 1, 0, 1};
  const Path koch = testing::Koch();
  const Integer kMaxInt = std::numeric_limits<Integer>::max();
  const Integer kMinInt = std::numeric_limits<Integer>::min();
  const Integer ceiling = FracRender::kDepthCeiling;
  const Path uneven{{0, 0.5, 1, 7, 9}, {0, 0.2, 0}};
  const Path wild{{0.5, 1e7, -3e9, 0.6}, {0.5, -4e12, 2e8, 0.5}};
  const Path closed{{0.2, 0.8, 0.5, 0.2}, {0.2, 0.2, 0.7, 0.2}};
  // Two halves: a 32-pixel chord has copies of exactly 2 pixels at depth 4.
  const Path halves{{0, 0.5, 1}, {0, 0, 0}};
  const View chord32{-0.5, 1.5, -1, 1};
  const View justOver32{-0.5, 1.5 - 1e-9, -1, 1};
  const View justUnder32{-0.5, 1.5 + 1e-9, -1, 1};
  const Expect cases[] = {
      // Equal segments give n to the depth: a third of 3800 pixels drops under
      // 2 pixels at depth 7, 1/sqrt(2) of a 1333-pixel chord at depth 19 (the
      // whole curve in view, so no copy is skipped). The fast path's bulk.
      {"Peano", testing::Peano(), big, 4000, {}, 500, 4782969, false, 0, 3800u * 3800u / 5},
      {"Levy C", testing::LevyC(), View{-1.0, 2.0, -1.375, 1.625}, 4000, {}, 500, 1u << 19, false},
      // Every segment under 2 pixels: the cap raises limit 1 to 2, the same
      // lines are drawn, and the drawing is complete rather than cut short.
      {"capped limit", koch, CentredView(300, 5), 300, {}, 1, 4, false, 2},
      {"chord under 2 pixels", koch, CentredView(200, 1.5), 200, {}, 500, 1, false},
      // Exactly 2 pixels is not under 2: the chord is replaced by its copies.
      {"chord of exactly 2 pixels", koch, View{0, 100, -50, 50}, 200, {}, 500, 4, false},
      // So the 2-pixel copies of depth 4 are replaced by 1-pixel ones, and the
      // cap, which stops at the first depth under 2 pixels, stops at 5: the
      // limit becomes 6 and is not reached. A chord a hair shorter stops at 4.
      {"copies of exactly 2 pixels", halves, chord32, 64, {}, 500, 32, false, 6},
      {"copies just over 2 pixels", halves, justOver32, 64, {}, 500, 32, false, 6},
      {"copies just under 2 pixels", halves, justUnder32, 64, {}, 500, 16, false, 5},
      {"limit 5 raised to 6", halves, chord32, 64, {}, 5, 32, false, 6},
      {"limit 4 not raised", halves, chord32, 64, {}, 4, 16, true, 4},
      // Drawn in one walk well inside the picture: the limit cuts at depth 4,
      // above the 2-pixel rule's depth 5.
      {"Koch well inside, limit 4", koch, CentredView(1000, 300), 1000, {}, 4, 256, true, 4},
      {"limit 0", testing::Peano(), mid, 200, {}, 0, 1, true},
      {"lowest limit", testing::Peano(), mid, 200, {}, kMinInt, 1, true},
      // A limit past any the program uses is bounded, not a runaway depth.
      {"highest limit", testing::TwoPoints(), mid, 200, {}, kMaxInt, 1, true, ceiling},
      {"no points", Path{}, mid, 100, {}, 500, 0, false},
      {"one point", Path{{0.5}, {0.5}}, mid, 100, {}, 500, 0, false},
      {"arrays of different lengths use the shorter", uneven, mid, 100, {}, 1, 2, true},
      // A chord without length (closed path, all points in one place, or a
      // chord whose square overflows) draws the path once.
      {"closed path", closed, unit, 200, {}, 500, 3, false, 0, 250},
      {"one place", Path{{0.5, 0.5, 0.5}, {0.5, 0.5, 0.5}}, unit, 200, {}, 500, 2, false},
      {"vast chord", Path{{0, 1e300, 0.5}, {0, 0, 1e300}}, unit, 200, {}, 500, 2, false},
      // Views without a mapping to pixels, and a point that is not a number.
      {"no width", koch, View{0, 0, 0, 1}, 100, {}, 500, 0, false},
      {"no height", koch, View{0, 1, 0.5, 0.5}, 100, {}, 500, 0, false},
      {"NaN edge", koch, View{kNaN, 1, 0, 1}, 100, {}, 500, 0, false},
      {"infinite edge", koch, View{0, 1, 0, kInf}, 100, {}, 500, 0, false},
      {"infinite width", koch, View{-kInf, kInf, 0, 1}, 100, {}, 500, 0, false},
      {"scale overflows", koch, View{0, 1e-320, 0, 1}, 100, {}, 500, 0, false},
      {"NaN point", Path{{0, kNaN, 1}, {0, 0, 0}}, unit, 100, {}, 500, 0, false},
      // A segment whose length overflows while the chord is fine.
      {"unmeasurable", Path{{0, 1e300, 0.5, 1}, {0, 0, 0, 0}}, unit, 100, {}, 500, 0, false},
      // Copies that grow by 1e30 a level: their ends leave the Doubles within
      // a few levels, and such branches are dropped instead of being followed
      // to the limit through 2^400 segments that could never be drawn.
      {"growing", Path{{0, 1e30, 1}, {0, 0, 0}}, CentredView(100, 50), 100, {}, 400, 0, false},
      // A path that leaves the picture by far more than 2^31 pixels is clipped.
      {"wild 1", wild, unit, 200, Pen{3, 3}, 1, 3, true},
      {"wild 3", wild, unit, 200, Pen{3, 3}, 3, 27, true},
      {"pen of no width", koch, CentredView(200, 180), 200, Pen{0, 1}, 500, 1024, false},
  };
  for (const Expect& e : cases) {
    SCOPED_TRACE(e.Name);
    const RenderResult r = RenderFast(e.Generator, e.Frame, e.Size, e.Ink, e.Limit, false);
    EXPECT_EQ(r.LinesDrawn, e.Lines);
    EXPECT_EQ(r.IterationMaxed, e.Maxed);
    if (e.Depth != 0) {
      EXPECT_EQ(r.MaxIteration, e.Depth);
    }
    ExpectProgressComplete(r);
    if (e.Lines == 0 || e.Ink.Width == 0) {
      EXPECT_EQ(testing::ChangedPixels(*r.Pic), 0u);
    } else if (e.MinPixels > 0) {
      EXPECT_GE(testing::ChangedPixels(*r.Pic), e.MinPixels);
    }
  }
}

TEST(FracRenderFacts, PenHeightShiftsBothEnds) {
  // The chord from pixel (10.5, 20.5) to (60.5, 20.5), drawn at limit 0.
  const Path path{{10.5, 60.5}, {20.5, 20.5}};
  RenderResult thin = RenderFast(path, {0, 100, 0, 100}, 100, Pen{1, 1}, 0);
  RenderResult wide = RenderFast(path, {0, 100, 0, 100}, 100, Pen{1, 4}, 0);
  ASSERT_TRUE(thin.Lines.size() == 1 && wide.Lines.size() == 1);
  EXPECT_EQ(thin.Lines[0], (testing::LineRecord{10, 20, 60, 20}));
  EXPECT_EQ(wide.Lines[0], (testing::LineRecord{9, 19, 59, 19}));  // 8.5 rounds away from 0
  EXPECT_EQ(wide.Pic->Pixel(9, 22), ToRGB565(Color{200, 30, 60}));
  EXPECT_EQ(wide.Pic->Pixel(9, 23), 0xFFFF);
}

// The editor's picture of the path: the lines depth limit 1 draws wherever
// the chord reaches 2 pixels, and the path still when its ends almost meet.
TEST(FracRenderEdges, DrawPathDrawsThePathWhateverItsChord) {
  auto lines = [](const Path& path, bool pathOnly) {
    auto picture = NewPicture(300, 200, 16);
    FracRender render(picture->Graphics(), -1, 2, -0.5, 1.5, path.Xs, path.Ys, 1);
    std::vector<testing::LineRecord> drawn;
    render.ObserveLines([&drawn](Integer x1, Integer y1, Integer x2, Integer y2) {
      drawn.push_back({x1, y1, x2, y2});
    });
    pathOnly ? render.DrawPath() : render.Draw();
    return drawn;
  };
  std::mt19937 random(7);
  std::uniform_real_distribution<double> coordinate(-0.5, 1.5);
  for (int round = 0; round < 200; ++round) {
    Path path;
    for (std::size_t n = 2 + round % 9; n > 0; --n) {
      path.Xs.push_back(coordinate(random));
      path.Ys.push_back(coordinate(random));
    }
    const double chordPixels =
        100 * std::hypot(path.Xs.back() - path.Xs[0], path.Ys.back() - path.Ys[0]);
    if (chordPixels >= 2.5) {
      EXPECT_EQ(lines(path, true), lines(path, false)) << round;
    }
  }
  const Path almostClosed{{0, 1, 1, 0.001}, {0, 0, 1, 0}};
  EXPECT_EQ(lines(almostClosed, false).size(), 1u) << "the fractal is its chord";
  EXPECT_EQ(lines(almostClosed, true).size(), 3u);
}

TEST(FracRenderEdges, SurfaceWithoutAPictureGetsEveryLine) {
  const View view = CentredView(300, 280);
  testing::RecordingGraphics g(nullptr, 300);
  testing::SetPen(g, Pen{});
  const Path peano = testing::Peano();
  FracRender render(g, view.X1, view.X2, view.Y1, view.Y2, peano.Xs, peano.Ys, 500);
  render.Draw();
  EXPECT_EQ(g.Lines.size(), 59049u);  // 9^5: 280 / 3^5 is under 2 pixels
  EXPECT_EQ(render.LinesDrawn(), g.Lines.size());
  EXPECT_EQ(render.CurrentProgress(), render.ProgressMax());
}

// The progress read after each line drawn.
struct ProgressTrace {
  std::vector<UInt64> AtLine;
  UInt64 Max = 0;
};

ProgressTrace TraceProgress(const Path& path, const View& view, Integer size) {
  auto picture = NewPicture(size, size, 16);
  testing::SetPen(picture->Graphics(), Pen{});
  FracRender render(picture->Graphics(), view.X1, view.X2, view.Y1, view.Y2, path.Xs, path.Ys,
                    500);
  ProgressTrace trace;
  trace.Max = render.ProgressMax();
  render.ObserveLines([&trace, &render](Integer, Integer, Integer, Integer) {
    trace.AtLine.push_back(render.CurrentProgress());
  });
  render.Draw();
  return trace;
}

// The bar tells how much of the drawing is done: a tenth of the lines in, it
// reads about a tenth, also where most of the curve lies outside the picture
// and is skipped rather than drawn. It never goes back and ends exactly full.
TEST(FracRenderProgress, GrowsWithTheLinesDrawn) {
  struct Case {
    const char* Name;
    Path Generator;
    View Frame;
    double Band;
  };
  constexpr Integer kSize = 600;
  const Case cases[] = {
      {"Peano", testing::Peano(), CentredView(kSize, 0.95 * kSize), 0.02},
      // 1.2 million of the curve's 3.5 billion lines lie in the picture.
      {"Peano zoomed 81x", testing::Peano(), CentredView(kSize, 0.95 * kSize * 81), 0.02},
      {"Peano zoomed 30x off centre", testing::Peano(),
       ViewAbout(0.2, -0.1, kSize, kSize, kSize * 30.0), 0.03},
      // Its wide bound of what a subtree reaches leaves more to guess.
      {"Levy C zoomed 20x", testing::LevyC(), ViewAbout(0.5, -0.72, kSize, kSize, kSize * 20.0),
       0.06},
      // Copies of unequal lengths: the survey of skips stops at different depths.
      {"three uneven segments zoomed 10x", Path{{0.0, 0.55, 0.66, 1.0}, {0.0, -0.2, 0.35, 0.0}},
       ViewAbout(0.3, -0.1, kSize, kSize, 0.95 * kSize * 10), 0.06},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const ProgressTrace trace = TraceProgress(c.Generator, c.Frame, kSize);
    ASSERT_GT(trace.AtLine.size(), 100000u);
    EXPECT_TRUE(std::is_sorted(trace.AtLine.begin(), trace.AtLine.end()));
    EXPECT_LT(trace.AtLine.back(), trace.Max);
    for (double done : {0.1, 0.25, 0.5, 0.75, 0.9}) {
      const auto line = static_cast<std::size_t>(done * static_cast<double>(trace.AtLine.size()));
      EXPECT_NEAR(static_cast<double>(trace.AtLine[line]) / static_cast<double>(trace.Max), done,
                  c.Band)
          << "after " << done << " of the lines";
    }
  }
}

// `segments` equal segments along the x axis from 0 to `end`.
Path Straight(int segments, double end) {
  Path path;
  for (int i = 0; i <= segments; ++i) {
    path.Xs.push_back(end * i / segments);
    path.Ys.push_back(0.0);
  }
  return path;
}

// Progress counts the segments of the deepest depth whose count fits in 2^63.
TEST(FracRenderProgress, CountsAtTheDeepestDepthThatFits) {
  struct Case {
    int Segments;
    Integer Depth;
    UInt64 Max;  // 0: not a Double, so not checked
  };
  const UInt64 e18 = 1000000000000000000;
  const Case cases[] = {{1, std::numeric_limits<Integer>::max(), 1}, {2, 63, UInt64{1} << 63},
                        {3, 39, 0}, {4, 31, UInt64{1} << 62}, {5, 27, 0}, {8, 21, UInt64{1} << 63},
                        {10, 18, e18}, {16, 15, UInt64{1} << 60}, {1000, 6, e18}};
  auto picture = NewPicture(100, 100, 16);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Segments);
    const Path line = Straight(c.Segments, 1.0);
    const FracRender render(picture->Graphics(), 0, 1, -0.5, 0.5, line.Xs, line.Ys, 0);
    EXPECT_EQ(render.ProgressIteration(), c.Depth);
    if (c.Max != 0) {
      EXPECT_EQ(render.ProgressMax(), c.Max);
    }
  }
}

// A segment of the progress depth counts 1 whether it is drawn or replaced,
// and its copies count nothing. Here 999 short segments are followed by one
// of 0.9 of the chord, whose copies go 55 levels deep: once the last segment
// of depth 6 (1000 segments: 1000^6 <= 2^63) is reached, every one has been
// counted, and the bar reads full all the while the 49 levels below are drawn.
TEST(FracRenderProgress, CopiesBelowTheProgressDepthCountNothing) {
  Path comb = Straight(999, 0.1);
  comb.Xs.push_back(1.0);
  comb.Ys.push_back(0.0);
  const ProgressTrace trace = TraceProgress(comb, CentredView(700, 600), 700);
  ASSERT_EQ(trace.AtLine.size(), 999u * 55 + 1);
  EXPECT_LT(trace.AtLine[999 * 6 - 1], trace.Max);  // the last line of depth 6
  EXPECT_EQ(trace.AtLine.back(), trace.Max);
}

// While it draws a renderer holds five Doubles a point (the mapped path, and
// each copy's factor and ratio), and none once drawn, though it is kept for
// its progress: the document's point limit rests on what the preview and a
// render hold together.
TEST(FracRenderMemory, HoldsFiveDoublesAPointAndNoneOnceDrawn) {
  constexpr std::size_t kPoints = 100'000;
  Path zigzag;
  for (std::size_t i = 0; i < kPoints; ++i) {
    zigzag.Xs.push_back(static_cast<double>(i) / kPoints);
    zigzag.Ys.push_back(i % 2 == 0 ? 0.0 : 0.001);
  }
  auto picture = NewPicture(100, 100, 16);
  const auto held = [before = test::HeldBytes()] {
    return (static_cast<double>(test::HeldBytes()) - static_cast<double>(before)) /
           (kPoints * sizeof(double));
  };
  FracRender render(picture->Graphics(), 0, 1, -0.5, 0.5, zigzag.Xs, zigzag.Ys, 500);
  EXPECT_LT(held(), 5.1);
  render.Draw();
  EXPECT_LT(held(), 0.1);
  // A kill unwinds from a yield; a drawing killed at its first line lets go too.
  FracRender killed(picture->Graphics(), 0, 1, -0.5, 0.5, zigzag.Xs, zigzag.Ys, 500);
  killed.ObserveLines([](Integer, Integer, Integer, Integer) { throw ThreadKilled{}; });
  EXPECT_THROW(killed.Draw(), ThreadKilled);
  EXPECT_LT(held(), 0.1);
}

}  // namespace
}  // namespace vantrel
