// The preview thread against a fake window: the test thread plays the event
// thread, draining the host's queue and killing, suspending and resuming.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "editor/DocumentSnapshot.h"
#include "editor/PreviewHost.h"
#include "editor/PreviewThreadClass.h"
#include "model/FracRender.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/Picture.h"
#include "platform/qt/EventQueue.h"
#include "support/Eventually.h"

namespace vantrel {
namespace {

using namespace std::chrono_literals;
using Points = std::vector<double>;
using Edit = std::function<void(SettingSet&)>;

const Color kWhite{255, 255, 255}, kBlack{0, 0, 0}, kRed{255, 0, 0}, kBlue{0, 0, 255},
    kGreen{0, 255, 0};
const std::string kPicture = "picture", kBarOn = "bar on", kBarOff = "bar off";

class FakeHost : public PreviewHost {
 public:
  std::shared_ptr<const DocumentSnapshot> Snapshot() const override {
    std::lock_guard lock(mutex_);
    return doc_;
  }
  void Publish(std::shared_ptr<const DocumentSnapshot> doc) {
    std::lock_guard lock(mutex_);
    doc_ = std::move(doc);
  }
  void PostToEventThread(std::function<void()> call) override { Queue.Post(std::move(call)); }
  void SetStatusText(const std::string& text) override { Effects.push_back(text); }
  void SetProgressBarVisible(bool on) override { Effects.push_back(on ? kBarOn : kBarOff); }
  void ShowPicture(const std::shared_ptr<const Picture>& picture) override {
    Effects.push_back(kPicture);
    Pictures.push_back(picture);
  }

