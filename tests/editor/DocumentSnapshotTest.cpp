// The point markers, and the snapshots that let the preview thread draw them
// while the event thread edits the document.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "FakeDocument.h"
#include "platform/core/Graphics.h"
#include "platform/core/Picture.h"
#include "support/OnExit.h"

namespace vantrel::test {
namespace {

Color Stored(Color c) { return FromRGB565(ToRGB565(c)); }

// The last point: a red dot 8 across inside a black ring; selected dots lie
// on top of every other dot, in the selection colour. Points at 0.25 and 0.27
// are 6 pixels apart, so their dots overlap.
TEST(PointMarkers, LastPointIsRingedAndSelectedDotsLieOnTop) {
  FakeDocument doc;
  doc.AddPoint(0.25, 0.5, -1);
  doc.AddPoint(0.27, 0.5, -1);
  doc.AddPoint(5.0, -5.0, -1);  // far off the canvas: clipped away
  doc.AddPoint(0.5, 0.5, -1);   // lands on pixel 158
  auto picture = NewPicture(315, 315, 16);
  const auto at = [&](Integer x) { return picture->PixelColor(x, 158); };
  doc.DrawPoints(picture->Graphics());
  EXPECT_EQ(at(155), Stored({255, 0, 0}));  // dot 154..161
  EXPECT_EQ(at(152), Stored({0, 0, 0}));    // ring box 152..163, pen 2
  EXPECT_EQ(at(163), Stored({0, 0, 0}));
  EXPECT_EQ(at(149), Stored({255, 255, 255}));
  EXPECT_EQ(at(167), Stored({255, 255, 255}));

  doc.SelectedPoints[0] = true;
  doc.Snapshot()->DrawPoints(picture->Graphics());  // published before the selection
  EXPECT_EQ(at(79), Stored({255, 0, 0}));
  doc.PublishSnapshot();
  doc.Snapshot()->DrawPoints(picture->Graphics());
  const Color orange = Stored(doc.CurrentSettings->Colors[7]);
  EXPECT_EQ(at(79), orange);
  EXPECT_EQ(at(82), orange);  // over the next point's dot
  EXPECT_EQ(at(86), Stored({255, 0, 0}));
}

TEST(DocumentSnapshot, IsAnIndependentCopyOfWhatWasPublished) {
  FakeDocument doc;
  doc.AddPoint(0.1, 0.2, -1);
  auto snapshot = doc.Snapshot();
  doc.CurrentSettings->Ints[1] = 99;
  doc.X1 = -1;
  doc.SetCanvas(100, 50);
  doc.Xpoints[0] = 7;
  EXPECT_EQ(snapshot->Xpoints, (std::vector<double>{0.1}));
  EXPECT_EQ(snapshot->Settings->Ints[1], 8);
  EXPECT_EQ(snapshot->FracToCanX(1.0), 315);
  doc.PublishSnapshot();
  EXPECT_EQ(doc.Snapshot()->Settings->Ints[1], 99);
  EXPECT_EQ(doc.Snapshot()->FracToCanX(1.0), 100);
  EXPECT_EQ(doc.Snapshot()->CanToFracY(25), 0.5);
}

// A new selection alone (Select All on millions of points) must not copy the
// coordinates; any change to them, even 0.0 to -0.0, must.
TEST(DocumentSnapshot, SharesCoordinatesOnlyWhileTheyAreUnchanged) {
  FakeDocument doc;
  doc.AddPoint(0.0, 0.2, -1);
  doc.AddPoint(0.4, 0.6, -1);
  const auto before = doc.Snapshot();
  doc.SelectedPoints.assign(2, true);
  doc.PublishSnapshot();
  const auto selected = doc.Snapshot();
  EXPECT_EQ(selected->Xpoints.data(), before->Xpoints.data());
  EXPECT_EQ(selected->Ypoints.data(), before->Ypoints.data());
  EXPECT_EQ(selected->SelectedPoints, (std::vector<bool>{true, true}));

  doc.Xpoints[0] = -0.0;
  doc.PublishSnapshot();
  const auto moved = doc.Snapshot();
  EXPECT_NE(moved->Xpoints.data(), before->Xpoints.data());
  EXPECT_TRUE(std::signbit(moved->Xpoints[0]));
  EXPECT_FALSE(std::signbit(before->Xpoints[0])) << "an earlier snapshot never changes";
  EXPECT_EQ(moved->Ypoints.data(), before->Ypoints.data());
  const DocumentSnapshot copy = *moved;
  EXPECT_EQ(copy.Xpoints.data(), moved->Xpoints.data());
}

// Run under ThreadSanitizer: a worker draws from snapshots while the event
// thread edits the document.
TEST(DocumentSnapshot, WorkerReadsSnapshotsWhileTheDocumentChanges) {
  FakeDocument doc;
  std::atomic<bool> done{false};
  std::atomic<int> inconsistent{0};
  std::thread worker([&] {
    auto picture = NewPicture(64, 64, 16);
    while (!done.load()) {
      const auto snapshot = doc.Snapshot();
      const std::size_t n = snapshot->Xpoints.size();
      if (snapshot->Ypoints.size() != n || snapshot->SelectedPoints.size() != n) ++inconsistent;
      snapshot->DrawPoints(picture->Graphics());
    }
  });
  // Also when an edit throws: the worker stops and is joined before doc goes.
  const OnExit stop([&] {
    done = true;
    if (worker.joinable()) worker.join();
  });
  for (int i = 0; i < 2000; ++i) {
    doc.AddPoint(i % 7 * 0.1, i % 5 * 0.1, i % 3 == 0 ? 0 : -1);
    if (!doc.SelectedPoints.empty()) doc.SelectedPoints[0] = i % 2 == 0;
    if (i % 10 == 0) doc.Zoom(0.5, 0.5, i % 20 == 0 ? 1.25 : 0.8, true);
    if (i % 25 == 0) doc.Scale(0.9, 1.1, i % 50 == 0);
    if (i % 40 == 0) doc.RemovePoint(0);
    if (i % 300 == 0) doc.Clear();
    doc.CurrentSettings->Colors[2] = Color{static_cast<std::uint8_t>(i), 0, 0};
    doc.PublishSnapshot();
  }
  done = true;
  worker.join();
  EXPECT_EQ(inconsistent.load(), 0);
}

}  // namespace
}  // namespace vantrel::test
