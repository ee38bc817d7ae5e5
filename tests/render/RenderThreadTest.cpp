// The render worker against a test event queue, under ThreadSanitizer: the
// test reads the picture and the progress counters while the worker draws.
#include <gtest/gtest.h>

#include <chrono>

#include "editor/DocumentSnapshot.h"
#include "model/FracRender.h"
#include "model/SettingSet.h"
#include "platform/core/Picture.h"
#include "platform/core/PicturePyramid.h"
#include "platform/core/ShrunkPicture.h"
#include "platform/qt/EventQueue.h"
#include "render/RenderThread.h"
#include "support/Eventually.h"

namespace vantrel {
namespace {

using namespace std::chrono_literals;

constexpr Color kBackground{0, 0, 66};  // exact in RGB565
constexpr Color kLine{0, 255, 0};

class RenderThreadTest : public ::testing::Test {
 protected:
  // A test that failed half-way may leave a long render going; it posts to
  // this fixture, so it is stopped before the fixture goes.
  void TearDown() override {
    for (const auto& worker : started_) worker->Kill();
    EXPECT_TRUE(WaitForAllThreads(30s));
  }

  // The unit square shown on a 100 x 100 canvas.
  std::shared_ptr<RenderThread> Start(std::shared_ptr<Picture> picture, std::vector<double> xs,
                                      std::vector<double> ys, double pen = 1.0,
                                      std::shared_ptr<PicturePyramid> pyramid = nullptr) {
    auto settings = std::make_shared<SettingSet>();
    settings->Colors[4] = kBackground;
    settings->Colors[5] = kLine;
    settings->Ints[5] = pen;
    const CanvasView view{.X1 = 0, .X2 = 1, .Y1 = 0, .Y2 = 1, .Width = 100, .Height = 100};
    const std::vector<bool> selected(xs.size(), false);
    auto doc = std::make_shared<const DocumentSnapshot>(xs, ys, selected, view, settings);
    auto worker = std::make_shared<RenderThread>(
        std::move(picture), std::move(pyramid), doc,
        [this](std::function<void()> c) { queue_.Post(std::move(c)); },
        [this](RenderThread::Outcome outcome) { ends_.push_back(outcome); });
    worker->Run();
    started_.push_back(worker);
    return worker;
  }

