// The renderer on the program's worker threads: the deepest drawing fits the
// workers' stack, progress can be read while it draws, and a kill stops it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "RenderSupport.h"

namespace vantrel {
namespace {

using testing::CentredView;
using testing::FunctionThread;
using testing::Path;
using testing::View;

// The stack the preview and render threads are given.
constexpr Integer kWorkerStack = 963764;

struct DeepResult {
  bool maxed = false;
  UInt64 progress = 0;
  UInt64 progressMax = 0;
  std::size_t lines = 0;
};

template <class Render>
DeepResult DrawOnWorker(const Path& path, double chord) {
  auto picture = NewPicture(300, 300, 16);
  DeepResult result;
  auto thread = std::make_shared<FunctionThread>([&] {
    const View view = CentredView(300, chord);
    testing::RecordingGraphics g(picture.get());
    Render render(g, view.X1, view.X2, view.Y1, view.Y2, path.Xs, path.Ys, 500);
    render.Draw();
    if constexpr (std::is_same_v<Render, FracRender>) {
      result = {render.IterationMaxed(), render.CurrentProgress(), render.ProgressMax(),
                static_cast<std::size_t>(render.LinesDrawn())};
    } else {
      result = {render.IterationMaxed, render.CurrentProgress, render.ProgressMax, g.Lines.size()};
    }
  });
  thread->StackSize = kWorkerStack;
  thread->Run();
  EXPECT_TRUE(thread->WaitUntilEnded(std::chrono::minutes(2)));
  return result;
}

TEST(FracRenderThreadTest, DepthFiveHundredFitsTheWorkerStack) {
  for (const Path& path : {testing::TwoPoints(), testing::LongerThanChord()}) {
    const DeepResult fast = DrawOnWorker<FracRender>(path, 150);
    const DeepResult oracle = DrawOnWorker<OracleFracRender>(path, 150);
    EXPECT_TRUE(fast.maxed);
    EXPECT_TRUE(oracle.maxed);
    EXPECT_EQ(fast.progress, fast.progressMax);
    EXPECT_EQ(fast.lines, oracle.lines);
  }
}

TEST(FracRenderThreadTest, ProgressIsReadableWhileDrawing) {
  auto picture = NewPicture(1000, 1000, 16);
  const Path peano = testing::Peano();
  const View view = CentredView(1000, 950);
  std::atomic<FracRender*> shared{nullptr};
  std::atomic<bool> paused{false};
  std::atomic<bool> resume{false};
  std::atomic<bool> release{false};
  auto thread = std::make_shared<FunctionThread>([&] {
    FracRender render(picture->Graphics(), view.X1, view.X2, view.Y1, view.Y2, peano.Xs, peano.Ys,
                      500);
    // Half-way through, the drawing waits until the reader has looked.
    UInt64 lines = 0;
    render.ObserveLines([&](Integer, Integer, Integer, Integer) {
      if (++lines == 250000) {
        paused.store(true);
        while (!resume.load()) {
          std::this_thread::yield();
        }
      }
    });
    shared.store(&render);
    render.Draw();
    // Keep the object alive until the reader has taken its last look.
    while (!release.load()) {
      std::this_thread::yield();
    }
  });
  thread->StackSize = kWorkerStack;
  thread->Run();

  FracRender* render = nullptr;
  while ((render = shared.load()) == nullptr) {
    std::this_thread::yield();
  }
  const UInt64 max = render->ProgressMax();
  UInt64 last = 0;
  // Counters and pixels are read while the worker writes them.
  auto look = [&] {
    const UInt64 now = render->CurrentProgress();
    EXPECT_GE(now, last);
    EXPECT_LE(now, max);
    last = now;
    (void)picture->Pixel(500, 500);
  };
  while (!paused.load()) {
    look();
  }
  look();
  EXPECT_GT(last, 0u);
  EXPECT_LT(last, max);
  EXPECT_FALSE(render->IterationMaxed());
  resume.store(true);
  while (render->CurrentProgress() < max) {
    look();
  }
  EXPECT_EQ(render->CurrentProgress(), max);
  EXPECT_EQ(render->LinesDrawn(), 531441u);
  release.store(true);
  EXPECT_TRUE(thread->WaitUntilEnded(std::chrono::minutes(1)));
}

TEST(FracRenderThreadTest, KillStopsADrawingThatWouldNeverEnd) {
  // Two segments longer than the chord: 2^500 segments at limit 500.
  const Path endless{{0, 0.5, 1}, {0, -0.9, 0}};
  auto picture = NewPicture(300, 300, 16);
  std::atomic<bool> started{false};
  std::atomic<bool> finished{false};
  auto thread = std::make_shared<FunctionThread>([&] {
    const View view = CentredView(300, 100);
    FracRender render(picture->Graphics(), view.X1, view.X2, view.Y1, view.Y2, endless.Xs,
                      endless.Ys, 500);
    started.store(true);
    render.Draw();
    finished.store(true);
  });
  thread->StackSize = kWorkerStack;
  thread->Run();
  while (!started.load()) {
  }
  thread->Kill();
  EXPECT_TRUE(thread->WaitUntilEnded(std::chrono::seconds(30)));
  EXPECT_FALSE(finished.load());
}

}  // namespace
}  // namespace vantrel