  EventQueue Queue;
  // Written only while the test thread drains the queue.
  std::vector<std::string> Effects;
  std::vector<std::shared_ptr<const Picture>> Pictures;

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<const DocumentSnapshot> doc_;
};

// The unit square on a size x size canvas; default settings, grid off.
std::shared_ptr<const DocumentSnapshot> Doc(Points xs, Points ys, Integer size,
                                            const Edit& edit = {}) {
  auto settings = std::make_shared<SettingSet>();
  SettingsCatalogue::ApplyDefaults(*settings);
  settings->Booleans[0] = false;
  if (edit) edit(*settings);
  std::vector<bool> selected(xs.size(), false);
  return std::make_shared<const DocumentSnapshot>(std::move(xs), std::move(ys), selected,
                                                  CanvasView{0, 1, 0, 1, size, size}, settings);
}

// The grid on, every quarter, in colour c.
Edit Grid(Color c) {
  return [c](SettingSet& s) {
    s.Booleans[0] = true;
    s.Colors[6] = c;
    s.Ints[3] = s.Ints[4] = 4;
  };
}

// Four thirds with a peak, across the middle of the view: shrinks by 3 a level.
std::shared_ptr<const DocumentSnapshot> Koch(Integer size, const Edit& edit = {}) {
  const double peak = 0.5 - std::sqrt(3.0) / 6.0;
  return Doc({0, 1.0 / 3, 0.5, 2.0 / 3, 1}, {0.5, 0.5, peak, 0.5, 0.5}, size, edit);
}

// Segments of twice and once the chord: the work doubles every round, for good.
std::shared_ptr<const DocumentSnapshot> Endless() {
  return Doc({0.1, 0.9, 0.5}, {0.5, 0.5, 0.5}, 100);
}

struct Preview {
  explicit Preview(std::shared_ptr<const DocumentSnapshot> doc) {
    Host->Publish(std::move(doc));
    Thread = std::make_shared<PreviewThreadClass>(Host);
  }
  ~Preview() {
    Thread->Kill();
    Thread->WaitUntilEnded(60s);
    Host->Queue.Drain();  // queued calls hold the thread, which holds the host
    // The OS thread outlives the body a little; one still winding down as
    // the program exits would race with the exit's destructors.
    EXPECT_TRUE(WaitForAllThreads(60s));
  }
  bool DrainUntil(const std::function<bool()>& done) {
    return test::Eventually([&] { return Host->Queue.Drain(), done(); });
  }
  bool RunToEnd() {
    Thread->Run();
    const bool ended = DrainUntil([this] { return Thread->State() == Thread::NotRunning; });
    Host->Queue.Drain();
    return ended;
  }
  bool Delivered(const std::string& text) {
    const auto& e = Host->Effects;
    return DrainUntil([&] { return std::find(e.begin(), e.end(), text) != e.end(); });
  }
  std::shared_ptr<FakeHost> Host = std::make_shared<FakeHost>();
  std::shared_ptr<PreviewThreadClass> Thread;
};

std::string Iteration(Integer n) { return "Drawing Preview: Iteration " + std::to_string(n); }
Color At(const Picture& p, Integer x, Integer y) { return p.PixelColor(x, y); }

TEST(PreviewThread, ShrinkingPathCountsUpToItsDepthAndCompletes) {
  Preview preview(Koch(60, [](SettingSet& s) { s.Colors[0] = kGreen; }));
  ASSERT_TRUE(preview.RunToEnd());
  // 60 px of chord shrink under 2 px at depth 4, so the renderer lifts round
  // 4's limit to 5 and that round is the first to finish below its limit.
  std::vector<std::string> expected{kPicture};
  for (Integer n = 2; n <= 4; ++n)
    expected.insert(expected.end(), {Iteration(n), kBarOn, kPicture});
  expected.insert(expected.end(), {kBarOff, "Drawing Preview: Complete (4 Iterations)"});
  EXPECT_EQ(preview.Host->Effects, expected);

  const auto& pictures = preview.Host->Pictures;
  EXPECT_EQ(preview.Thread->CurrentPic(), pictures.back());
  EXPECT_EQ(At(*pictures.front(), 3, 3), kWhite);  // the first picture is not filled
  EXPECT_EQ(At(*pictures.back(), 3, 3), kGreen);
}

// A file can hold any width; the smallest and largest Integer pens must
// draw (nothing, or everything) and the preview still completes.
TEST(PreviewThread, PensOfAnyWidthFromAFileDrawAndComplete) {
  for (double width : {-1e308, 1e308, -1.0}) {
    Preview preview(Koch(40, [width](SettingSet& s) {
      s.Ints[kLineWidth] = s.Ints[kPreviewLineWidth] = s.Ints[kPointSize] = width;
      s.Colors[kPreviewColor] = kRed;
      s.Colors[kLineColor] = kRed;
    }));
    ASSERT_TRUE(preview.RunToEnd()) << width;
    EXPECT_EQ(preview.Host->Effects.back(), "Drawing Preview: Complete (3 Iterations)");
    EXPECT_EQ(At(*preview.Host->Pictures.back(), 39, 0) == kRed, width > 0) << width;
  }
}

// A segment as long as the chord keeps its length at every depth while the
// tiny one stays a single leaf: every round reaches its limit, cheaply.
TEST(PreviewThread, PathThatAlwaysReachesTheLimitRunsAllRounds) {
  Preview preview(
      Doc({0.1, 0.9, 0.1 + 0.8 * std::cos(0.01)}, {0.5, 0.5, 0.5 + 0.8 * std::sin(0.01)}, 20));
  ASSERT_TRUE(preview.RunToEnd());
  std::vector<std::string> statuses;
  for (const auto& e : preview.Host->Effects) {
    if (e.starts_with("Drawing Preview: Iteration ")) statuses.push_back(e);
  }
  ASSERT_EQ(statuses.size(), 499u);
  EXPECT_EQ(statuses.back(), Iteration(500));
  EXPECT_EQ(preview.Host->Effects.back(), "Drawing Preview: Complete ( Limited at 500 Iterations)");
}

// Grid every quarter in blue, the path across at y 0.6 in black, red markers.
TEST(PreviewThread, FewerThanThreePointsShowTheFirstPictureOnly) {
  for (const auto& [xs, ys] :
       {std::pair<Points, Points>{{}, {}}, {{0.5}, {0.6}}, {{0.1, 0.9}, {0.6, 0.6}}}) {
    Preview preview(Doc(xs, ys, 100, Grid(kBlue)));
    ASSERT_TRUE(preview.RunToEnd());
    EXPECT_EQ(preview.Host->Effects, std::vector<std::string>{kPicture});
    EXPECT_EQ(preview.Thread->Iteration(), nullptr);
    const Picture& p = *preview.Thread->CurrentPic();
    EXPECT_EQ(At(p, 25, 10), kBlue);
    EXPECT_EQ(At(p, 10, 75), kBlue);
    EXPECT_EQ(At(p, 30, 10), kWhite);
    EXPECT_EQ(At(p, 40, 59), xs.size() == 2 ? kBlack : kWhite);  // pen 2: rows 59 and 60
    if (!xs.empty()) {
      EXPECT_EQ(At(p, ToInteger(xs.back() * 100), 60), kRed);
    }
  }
}

// A square whose last point stops a pixel short of its first: the fractal
// has nothing to replace, but the path itself is drawn, in the first picture
// and over the round.
TEST(PreviewThread, PathWhoseEndsAlmostMeetIsDrawnWhole) {
  Preview preview(Doc({0.2, 0.8, 0.8, 0.2, 0.21}, {0.2, 0.2, 0.8, 0.8, 0.2}, 100));
  ASSERT_TRUE(preview.RunToEnd());
  ASSERT_EQ(preview.Host->Pictures.size(), 2u);
  for (const auto& picture : preview.Host->Pictures) {
    EXPECT_EQ(At(*picture, 50, 19), kBlack);  // pen 2: rows 19 and 20
    EXPECT_EQ(At(*picture, 79, 50), kBlack);
    EXPECT_EQ(At(*picture, 50, 79), kBlack);
    EXPECT_EQ(At(*picture, 19, 50), kBlack);
  }
}

TEST(PreviewThread, GridSwitchIsLiveWhileColoursComeFromTheCopy) {
  Preview preview(Doc({}, {}, 100, Grid(kBlue)));
  for (const auto& [doc, expected] :
       {std::pair{Doc({}, {}, 100, Grid(kRed)), kBlue}, {Doc({}, {}, 100), kWhite}}) {
    preview.Host->Publish(doc);
    auto picture = NewPicture(100, 100, 16);
    preview.Thread->DrawFirstIteration(picture->Graphics());
    EXPECT_EQ(At(*picture, 25, 10), expected);
  }
}

TEST(PreviewThread, EachRoundTakesTheNewestSettings) {
  Preview preview(Koch(60));
  preview.Host->Publish(Koch(60, [](SettingSet& s) {
    s.Colors[1] = kBlue;
    s.Colors[3] = kGreen;
  }));
  ASSERT_TRUE(preview.RunToEnd());
  const auto& pictures = preview.Host->Pictures;
  ASSERT_EQ(pictures.size(), 4u);
  EXPECT_EQ(At(*pictures[0], 10, 29), kBlack);  // the path in the constructor's copy
  for (std::size_t i = 1; i < pictures.size(); ++i) EXPECT_EQ(At(*pictures[i], 10, 29), kBlue);
  EXPECT_EQ(At(*pictures[0], 10, 24), kWhite);  // the peak of the first third's copy
  EXPECT_EQ(At(*pictures.back(), 10, 24), kGreen);
}

TEST(PreviewThread, PictureThatCannotBeMadeEndsTheBodyQuietly) {
  for (Integer size : {0, -5, 100000}) {
    Preview preview(Koch(size));
    ASSERT_TRUE(preview.RunToEnd());
    EXPECT_TRUE(preview.Host->Effects.empty());
  }
}

TEST(PreviewThread, KilledThreadShowsNothingMore) {
  Preview preview(Endless());
  preview.Thread->Run();
  ASSERT_TRUE(preview.Delivered(Iteration(12)));
  // Kill while effects are queued: posted before the kill, never seen after it.
  ASSERT_TRUE(test::Eventually([&] { return preview.Host->Queue.Size() > 0; }));
  const auto effects = preview.Host->Effects;
  const auto pic = preview.Thread->CurrentPic();
  const auto render = preview.Thread->Iteration();
  preview.Thread->Kill();
  ASSERT_TRUE(preview.DrainUntil([&] { return preview.Thread->WaitUntilEnded(1ms); }));
  preview.Host->Queue.Drain();
  EXPECT_EQ(preview.Host->Effects, effects);
  EXPECT_EQ(preview.Thread->CurrentPic(), pic);
  EXPECT_EQ(preview.Thread->Iteration(), render);
}

// The window may close after the body has returned but before its last
// effects were delivered; a kill through the base class is the same kill.
TEST(PreviewThread, KillAfterTheEndDropsWhatIsStillQueued) {
  Preview preview(Koch(60));
  preview.Thread->Run();
  ASSERT_TRUE(preview.Thread->WaitUntilEnded(60s));
  static_cast<Thread&>(*preview.Thread).Kill();
  EXPECT_GT(preview.Host->Queue.Drain(), 0u);
  EXPECT_TRUE(preview.Host->Effects.empty());
  EXPECT_EQ(preview.Thread->CurrentPic(), nullptr);
}

TEST(PreviewThread, SuspendedThreadWaitsUntilResumed) {
  Preview preview(Endless());
  preview.Thread->Run();
  ASSERT_TRUE(preview.Delivered(Iteration(14)));
  preview.Thread->Suspend();
  // What has been delivered and drawn: still, once the thread waits at a yield.
  const auto seen = [&preview] {
    preview.Host->Queue.Drain();
    return std::pair{preview.Host->Effects.size(), preview.Thread->Iteration()->CurrentProgress()};
  };
  ASSERT_TRUE(test::Eventually([&] { return preview.Thread->Parked(); }));
  const auto before = seen();
  EXPECT_EQ(preview.Thread->State(), Thread::Suspended);
  EXPECT_EQ(seen(), before);
  preview.Thread->Resume();
  EXPECT_TRUE(preview.DrainUntil([&] { return seen() != before; }));
}

}  // namespace
}  // namespace vantrel