  EventQueue queue_;
  std::vector<RenderThread::Outcome> ends_;
  std::vector<std::shared_ptr<RenderThread>> started_;
};

TEST_F(RenderThreadTest, DrawsWhatTheDocumentShowedInTheRenderColours) {
  // Rendered 200 x 100, the view keeps its centre and square pixels: x runs
  // from -1/6 to 7/6, y from 1/6 to 5/6, so the line y = 0.5 lies on row 50
  // from x = 25 to x = 175 (each end 0.5 less for the half pen, then rounded).
  auto picture = NewPicture(200, 100, 16);
  auto worker = Start(picture, {0.0, 1.0}, {0.5, 0.5});
  ASSERT_TRUE(worker->WaitUntilEnded(30s));
  queue_.Drain();
  ASSERT_EQ(ends_, std::vector{RenderThread::Outcome::Complete});

  int line = 0;
  for (Integer y = 0; y < 100; ++y) {
    for (Integer x = 0; x < 200; ++x) {
      const Color c = picture->PixelColor(x, y);
      ASSERT_TRUE(c == kLine || c == kBackground) << x << "," << y;
      line += c == kLine;
    }
  }
  EXPECT_EQ(line, 151);
  EXPECT_EQ(picture->PixelColor(25, 50), kLine);
  EXPECT_EQ(worker->Renderer()->CurrentProgress(), worker->Renderer()->ProgressMax());
}

TEST_F(RenderThreadTest, PensOfAnyWidthFromAFileDrawNothingOrEverything) {
  for (double pen : {-1e308, 1e308}) {
    auto picture = NewPicture(30, 20, 16);
    auto worker = Start(picture, {0.0, 0.5, 1.0}, {0.5, 0.4, 0.5}, pen);
    ASSERT_TRUE(worker->WaitUntilEnded(30s));
    for (Integer y = 0; y < 20; ++y) {
      for (Integer x = 0; x < 30; ++x) {
        ASSERT_EQ(picture->PixelColor(x, y), pen > 0 ? kLine : kBackground) << x << "," << y;
      }
    }
  }
  queue_.Drain();
  EXPECT_EQ(ends_, std::vector(2, RenderThread::Outcome::Complete));
}

// Thirty-two segments about half the chord: some 32^9 lines, a render that
// only a kill ends within a test.
std::pair<std::vector<double>, std::vector<double>> Endless() {
  std::vector<double> xs, ys;
  for (int i = 0; i <= 32; ++i) {
    xs.push_back(i / 32.0);
    ys.push_back(i % 2 == 0 ? 0.5 : 0.016);
  }
  return {xs, ys};
}

TEST_F(RenderThreadTest, KeepsThePyramidWhileDrawingAndUpToDateAtTheEnd) {
  // A far view read while the worker draws and updates, as the window's
  // timer reads it; then a render whose end leaves the pyramid of the
  // finished picture.
  {
    auto picture = NewUnpaintedPicture(1200, 900, 16);
    auto pyramid = PicturePyramid::New(1200, 900);
    auto [xs, ys] = Endless();
    auto worker = Start(picture, xs, ys, 1.0, pyramid);
    ASSERT_TRUE(test::Eventually([&] { return pyramid->Ready(); }))
        << "the pyramid never became ready";
    for (int i = 0; i < 20; ++i) {
      ASSERT_NE(ShrunkPart(*picture, pyramid.get(), 60, 45, 0, 0, 60, 45), nullptr);
    }
    worker->Kill();
    ASSERT_TRUE(worker->WaitUntilEnded(30s));
  }
  auto picture = NewUnpaintedPicture(1000, 800, 16);
  auto pyramid = PicturePyramid::New(1000, 800);
  auto worker = Start(picture, {0.0, 0.3, 0.5, 0.7, 1.0}, {0.5, 0.5, 0.2, 0.5, 0.5}, 1.0, pyramid);
  ASSERT_TRUE(worker->WaitUntilEnded(30s));
  queue_.Drain();
  ASSERT_EQ(ends_, std::vector{RenderThread::Outcome::Complete});
  ASSERT_TRUE(pyramid->Ready());
  auto fresh = PicturePyramid::New(1000, 800);
  ASSERT_TRUE(fresh->Update(*picture));
  for (int level = PicturePyramid::kFirstLevel; level <= pyramid->LastLevel(); ++level) {
    for (Integer y = 0; y < pyramid->LevelHeight(level); ++y) {
      for (Integer x = 0; x < pyramid->LevelWidth(level); ++x) {
        ASSERT_EQ(pyramid->Cell(level, x, y), fresh->Cell(level, x, y)) << level;
      }
    }
  }
}

TEST_F(RenderThreadTest, KilledRenderStopsAndNeverReportsItsEnd) {
  auto [xs, ys] = Endless();
  auto picture = NewPicture(1500, 1500, 16);
  auto worker = Start(picture, xs, ys);
  std::shared_ptr<const FracRender> renderer;  // read as the timers read it
  ASSERT_TRUE(test::Eventually([&] {
    renderer = worker->Renderer();
    (void)picture->Pixel(750, 750);
    return renderer && renderer->CurrentProgress() > 0;
  })) << "the render never made progress";
  EXPECT_LT(renderer->CurrentProgress(), renderer->ProgressMax());
  worker->Kill();
  ASSERT_TRUE(worker->WaitUntilEnded(30s));
  queue_.Drain();
  EXPECT_TRUE(ends_.empty());

  // An end already posted is dropped too when the kill comes before it is
  // delivered, whatever reference the kill goes through.
  auto quick = Start(NewPicture(50, 50, 16), {0.0, 1.0}, {0.5, 0.5});
  ASSERT_TRUE(quick->WaitUntilEnded(30s));
  EXPECT_EQ(queue_.Size(), 1u);
  static_cast<Thread&>(*quick).Kill();
  queue_.Drain();
  EXPECT_TRUE(ends_.empty());
}

}  // namespace
}  // namespace vantrel
