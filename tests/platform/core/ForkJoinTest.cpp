// Fork-join: every part runs once and at the same time as the others, a
// part's failure reaches the caller, and a worker thread waiting for its
// parts still dies at a kill, taking its parts down with it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/core/ForkJoin.h"
#include "platform/core/Thread.h"
#include "support/Eventually.h"

namespace vantrel {
namespace {

using namespace std::chrono_literals;

TEST(ForkJoin, RunsEveryPartOnceAllAtOnce) {
  constexpr std::size_t kParts = 4;
  std::vector<int> runs(kParts, 0);
  std::atomic<std::size_t> arrived{0};
  std::atomic<bool> apart{false};  // one part gave up, so the others wait no more
  ForkJoin::Run(kParts, [&](std::size_t part, const ForkJoin::GoOn& goOn) {
    ++runs[part];
    // Each part waits for all the others: only parts that run at once pass.
    ++arrived;
    if (!test::Eventually([&] { return arrived.load() >= kParts || apart || !goOn(); })) {
      apart = true;
    }
  });
  EXPECT_EQ(runs, std::vector<int>(kParts, 1));
  EXPECT_FALSE(apart) << "the parts did not all run at once";

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
      // Bounded, so parts a broken kill never stops still end.
      test::Eventually([&goOn] { return !goOn(); });
      --partsLeft;
    });
  }
};

TEST(ForkJoin, AKilledCallerStopsItsPartsAndEnds) {
  auto thread = std::make_shared<Forking>();
  thread->Run();
  ASSERT_TRUE(test::Eventually([&] { return thread->partsStarted.load(); }))
      << "the parts never started";
  thread->Kill();
  ASSERT_TRUE(thread->WaitUntilEnded(10s));
  EXPECT_EQ(thread->partsLeft.load(), 0) << "the parts ended before the caller did";
}

}  // namespace
}  // namespace vantrel
