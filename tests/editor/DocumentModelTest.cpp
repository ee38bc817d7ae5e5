#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "FakeDocument.h"

namespace vantrel::test {
namespace {

using Doubles = std::vector<double>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();

void SetPoints(FakeDocument& doc, Doubles xs, Doubles ys, std::vector<bool> selected = {}) {
  selected.resize(xs.size(), false);
  doc.Xpoints = std::move(xs);
  doc.Ypoints = std::move(ys);
  doc.SelectedPoints = std::move(selected);
}

void ExpectView(const FakeDocument& doc, double x1, double x2, double y1, double y2) {
  EXPECT_DOUBLE_EQ(doc.X1, x1);
  EXPECT_DOUBLE_EQ(doc.X2, x2);
  EXPECT_DOUBLE_EQ(doc.Y1, y1);
  EXPECT_DOUBLE_EQ(doc.Y2, y2);
}

TEST(DocumentView, ConversionsFollowTheViewAndNeverDivideByZero) {
  FakeDocument doc;
  EXPECT_EQ(doc.CanToFracX(315), 1.0);
  EXPECT_EQ(doc.FracToCanX(0.2), 63);
  EXPECT_LT(doc.FracToCanX(-0.1), 0);
  doc.Y1 = -1.0;  // y grows downward: the top row is Y1, the bottom row Y2
  EXPECT_EQ(doc.CanToFracY(0), -1.0);
  EXPECT_EQ(doc.FracToCanY(0.0), 158);
  EXPECT_EQ(doc.FracToCanX(kNaN), 0);
  EXPECT_EQ(doc.FracToCanX(1e300), std::numeric_limits<Integer>::max());
  EXPECT_EQ(doc.FracToCanY(-kInf), std::numeric_limits<Integer>::min());
  doc.X1 = doc.X2 = 0.5;  // a collapsed view maps everything to pixel 0
  EXPECT_EQ(doc.FracToCanX(0.7), 0);
  doc.SetCanvas(0, -3);  // a canvas not laid out yet counts as one pixel
  EXPECT_EQ(doc.CanToFracY(10), 19.0);
}

TEST(DocumentView, SnapsToTheGridAndLeavesUnusableDensitiesAlone) {
  FakeDocument doc;
  EXPECT_EQ(doc.SnapToGridX(0.3), 0.25);
  EXPECT_EQ(doc.SnapToGridY(-0.3), -0.25);
  doc.CurrentSettings->Ints[3] = 2.5;
  EXPECT_DOUBLE_EQ(doc.SnapToGridX(0.3), 0.4);
  for (double density : {0.0, -8.0, kNaN, kInf, 1e308}) {
    doc.CurrentSettings->Ints[4] = density;
    EXPECT_EQ(doc.SnapToGridY(0.3), 0.3) << density;
  }
}

TEST(DocumentView, ZoomDividesTheExtentAndKeepsItPositiveAndFinite) {
  FakeDocument doc;
  doc.Zoom(0.5, 0.5, 2, true);
  ExpectView(doc, 0.25, 0.75, 0.25, 0.75);
  doc.Zoom(0.25, 0.25, 0.5, false);  // the wheel's point stays under its pixel
  ExpectView(doc, 0.25, 1.25, 0.25, 1.25);
  EXPECT_EQ(doc.Previews, 2);
  EXPECT_EQ(doc.ChangedCalls, 0);  // the callers mark the change
  doc.Zoom(0.5, 0.5, 1 - 120.0 / 50, false);  // a wheel delta past 50
  EXPECT_DOUBLE_EQ(doc.X2 - doc.X1, 1 / DocumentModel::kMinZoomFactor);
  for (double factor : {kNaN, kInf, 1e-300, 1e300}) {
    const double x1 = doc.X1;
    doc.Zoom(0.5, 0.5, factor, true);
    EXPECT_EQ(doc.X1, x1) << factor;
  }
  for (int i = 0; i < 5000; ++i) doc.Zoom(0.3, 0.7, 1.9, i % 2 == 0);
  EXPECT_TRUE(doc.CurrentView().IsSound());
  EXPECT_GT(doc.Y2, doc.Y1);
}

TEST(DocumentView, ResizedRefitsForSquarePixels) {
  FakeDocument doc;
  doc.SetCanvas(630, 315);
  doc.Resized();
  ExpectView(doc, -1.0 / 6, 7.0 / 6, 1.0 / 6, 5.0 / 6);
  EXPECT_EQ(doc.OldCanSizeX, 630);
  doc.X1 = 0, doc.X2 = 2, doc.Y1 = 0, doc.Y2 = 1;
  doc.SetCanvas(315, 315);
  doc.OldCanSizeX = 315;
  doc.Resized();  // same size: centre and x extent kept, y extent from x
  ExpectView(doc, 0, 2, -0.5, 1.5);
  doc.SetCanvas(0, 0);
  doc.Resized();
  EXPECT_TRUE(doc.CurrentView().IsSound());
  EXPECT_EQ(doc.Previews + doc.ChangedCalls, 0);
}

TEST(DocumentPoints, AddPointAppendsInsertsAndDropsOverlaps) {
  FakeDocument doc;
  doc.AddPoint(0, 0, -1);
  doc.AddPoint(1, 1, -1);
  doc.SelectedPoints[0] = true;
  doc.AddPoint(0.5, 0.25, 1);
  EXPECT_EQ(doc.Xpoints, (Doubles{0, 0.5, 1}));
  EXPECT_EQ(doc.Ypoints, (Doubles{0, 0.25, 1}));
  EXPECT_EQ(doc.SelectedPoints, (std::vector<bool>{true, false, false}));
  doc.AddPoint(1, 1, -1);  // equal to the last point: nothing lasting, but a change
  EXPECT_EQ(doc.Xpoints.size(), 3u);
  EXPECT_EQ(doc.Previews, 4);
  EXPECT_TRUE(doc.Changed());
  doc.InhibitPreview = true;
  doc.AddPoint(2, 2, 99);  // out of range: appended, never out of bounds
  doc.AddPoint(kNaN, -kInf, -7);
  EXPECT_EQ(doc.Previews, 4);
  EXPECT_EQ(doc.Snapshot()->Xpoints.size(), 5u);
  EXPECT_EQ(doc.Xpoints, (Doubles{0, 0.5, 1, 2, 0}));
  EXPECT_EQ(doc.Ypoints.back(), -kMax);
  EXPECT_EQ(doc.SelectedPoints.size(), 5u);
}

TEST(DocumentPoints, RemovalsCollapseRunsOfNeighboursOnlyAndClearKeepsTheView) {
  FakeDocument doc;
  SetPoints(doc, {1, 1, 1, 2}, {1, 1, 1, 2}, {false, false, true, false});
  doc.RemoveOverlaps();
  EXPECT_EQ(doc.Xpoints, (Doubles{1, 2}));
  EXPECT_EQ(doc.SelectedPoints, (std::vector<bool>{true, false}));
  EXPECT_TRUE(doc.Changed());
  FakeDocument apart;
  SetPoints(apart, {1, 2, 1}, {1, 2, 1});
  apart.RemoveOverlaps();
  apart.RemovePoint(3);
  apart.RemovePoint(-1);
  EXPECT_EQ(apart.ChangedCalls, 0);
  apart.RemovePoint(1);  // leaves neighbours equal: only RemoveOverlaps merges them
  EXPECT_EQ(apart.Xpoints, (Doubles{1, 1}));
  apart.X1 = -3;
  apart.Clear();
  EXPECT_TRUE(apart.Xpoints.empty() && apart.Ypoints.empty() && apart.SelectedPoints.empty());
  EXPECT_EQ(apart.X1, -3);
  EXPECT_EQ(apart.Previews, 1);
  FakeDocument empty;
  empty.Clear();  // even an empty document is marked changed
  EXPECT_TRUE(empty.Changed());
}

TEST(DocumentPoints, RemoveSelectedKeepsTheOthersInOrderAndPreviewsTheResult) {
  FakeDocument doc;
  SetPoints(doc, {0, 1, 2, 3, 4, 5, 6}, {9, 8, 7, 6, 5, 4, 3},
            {true, false, true, true, false, false, true});
  EXPECT_EQ(doc.RemoveSelected(), 4u);
  EXPECT_EQ(doc.Xpoints, (Doubles{1, 4, 5}));
  EXPECT_EQ(doc.Ypoints, (Doubles{8, 5, 4}));
  EXPECT_EQ(doc.SelectedPoints, (std::vector<bool>(3, false)));
  EXPECT_EQ(doc.Snapshot()->Xpoints, doc.Xpoints);
  EXPECT_EQ(doc.Snapshot()->Ypoints, doc.Ypoints);
  EXPECT_TRUE(doc.Changed());
  EXPECT_EQ(doc.Previews, 1);
  doc.Changed(false);
  EXPECT_EQ(doc.RemoveSelected(), 0u);  // nothing selected: no change, yet a preview
  EXPECT_FALSE(doc.Changed());
  EXPECT_EQ(doc.Previews, 2);
  doc.SelectedPoints.assign(3, true);
  doc.RemoveSelected();
  EXPECT_TRUE(doc.Xpoints.empty() && doc.Snapshot()->Xpoints.empty());
}

TEST(DocumentView, PreviewPublishesTheViewRefittedToTheFittedCanvas) {
  FakeDocument doc;
  doc.FitTo(630, 315);
  doc.InhibitPreview = true;
  doc.Preview();  // inhibited: the canvas is left as it is
  EXPECT_EQ(doc.Snapshot()->View.Width, 315);
  doc.InhibitPreview = false;
  doc.Preview();
  ExpectView(doc, -1.0 / 6, 7.0 / 6, 1.0 / 6, 5.0 / 6);
  EXPECT_EQ(doc.Snapshot()->View.Width, 630);
  EXPECT_EQ(doc.Snapshot()->View.X1, doc.X1);
  EXPECT_EQ(doc.Previews, 1);
}

TEST(DocumentPoints, ScaleMovesAboutTheCentreOfTheBox) {
  FakeDocument doc;
  SetPoints(doc, {0, 2}, {0, 2});
  doc.Scale(0.5, 0.5, false);
  EXPECT_EQ(doc.Xpoints, (Doubles{0.5, 1.5}));
  doc.Scale(1, -1, false);  // mirrored top to bottom
  EXPECT_EQ(doc.Xpoints, (Doubles{0.5, 1.5}));
  EXPECT_EQ(doc.Ypoints, (Doubles{1.5, 0.5}));
  doc.Scale(3, 3, true);  // nothing selected: nothing moves, yet a change
  EXPECT_EQ(doc.Xpoints, (Doubles{0.5, 1.5}));
  EXPECT_EQ(doc.Previews, 3);
  EXPECT_FALSE(doc.InhibitPreview);

  SetPoints(doc, {0, 1, 2e8, 4e8}, {0, 0, 0, 0}, {false, false, true, true});
  doc.Scale(0.5, 0.5, true);  // far points still scale about their own box
  EXPECT_EQ(doc.Xpoints, (Doubles{0, 1, 2.5e8, 3.5e8}));
  SetPoints(doc, {1e308, 1.7e308}, {-1e308, 1e308});
  doc.Scale(10, kNaN, false);
  EXPECT_EQ(doc.Xpoints[0], -kMax);
  EXPECT_EQ(doc.Ypoints[1], 0.0);
}

}  // namespace
}  // namespace vantrel::test
