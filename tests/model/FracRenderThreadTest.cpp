// The renderer on the program's worker threads: progress can be read while it
// draws, and a kill stops it, even at the deepest level.
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
  // The bar moves evenly: it reads what the lines drawn so far stand for,
  // less what has not been published yet.
  EXPECT_NEAR(static_cast<double>(last) / static_cast<double>(max), 250000.0 / 531441.0, 0.02);
  EXPECT_FALSE(render.IterationMaxed());
  resume.store(true);
  ASSERT_TRUE(test::Eventually([&] {
    return look(), thread->WaitUntilEnded(std::chrono::milliseconds(0));
  })) << "the drawing never ended";
  look();
  EXPECT_EQ(last, max);
  EXPECT_EQ(render.LinesDrawn(), 531441u);
}

TEST(FracRenderThreadTest, KillStopsADrawingThatWouldNeverEnd) {
  // Two segments longer than the chord: 2^500 segments at limit 500. The
  // drawing reaches depth 500 within its first thousand steps, before it
  // first yields, so this also shows the deepest drawing fits a worker's stack.
  const Path endless{{0, 0.5, 1}, {0, -0.9, 0}};
  auto picture = NewPicture(300, 300, 16);
  std::atomic<bool> started{false}, finished{false};
  auto thread = OnWorker([&] {
    const View view = CentredView(300, 100);
    FracRender render(picture->Graphics(), view.X1, view.X2, view.Y1, view.Y2, endless.Xs,
                      endless.Ys, 500);
    started.store(true);
    render.Draw();
    finished.store(true);
  });
  const auto stop = StopOnExit(thread);
  ASSERT_TRUE(Spin(started)) << "the worker never started";
  thread->Kill();
  EXPECT_TRUE(thread->WaitUntilEnded(std::chrono::seconds(30)));
  EXPECT_FALSE(finished.load());
}

}  // namespace
}  // namespace vantrel
