// What the renderer must do: the fractal's counts and depths, the depth limit
// and its cap, progress, the pen offset, and inputs that have no sound drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "RenderSupport.h"

namespace vantrel {
namespace {

using testing::CentredView;
using testing::Path;
using testing::Pen;
using testing::RenderFast;
using testing::RenderResult;
using testing::View;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

void ExpectProgressComplete(const RenderResult& r) {
  EXPECT_EQ(r.CurrentProgress, r.ProgressMax);
  EXPECT_TRUE(r.Completed);
}

TEST(FracRenderFacts, EqualSegmentsGiveNToTheDepth) {
  // A 3800-pixel chord: a third of it drops under 2 pixels at depth 7.
  const View view = CentredView(4000, 3800);
  RenderResult koch = RenderFast(testing::Koch(), view, 4000, Pen{}, 500, false);
  EXPECT_EQ(koch.LinesDrawn, 16384u);
  EXPECT_FALSE(koch.IterationMaxed);
  EXPECT_EQ(koch.MaxIteration, 8);  // the cap: depth 7 is the first under 2 pixels
  ExpectProgressComplete(koch);

  RenderResult peano = RenderFast(testing::Peano(), view, 4000, Pen{}, 500, false);
  EXPECT_EQ(peano.LinesDrawn, 4782969u);
  EXPECT_FALSE(peano.IterationMaxed);
  ExpectProgressComplete(peano);
  // A space-filling curve at depth 7 colours most of its square.
  EXPECT_GT(testing::ChangedPixels(*peano.Pic), 3800u * 3800u / 5);

  // Levy C: 1/sqrt(2) per level, under 2 pixels of 3800 at depth 22.
  RenderResult levy = RenderFast(testing::LevyC(), view, 4000, Pen{}, 500, false);
  EXPECT_EQ(levy.LinesDrawn, 1u << 22);
  ExpectProgressComplete(levy);
}

TEST(FracRenderFacts, ProgressMaxFollowsThePathLength) {
  const View view = CentredView(100, 90);
  struct Expect {
    int points;
    UInt64 max;
  };
  for (const Expect& e : {Expect{2, 1}, Expect{3, UInt64{1} << 63}, Expect{5, UInt64{1} << 62},
                          Expect{4, 4052555153018976256ull}}) {
    Path path;
    for (int i = 0; i < e.points; ++i) {
      path.Xs.push_back(static_cast<double>(i) / (e.points - 1));
      path.Ys.push_back(i % 2 == 0 ? 0.0 : 0.1);
    }
    RenderResult r = RenderFast(path, view, 100, Pen{}, 3, false);
    EXPECT_EQ(r.ProgressMax, e.max) << e.points;
    ExpectProgressComplete(r);
  }
}

TEST(FracRenderFacts, DepthLimitAndItsCap) {
  const View view = CentredView(300, 280);
  // Limit 1 draws the path itself and is cut short by the limit.
  RenderResult one = RenderFast(testing::Koch(), view, 300, Pen{}, 1);
  EXPECT_EQ(one.Lines.size(), 4u);
  EXPECT_TRUE(one.IterationMaxed);
  ExpectProgressComplete(one);

  // A preview-style limit below the progress depth still ends at ProgressMax.
  RenderResult three = RenderFast(testing::Koch(), view, 300, Pen{}, 3);
  EXPECT_EQ(three.Lines.size(), 64u);
  EXPECT_TRUE(three.IterationMaxed);
  ExpectProgressComplete(three);

  // Every segment under 2 pixels: the cap raises limit 1 to 2, the same
  // lines are drawn, and the drawing is complete rather than cut short.
  RenderResult tiny = RenderFast(testing::Koch(), CentredView(300, 5), 300, Pen{}, 1);
  EXPECT_EQ(tiny.MaxIteration, 2);
  EXPECT_EQ(tiny.Lines.size(), 4u);
  EXPECT_FALSE(tiny.IterationMaxed);

  // A segment longer than the chord: no cap, and the limit is reached.
  RenderResult longer =
      RenderFast(testing::LongerThanChord(), CentredView(300, 150), 300, Pen{}, 500);
  EXPECT_EQ(longer.MaxIteration, 500);
  EXPECT_TRUE(longer.IterationMaxed);
  ExpectProgressComplete(longer);
}

TEST(FracRenderFacts, ChordAlone) {
  // Two points: the segment replaces itself down to the limit, one line.
  RenderResult two = RenderFast(testing::TwoPoints(), CentredView(200, 150), 200, Pen{}, 500);
  ASSERT_EQ(two.Lines.size(), 1u);
  EXPECT_TRUE(two.IterationMaxed);
  EXPECT_EQ(two.ProgressMax, 1u);
  ExpectProgressComplete(two);

  // A chord under 2 pixels is drawn at once as one line.
  RenderResult small = RenderFast(testing::Koch(), CentredView(200, 1.5), 200, Pen{}, 500);
  EXPECT_EQ(small.Lines.size(), 1u);
  EXPECT_FALSE(small.IterationMaxed);
  ExpectProgressComplete(small);

  // Limit 0 or below: the chord as one line, cut short by the limit.
  for (Integer limit : {0, -1, std::numeric_limits<Integer>::min()}) {
    RenderResult none = RenderFast(testing::Peano(), CentredView(200, 150), 200, Pen{}, limit);
    EXPECT_EQ(none.Lines.size(), 1u);
    EXPECT_TRUE(none.IterationMaxed);
    ExpectProgressComplete(none);
  }

  // A limit past any the program uses is bounded, not a runaway depth.
  RenderResult deep = RenderFast(testing::TwoPoints(), CentredView(200, 150), 200, Pen{},
                                 std::numeric_limits<Integer>::max());
  EXPECT_EQ(deep.MaxIteration, FracRender::kDepthCeiling);
  EXPECT_EQ(deep.Lines.size(), 1u);
}

TEST(FracRenderFacts, FewerThanTwoPointsDrawNothing) {
  for (const Path& path : {Path{}, Path{{0.5}, {0.5}}}) {
    RenderResult r = RenderFast(path, CentredView(100, 80), 100, Pen{}, 500);
    EXPECT_TRUE(r.Lines.empty());
    EXPECT_EQ(r.ProgressMax, 0u);
    EXPECT_EQ(r.CurrentProgress, 0u);
    EXPECT_FALSE(r.IterationMaxed);
    EXPECT_TRUE(r.Completed);
    EXPECT_EQ(testing::ChangedPixels(*r.Pic), 0u);
  }
}

TEST(FracRenderFacts, PenHeightShiftsBothEnds) {
  // The chord from pixel (10.5, 20.5) to (60.5, 20.5), drawn at limit 0.
  const Path path{{10.5, 60.5}, {20.5, 20.5}};
  const View pixels{0, 100, 0, 100};
  RenderResult thin = RenderFast(path, pixels, 100, Pen{1, 1}, 0);
  ASSERT_EQ(thin.Lines.size(), 1u);
  EXPECT_EQ(thin.Lines[0], (testing::LineRecord{10, 20, 60, 20}));
  RenderResult wide = RenderFast(path, pixels, 100, Pen{1, 4}, 0);
  ASSERT_EQ(wide.Lines.size(), 1u);
  EXPECT_EQ(wide.Lines[0], (testing::LineRecord{9, 19, 59, 19}));  // 8.5 rounds away from 0
  EXPECT_EQ(wide.Pic->Pixel(9, 22), ToRGB565(Color{200, 30, 60}));
  EXPECT_EQ(wide.Pic->Pixel(9, 23), 0xFFFF);
}

// The cases whose outcome is ours to choose: each must end promptly with
// progress complete, and draw nothing outside what it can place.
TEST(FracRenderEdges, ChordWithoutLengthDrawsThePathOnce) {
  const Path closed{{0.2, 0.8, 0.5, 0.2}, {0.2, 0.2, 0.7, 0.2}};
  RenderResult r = RenderFast(closed, {0, 1, 0, 1}, 200, Pen{}, 500);
  EXPECT_EQ(r.Lines.size(), 3u);
  EXPECT_FALSE(r.IterationMaxed);  // so the preview stops
  ExpectProgressComplete(r);
  EXPECT_GT(testing::ChangedPixels(*r.Pic), 250u);

  // All points in one place.
  RenderResult dot =
      RenderFast(Path{{0.5, 0.5, 0.5}, {0.5, 0.5, 0.5}}, {0, 1, 0, 1}, 200, Pen{}, 500);
  EXPECT_EQ(dot.Lines.size(), 2u);
  EXPECT_FALSE(dot.IterationMaxed);
  ExpectProgressComplete(dot);

  // A chord too long to measure (its square overflows) is no better.
  const Path vast{{0, 1e300, 0.5}, {0, 0, 1e300}};
  RenderResult far = RenderFast(vast, {0, 1, 0, 1}, 200, Pen{}, 500);
  EXPECT_EQ(far.Lines.size(), 2u);
  EXPECT_FALSE(far.IterationMaxed);
  ExpectProgressComplete(far);
}

TEST(FracRenderEdges, ViewsWithoutAMappingDrawNothing) {
  const Path koch = testing::Koch();
  for (const View& view : {View{0, 0, 0, 1}, View{0, 1, 0.5, 0.5}, View{kNaN, 1, 0, 1},
                           View{0, 1, 0, kInf}, View{-kInf, kInf, 0, 1}, View{0, 1e-320, 0, 1}}) {
    RenderResult r = RenderFast(koch, view, 100, Pen{}, 500);
    EXPECT_TRUE(r.Lines.empty());
    EXPECT_EQ(testing::ChangedPixels(*r.Pic), 0u);
    EXPECT_FALSE(r.IterationMaxed);
    ExpectProgressComplete(r);
  }
  // A point that is not a number spoils the mapping the same way.
  RenderResult nan = RenderFast(Path{{0, kNaN, 1}, {0, 0, 0}}, {0, 1, 0, 1}, 100, Pen{}, 500);
  EXPECT_TRUE(nan.Lines.empty());
  ExpectProgressComplete(nan);
}

TEST(FracRenderEdges, CoordinatesBeyondTheIntegerRangeAreClipped) {
  // A path that leaves the picture by far more than 2^31 pixels.
  const Path wild{{0.5, 1e7, -3e9, 0.6}, {0.5, -4e12, 2e8, 0.5}};
  for (Integer limit : {1, 2, 3}) {
    RenderResult r = RenderFast(wild, {0, 1, 0, 1}, 200, Pen{3, 3}, limit);
    ExpectProgressComplete(r);
    EXPECT_LT(testing::ChangedPixels(*r.Pic), 200u * 200u);
  }
  // Copies that grow by 1e30 a level: their ends leave the Doubles within a
  // few levels, and such branches are dropped instead of being followed to
  // the limit through 2^400 segments that could never be drawn.
  // A segment whose length overflows while the chord is fine.
  RenderResult unmeasurable =
      RenderFast(Path{{0, 1e300, 0.5, 1}, {0, 0, 0, 0}}, {0, 1, 0, 1}, 100, Pen{}, 500);
  ExpectProgressComplete(unmeasurable);

  const Path growing{{0, 1e30, 1}, {0, 0, 0}};
  RenderResult g = RenderFast(growing, CentredView(100, 50), 100, Pen{}, 400);
  ExpectProgressComplete(g);
  EXPECT_FALSE(g.IterationMaxed);
  EXPECT_EQ(testing::ChangedPixels(*g.Pic), 0u);
}

TEST(FracRenderEdges, ArraysOfDifferentLengthUseTheShorter) {
  const Path uneven{{0, 0.5, 1, 7, 9}, {0, 0.2, 0}};
  RenderResult r = RenderFast(uneven, CentredView(100, 80), 100, Pen{}, 1);
  EXPECT_EQ(r.Lines.size(), 2u);
}

TEST(FracRenderEdges, SurfaceWithoutAPictureGetsEveryLine) {
  const View view = CentredView(300, 280);
  testing::PicturelessGraphics g(300, 300);
  testing::SetPen(g, Pen{});
  const Path peano = testing::Peano();
  FracRender render(g, view.X1, view.X2, view.Y1, view.Y2, peano.Xs, peano.Ys, 500);
  render.Draw();
  EXPECT_EQ(g.Lines.size(), 59049u);  // 9^5: 280 / 3^5 is under 2 pixels
  EXPECT_EQ(render.LinesDrawn(), g.Lines.size());
  EXPECT_EQ(render.CurrentProgress(), render.ProgressMax());
}

TEST(FracRenderEdges, PenOfNoSizeDrawsNoPixelsButCompletes) {
  RenderResult r = RenderFast(testing::Koch(), CentredView(200, 180), 200, Pen{0, 1}, 500);
  EXPECT_EQ(r.Lines.size(), 1024u);
  EXPECT_EQ(testing::ChangedPixels(*r.Pic), 0u);
  ExpectProgressComplete(r);
}

}  // namespace
}  // namespace vantrel
