// The live preview driven through the document window: what the thread's
// effects do to the status line, the bar and the canvas, Stop, restarts that
// end the thread before, and closing the window while a preview runs. The
// rounds themselves are the preview thread's tests.
#include <QTest>
#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "DocumentWindowFixture.h"
#include "editor/PreviewThreadClass.h"
#include "platform/core/Picture.h"
#include "platform/core/Thread.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/ProgressBar.h"
#include "platform/qt/StaticText.h"
#include "platform/qt/Timer.h"

namespace vantrel::test {
namespace {

using namespace std::chrono_literals;
using Points = std::vector<double>;

const std::string kIteration = "Drawing Preview: Iteration ";
const std::string kStopped = "Rendering stopped";
constexpr int kDeadlineMs = 60000;

bool SamePixels(const Picture& a, const Picture& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         std::memcmp(a.Bits(), b.Bits(), sizeof(std::uint16_t) * a.Width() * a.Height()) == 0;
}

class PreviewWindowTest : public DocumentWindowFixture {
 protected:
  void SetUp() override {
    DocumentWindowFixture::SetUp();
    w = NewDoc();
    // The tests start each preview and move the bar themselves.
    w->ControlNamed<Timer>("Timer1").Mode(Timer::kOff);
    w->ControlNamed<Timer>("Timer2").Mode(Timer::kOff);
    Settle();
  }

  std::string Status() const { return w->ControlNamed<StaticText>("StatusText").Text(); }
  ProgressBar& Bar() const { return w->ControlNamed<ProgressBar>("ProgressBar1"); }

  // Puts the path in place and restarts the preview, as an edit would.
  void Preview(Points xs, Points ys) {
    w->SelectedPoints.assign(xs.size(), false);
    w->Xpoints = std::move(xs);
    w->Ypoints = std::move(ys);
    w->Preview();
  }
  // Thirds with a peak across the view: shrinks by three a level.
  void Koch() {
    const double peak = 0.5 - std::sqrt(3.0) / 6.0;
    Preview({0, 1.0 / 3, 0.5, 2.0 / 3, 1}, {0.5, 0.5, peak, 0.5, 0.5});
  }
  // Segments of twice and once the chord: the work doubles every round, for good.
  void Endless() { Preview({0.1, 0.9, 0.5}, {0.5, 0.5, 0.5}); }

  bool RoundUnderWay(int depth) {
    return QTest::qWaitFor(
        [&] {
          return Status().starts_with(kIteration) &&
                 std::stoi(Status().substr(kIteration.size())) >= depth && Bar().Visible();
        },
        kDeadlineMs);
  }
  // Waits for the current thread's body to end and its effects to land.
  bool Finished() {
    const bool ended = w->PreviewThread->WaitUntilEnded(std::chrono::milliseconds(kDeadlineMs));
    Settle();
    return ended;
  }

