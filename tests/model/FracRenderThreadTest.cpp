// The renderer on the program's worker threads: progress can be read while it
// draws, and a kill stops it within a yield interval's worth of lines.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>

#include "RenderSupport.h"
#include "support/Eventually.h"
#include "support/OnExit.h"

namespace vantrel {
namespace {

using testing::CentredView;
using testing::Path;
using testing::View;

// Runs body on a thread with the stack the preview and render threads are given.
std::shared_ptr<testing::FunctionThread> OnWorker(std::function<void()> body) {
  auto thread = std::make_shared<testing::FunctionThread>(std::move(body));
  thread->StackSize = 963764;
  thread->Run();
  return thread;
}

// True once flag is set; false after the tests' patience has run out.
bool Spin(const std::atomic<bool>& flag) {
  return test::Eventually([&flag] { return flag.load(); });
}

// Ends a worker that borrows the test's locals before they go, also when the
// test fails half-way: kills it and waits for it, at most the tests' patience.
auto StopOnExit(const std::shared_ptr<testing::FunctionThread>& thread) {
  return test::OnExit([thread] {
    thread->Kill();
    thread->WaitUntilEnded(test::kPatience);
  });
}

TEST(FracRenderThreadTest, ProgressIsReadableWhileDrawing) {
  auto picture = NewPicture(1000, 1000, 16);
  const Path peano = testing::Peano();
  const View view = CentredView(1000, 950);
  FracRender render(picture->Graphics(), view.X1, view.X2, view.Y1, view.Y2, peano.Xs, peano.Ys,
                    500);
  // Half-way through, the drawing waits until the reader has looked.
  std::atomic<bool> paused{false}, resume{false};
  UInt64 lines = 0;
  render.ObserveLines([&](Integer, Integer, Integer, Integer) {
    if (++lines == 250000) {
      paused.store(true);
      Spin(resume);  // a test that fails early opens it on its way out
    }
  });
  auto thread = OnWorker([&] { render.Draw(); });
  const auto stop = StopOnExit(thread);
  const test::OnExit open([&resume] { resume.store(true); });
  const UInt64 max = render.ProgressMax();
  UInt64 last = 0;
  // Counters and pixels are read while the worker writes them.
  auto look = [&] {
    const UInt64 now = render.CurrentProgress();
    EXPECT_GE(now, last);
    EXPECT_LE(now, max);
    last = now;
    (void)picture->Pixel(500, 500);
  };
  ASSERT_TRUE(test::Eventually([&] { return look(), paused.load(); }))
      << "the drawing never paused";
  look();
  EXPECT_FALSE(render.IterationMaxed());
  resume.store(true);
  ASSERT_TRUE(test::Eventually([&] {
    return look(), thread->WaitUntilEnded(std::chrono::milliseconds(0));
  })) << "the drawing never ended";
  look();
  EXPECT_EQ(last, max);
  EXPECT_EQ(render.LinesDrawn(), 531441u);
}

// Lines drawn from the kill, made as the worker draws its first line, until
// it stops: a yield interval's worth from the start of the walk. The drawing
// never finishes.
UInt64 LinesAfterKill(const Path& path, const View& view, Integer width, Integer height,
                      testing::Pen pen) {
  auto picture = NewPicture(width, height, 16);
  Thread* self = nullptr;
  UInt64 lines = 0;
  bool completed = false;
  auto thread = std::make_shared<testing::FunctionThread>([&] {
    FracRender render(picture->Graphics(), view.X1, view.X2, view.Y1, view.Y2, path.Xs, path.Ys,
                      500);
    testing::SetPen(picture->Graphics(), pen);
    render.Drawingcomplete = [&completed] { completed = true; };
    render.ObserveLines([&](Integer, Integer, Integer, Integer) {
      if (lines++ == 0) self->Kill();
    });
    render.Draw();
  });
  self = thread.get();
  thread->StackSize = 963764;
  const auto stop = StopOnExit(thread);
  thread->Run();
  EXPECT_TRUE(thread->WaitUntilEnded(std::chrono::seconds(30)));
  EXPECT_FALSE(completed);
  return lines;
}

TEST(FracRenderThreadTest, AKilledDrawingStopsWithinAYieldsWorthOfLinesForAnyPen) {
  // A line that doubles back on itself, five copies of 0.85 to 0.9 of the
  // chord: some 5^55 lines along one row of a picture eight pixels high, each
  // copy's leaves drawn or counted at once. Its subtrees reach far beyond
  // their copies, so none is walked as a whole inside: a 1-pixel pen draws
  // the leaves of every copy in one go, a thick pen one by one.
  const Path backAndForth{{0, 0.9, 0.05, 0.95, 0.1, 1}, {0, 0, 0, 0, 0, 0}};
  const View view{-0.005, 1.005, -4.5 / 1000, 3.5 / 1000};
  const auto budget = static_cast<UInt64>(FracRender::kYieldWork);
  EXPECT_LE(LinesAfterKill(backAndForth, view, 1010, 8, {1, 1}), budget);
  // A line of a 3 x 3 pen costs nine times the work: the budget holds in
  // pen pixels.
  EXPECT_LE(LinesAfterKill(backAndForth, view, 1010, 8, {3, 3}) * 9, budget);
}

}  // namespace
}  // namespace vantrel
