// Fork-join: every part runs once and at the same time as the others, a
// part's failure reaches the caller, and a worker thread waiting for its
// parts still dies at a kill, taking its parts down with it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/core/ForkJoin.h"
#include "platform/core/Thread.h"

namespace vantrel {
namespace {

using namespace std::chrono_literals;

TEST(ForkJoin, RunsEveryPartOnceAllAtOnce) {
  constexpr std::size_t kParts = 4;
  std::vector<int> runs(kParts, 0);
  std::atomic<std::size_t> arrived{0};
  ForkJoin::Run(kParts, [&](std::size_t part, const ForkJoin::GoOn& goOn) {
    ++runs[part];
    // Each part waits for all the others: only parts that run at once pass.
    ++arrived;
    while (arrived.load() < kParts && goOn()) std::this_thread::yield();
  });
  EXPECT_EQ(runs, std::vector<int>(kParts, 1));

  EXPECT_THROW(ForkJoin::Run(3,
                             [](std::size_t part, const ForkJoin::GoOn&) {
                               if (part == 2) throw std::runtime_error("part 2");
                             }),
               std::runtime_error);
}

// Waits in ForkJoin for parts that never finish on their own.
class Forking : public Thread {
 public:
  std::atomic<bool> partsStarted{false};
  std::atomic<int> partsLeft{0};

 protected:
  void OnRun() override {
    ForkJoin::Run(3, [this](std::size_t part, const ForkJoin::GoOn& goOn) {
      if (part == 0) return;  // the caller goes on to wait
      if (++partsLeft == 2) partsStarted = true;
      while (goOn()) std::this_thread::yield();
      --partsLeft;
    });
  }
};

TEST(ForkJoin, AKilledCallerStopsItsPartsAndEnds) {
  auto thread = std::make_shared<Forking>();
  thread->Run();
  while (!thread->partsStarted) std::this_thread::yield();
  thread->Kill();
  ASSERT_TRUE(thread->WaitUntilEnded(10s));
  EXPECT_EQ(thread->partsLeft.load(), 0) << "the parts ended before the caller did";
}

}  // namespace
}  // namespace vantrel
