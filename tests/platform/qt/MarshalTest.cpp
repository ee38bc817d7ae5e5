// Calls made off the event thread are carried out on it, in order, and
// dropped once their window has closed. Runs under ThreadSanitizer: workers
// touch no Qt object, and every hand-over goes through the queue's mutex.
// The windows stay hidden: Qt's raster painting hands work to a thread pool of
// its own, whose (uninstrumented) locking ThreadSanitizer cannot see.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "TestWindows.h"
#include "platform/core/Picture.h"
#include "platform/core/Thread.h"
#include "platform/qt/EventQueue.h"
#include "platform/qt/EventThread.h"
#include "support/Eventually.h"

namespace vantrel::test {
namespace {

std::shared_ptr<Picture> Filled(Integer size, Color color) {
  std::shared_ptr<Picture> picture = NewPicture(size, size, 16);
  picture->Graphics().ForeColor = color;
  picture->Graphics().FillRect(0, 0, size, size);
  return picture;
}

TEST(EventQueue, KeepsEachThreadsOrderAndWakesOncePerBatch) {
  EventQueue queue;
  std::atomic<int> wakes{0};
  queue.SetWake([&] { ++wakes; });
  constexpr int kThreads = 4;
  constexpr int kCalls = 2000;
  std::vector<std::vector<int>> seen(kThreads);  // written only by the draining thread
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t) {
    workers.emplace_back([&, t] {
      for (int i = 0; i < kCalls; ++i) queue.Post([&seen, t, i] { seen[t].push_back(i); });
    });
  }
  std::size_t ran = 0;
  EXPECT_TRUE(Eventually([&] { return (ran += queue.Drain()) >= std::size_t{kThreads} * kCalls; }))
      << "only " << ran << " calls arrived";
  for (auto& worker : workers) worker.join();
  for (const auto& calls : seen) {
    ASSERT_EQ(calls.size(), std::size_t{kCalls});
    EXPECT_TRUE(std::is_sorted(calls.begin(), calls.end()));
  }
  EXPECT_GE(wakes.load(), 1);
  EXPECT_LE(wakes.load(), kThreads * kCalls);
}

TEST(EventQueue, ACallThatThrowsLeavesTheRestQueuedInOrder) {
  EventQueue queue;
  std::vector<int> ran;
  queue.Post([&] { ran.push_back(1); });
  queue.Post([] { throw std::runtime_error("handler failed"); });
  queue.Post([&] { ran.push_back(3); });
  queue.Post([&] { ran.push_back(4); });
  EXPECT_THROW(queue.Drain(), std::runtime_error);
  EXPECT_EQ(queue.Size(), 2u);
  queue.Drain();
  EXPECT_EQ(ran, (std::vector<int>{1, 3, 4}));
}

TEST(Marshalling, AWorkersControlCallsArriveInOrderOnTheEventThread) {
  auto window = std::make_shared<DocWindow>(false);
  auto& status = window->ControlNamed<StaticText>("StatusText");
  auto& bar = window->ControlNamed<ProgressBar>("ProgressBar1");
  auto& canvas = window->ControlNamed<Canvas>("FracCan");
  const auto red = Filled(10, RGB(255, 0, 0));
  const auto blue = Filled(10, RGB(0, 0, 255));
  Integer seenWidth = 0;
  std::thread worker([&] {
    seenWidth = canvas.Graphics().Width();  // mirrored: no Qt
    for (int i = 0; i < 100; ++i) status.Text("Iteration " + std::to_string(i));
    bar.Visible(true);
    canvas.Graphics().DrawPicture(red, 0, 0);
    canvas.Graphics().DrawPicture(blue, 5, 5);
    // A batch carries its own pen and lands whole, in its place in the order.
    canvas.Graphics().DrawAtOnce([](Graphics& g) {
      g.ForeColor = RGB(0, 255, 0);
      g.FillRect(6, 6, 2, 1);
      g.FillRect(6, 7, 1, 1);
    });
    bar.Value(500);
  });
  worker.join();
  EXPECT_EQ(seenWidth, 315);
  EXPECT_EQ(status.Text(), "Waiting") << "nothing happens before the event thread runs it";
  Settle();
  EXPECT_EQ(status.Text(), "Iteration 99");
  EXPECT_TRUE(bar.Visible());
  EXPECT_EQ(bar.Value(), 500);
  EXPECT_EQ(canvas.Backing()->PixelColor(2, 7), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Backing()->PixelColor(7, 7), RGB(0, 0, 255)) << "drawn in call order";
  EXPECT_EQ(canvas.Backing()->PixelColor(6, 7), RGB(0, 255, 0));
  EXPECT_EQ(canvas.Backing()->PixelColor(7, 6), RGB(0, 255, 0));
  window->Close();
  Settle();
}

TEST(Marshalling, AWorkerStopsTimersAndDrawsThroughTheWindowsSurface) {
  auto window = std::make_shared<DocWindow>(false);
  auto& timer = window->ControlNamed<Timer>("Timer1");
  auto& canvas = window->ControlNamed<Canvas>("FracCan");
  canvas.Left(10);
  const auto green = Filled(4, RGB(0, 255, 0));
  std::thread worker([&] {
    timer.Mode(Timer::kOff);
    window->Graphics().DrawPicture(green, 20, 20);  // window (20, 20) is canvas (10, 20)
  });
  worker.join();
  Settle();
  EXPECT_EQ(timer.Mode(), Timer::kOff);
  EXPECT_EQ(canvas.Backing()->PixelColor(10, 20), RGB(0, 255, 0));
  EXPECT_EQ(canvas.Backing()->PixelColor(20, 20), RGB(255, 255, 255));
  const int ticks = window->Ticks;
  ASSERT_TRUE(TwoPeriodsPass(20));
  EXPECT_EQ(window->Ticks, ticks);
  window->Close();
  Settle();
}

TEST(Marshalling, CallsForAWindowThatClosedOrWasDroppedMeanwhileFindNothing) {
  auto window = std::make_shared<DocWindow>(false);
  auto& status = window->ControlNamed<StaticText>("StatusText");
  std::thread worker([&] {
    status.Text("too late");
    window->ControlNamed<Canvas>("FracCan").Graphics().DrawPicture(NewPicture(5, 5, 16), 0, 0);
    window->Title("too late");
  });
  worker.join();
  window->Close();
  Settle();
  EXPECT_EQ(status.Text(), "Waiting");
  EXPECT_EQ(window->Title(), "Vantrel: Untitled");

  window = std::make_shared<DocWindow>(false);
  const std::weak_ptr<DocWindow> weak = window;
  StaticText* late = &window->ControlNamed<StaticText>("StatusText");
  std::thread([late] { late->Text("late"); }).join();
  window->Close();
  window.reset();
  Settle();  // runs the late call after the window object has gone
  EXPECT_TRUE(weak.expired());
}

// Hands an empty effect to the event thread over and over until killed.
class Poster : public Thread {
 public:
  std::atomic<int> Posts{0};

 protected:
  void OnRun() override {
    for (;;) {
      Deliver(&PostToEventThread, [] {});
      Posts.fetch_add(1, std::memory_order_relaxed);
      Yield();
    }
  }
};

// Last in this program on purpose: a window that closes as the tests end
// kills its worker, which may post once more while the program ends. The
// entry point waits for it, as the program's does, before static objects go;
// otherwise ThreadSanitizer sees the event queue destroyed under that post.
TEST(Marshalling, ZAWorkerKilledAsTheTestsEndIsWaitedForAtExit) {
  auto poster = std::make_shared<Poster>();
  poster->Run();
  const bool posting = QTest::qWaitFor(
      [&] { return poster->Posts.load(std::memory_order_relaxed) > 100; }, 10000);
  poster->Kill();  // also when the test fails: it would post for ever
  ASSERT_TRUE(posting);
}

}  // namespace
}  // namespace vantrel::test