  std::shared_ptr<DrawingWindow> w;
};

TEST_F(PreviewWindowTest, AShrinkingPathCompletesAndTheCanvasPaintsItsLastRound) {
  Koch();
  ASSERT_TRUE(Finished());
  // 315 pixels over thirds: segments of 3.9 pixels at depth 4 still reach
  // the limit, those of 1.3 at depth 5 do not.
  EXPECT_EQ(Status(), "Drawing Preview: Complete (5 Iterations)");
  EXPECT_FALSE(Bar().Visible());
  const auto pic = w->PreviewThread->CurrentPic();
  ASSERT_NE(pic, nullptr);
  EXPECT_TRUE(SamePixels(*w->FracCan().Backing(), *pic));
  auto painted = NewPicture(pic->Width(), pic->Height(), 16);
  painted->Graphics().ForeColor = Color{0, 0, 255};
  painted->Graphics().FillRect(0, 0, pic->Width(), pic->Height());
  w->FracCan_Paint(painted->Graphics());
  EXPECT_TRUE(SamePixels(*painted, *pic));

  // Stop after the end changes nothing; the finished round fills the bar.
  w->StopBTN_Action();
  EXPECT_EQ(Status(), "Drawing Preview: Complete (5 Iterations)");
  w->Timer1_Action();
  EXPECT_EQ(Bar().Value(), 0) << "a hidden bar is left alone";
  Bar().Visible(true);
  w->Timer1_Action();
  EXPECT_EQ(Bar().Value(), 1000);
}

TEST_F(PreviewWindowTest, StopEndsARunningPreviewForGood) {
  Endless();
  ASSERT_TRUE(RoundUnderWay(3));
  for (int i = 0; i < 3; ++i, Settle()) {
    w->Timer1_Action();
    EXPECT_TRUE(Bar().Visible());
    EXPECT_GE(Bar().Value(), 0);
    EXPECT_LE(Bar().Value(), 1000);
  }
  const auto thread = w->PreviewThread;
  w->StopBTN_Action();
  EXPECT_EQ(Status(), kStopped);
  EXPECT_FALSE(Bar().Visible());
  EXPECT_TRUE(thread->WaitUntilEnded(10s));
  // Neither what the thread had posted nor the progress timer brings
  // anything back.
  Settle();
  EXPECT_EQ(Status(), kStopped);
  w->Timer1_Action();
  Settle();
  EXPECT_EQ(Status(), kStopped);
  EXPECT_FALSE(Bar().Visible());
}

TEST_F(PreviewWindowTest, ARestartEndsTheThreadBeforeWhateverItsState) {
  Endless();
  ASSERT_TRUE(RoundUnderWay(3));
  const auto old = w->PreviewThread;
  const std::string before = Status();
  // Two points: the new thread writes no text, so any change would be the old one's.
  Preview({0.2, 0.8}, {0.5, 0.5});
  EXPECT_TRUE(old->WaitUntilEnded(10s));
  Settle();  // delivers whatever the old thread had posted
  EXPECT_EQ(Status(), before);
  // The old thread left the bar on; the new one has no round, so the
  // progress timer takes it down.
  EXPECT_TRUE(Bar().Visible());
  w->Timer1_Action();
  EXPECT_FALSE(Bar().Visible());

  // Left suspended, a replaced thread would wait for a Resume that never comes.
  Endless();
  ASSERT_TRUE(RoundUnderWay(2));
  const auto suspended = w->PreviewThread;
  suspended->Suspend();
  ASSERT_EQ(suspended->State(), Thread::Suspended);
  w->Preview();
  EXPECT_TRUE(suspended->WaitUntilEnded(10s));
}

TEST_F(PreviewWindowTest, TheThreadStartsFromTheCanvasAsFitted) {
  // Off its fitted size, but the view was last fitted to 315 x 315: Preview
  // refits the canvas without a Resized, and the thread must still see 315.
  w->FracCan().Height(150);
  Koch();
  ASSERT_TRUE(Finished());
  EXPECT_EQ(w->PreviewThread->CurrentPic()->Height(), 315);
}

TEST_F(PreviewWindowTest, ClosingTheWindowWhileAPreviewRunsIsSafe) {
  auto doc = DrawingWindow::NewDocument("Closing");
  doc->ControlNamed<Timer>("Timer2").Mode(Timer::kOff);
  doc->SelectedPoints.assign(3, false);
  doc->Xpoints = {0.1, 0.9, 0.5};
  doc->Ypoints = {0.5, 0.5, 0.5};
  doc->Preview();
  const auto thread = doc->PreviewThread;
  ASSERT_TRUE(QTest::qWaitFor([&] { return thread->Iteration() != nullptr; }, kDeadlineMs));

  doc->Close();
  EXPECT_TRUE(thread->WaitUntilEnded(10s));
  doc->Preview();
  EXPECT_EQ(doc->PreviewThread, thread) << "a closed window starts no thread";

  // The thread outlives its window; it still reads the last snapshot.
  const std::weak_ptr<DrawingWindow> gone = doc;
  doc.reset();
  Settle();
  ASSERT_TRUE(gone.expired());
  auto picture = NewPicture(315, 315, 16);
  thread->DrawFirstIteration(picture->Graphics());
  EXPECT_NE(picture->PixelColor(157, 157), (Color{255, 255, 255})) << "the path is drawn";
}

}  // namespace
}  // namespace vantrel::test
