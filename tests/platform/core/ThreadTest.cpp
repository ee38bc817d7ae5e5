// Threads: kill and pause at Yield, shared ownership, stack size.
#include <gtest/gtest.h>
#include <pthread.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>

#include "platform/core/SaveThread.h"
#include "platform/core/Thread.h"
#include "support/Eventually.h"
#include "support/OnExit.h"

namespace vantrel {
namespace {

// Every thread started here, killed ones included, has ended once the tests
// are over: the program relies on WaitForAllThreads before it exits.
class ThreadsEnd : public ::testing::Environment {
  void TearDown() override { EXPECT_TRUE(WaitForAllThreads(std::chrono::seconds(30))); }
};
const auto* const kThreadsEnd = ::testing::AddGlobalTestEnvironment(new ThreadsEnd);

using namespace std::chrono_literals;

using test::Eventually;

// Counts its passes, yielding once per pass; waits without yielding while
// the gate is shut, at most the tests' patience, so a test that fails before
// it opens the gate leaves no thread behind for good.
class Counter : public Thread {
 public:
  std::atomic<long> passes{0};
  std::atomic<bool> stop{false}, gate{true}, finished{false};
  std::atomic<bool>* destroyed = nullptr;
  ~Counter() override {
    if (destroyed != nullptr) {
      *destroyed = true;
    }
  }

 protected:
  void OnRun() override {
    for (; !stop; ++passes, Yield()) {
      Eventually([this] { return gate.load(); });
    }
    finished = true;  // never reached by a killed body
  }
};

TEST(Thread, KillNeverWaitsAndTheBodyEndsAtItsNextYield) {
  auto thread = std::make_shared<Counter>();
  thread->gate = false;
  EXPECT_EQ(thread->State(), Thread::NotRunning);
  thread->Run();
  EXPECT_EQ(thread->State(), Thread::Running);
  thread->Kill();  // the body is busy between yields
  EXPECT_EQ(thread->State(), Thread::NotRunning);
  EXPECT_FALSE(thread->WaitUntilEnded(0ms));
  thread->Run();  // still winding down: no second body
  thread->gate = true;
  ASSERT_TRUE(thread->WaitUntilEnded(10s));
  EXPECT_EQ(thread->passes, 1);
  EXPECT_FALSE(thread->finished);
  thread->stop = true;
  thread->Run();  // an ended thread may run again; this body returns on its own
  ASSERT_TRUE(thread->WaitUntilEnded(10s));
  EXPECT_TRUE(thread->finished);
}

TEST(Thread, SuspendPausesAtYieldAndKillWakesItToDie) {
  auto thread = std::make_shared<Counter>();
  thread->Suspend();  // not running: ignored
  thread->Run();
  Yield();  // outside a Thread: nothing
  long parked = 0;
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(Eventually([&] { return thread->passes > parked + 10; }));
    thread->Suspend();
    EXPECT_EQ(thread->State(), Thread::Suspended);
    // At most the pass under way completes; then the body waits in Yield.
    const long limit = thread->passes + 1;
    ASSERT_TRUE(Eventually([&] { return thread->Parked(); }));
    parked = thread->passes;
    EXPECT_LE(parked, limit);
    if (round == 0) {
      thread->Resume();
      EXPECT_EQ(thread->State(), Thread::Running);
    } else {
      thread->Kill();
      ASSERT_TRUE(thread->WaitUntilEnded(10s));
      EXPECT_LE(thread->passes, parked);
      EXPECT_FALSE(thread->finished);
    }
  }
}

TEST(Thread, TheOwnerMayLetGoWhileTheThreadWindsDown) {
  std::atomic<bool> destroyed{false};
  auto thread = std::make_shared<Counter>();
  thread->destroyed = &destroyed;
  thread->gate = false;
  thread->Run();
  thread->Kill();
  std::atomic<bool>& gate = thread->gate;
  thread.reset();
  EXPECT_FALSE(destroyed);  // the OS thread still holds it
  gate = true;
  EXPECT_TRUE(Eventually([&] { return destroyed.load(); }));
}

// Delivers two effects, each counting its arrival, to a queue the test
// thread plays the event thread for.
class Poster : public Thread {
 public:
  int arrived = 0;  // touched only by deliveries, on the test thread
  // Runs the oldest posted call; false when none is queued.
  bool DeliverOne() {
    std::function<void()> call;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) return false;
      call = std::move(queue_.front());
      queue_.pop_front();
    }
    call();
    return true;
  }

 protected:
  void OnRun() override {
    const Post post = [this](std::function<void()> call) {
      std::lock_guard lock(mutex_);
      queue_.push_back(std::move(call));
    };
    for (int i = 0; i < 2; ++i) Deliver(post, [this] { ++arrived; });
  }

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> queue_;
};

TEST(Thread, KillThroughAnyReferenceDropsEveryPostStillOnItsWay) {
  auto poster = std::make_shared<Poster>();
  Thread& thread = *poster;
  thread.Run();
  ASSERT_TRUE(thread.WaitUntilEnded(10s));
  ASSERT_TRUE(poster->DeliverOne());
  thread.Kill();  // after the body has returned, through the base
  EXPECT_TRUE(thread.Killed());
  EXPECT_TRUE(poster->DeliverOne());
  EXPECT_EQ(poster->arrived, 1);
  // A new run is a new start: its posts arrive.
  thread.Run();
  ASSERT_TRUE(thread.WaitUntilEnded(10s));
  while (poster->DeliverOne()) {
  }
  EXPECT_EQ(poster->arrived, 3);
}

// Recurses until the stack holds `bytes` below `top`.
std::uintptr_t Descend(std::uintptr_t top, std::size_t bytes) {
  volatile char frame[512];
  frame[0] = 1;
  const auto here = reinterpret_cast<std::uintptr_t>(&frame[0]);
  return top - here >= bytes ? here : Descend(top, bytes) + frame[0] - 1;
}

class Deep : public Thread {
 public:
  std::atomic<std::size_t> stackSize{0};
  std::atomic<bool> reachedBottom{false};

 protected:
  void OnRun() override {
    pthread_attr_t attributes;
    std::size_t size = 0;
    pthread_getattr_np(pthread_self(), &attributes);
    pthread_attr_getstacksize(&attributes, &size);
    pthread_attr_destroy(&attributes);
    stackSize = size;
    volatile char top = 0;
    Descend(reinterpret_cast<std::uintptr_t>(&top), 800 * 1024);
    reachedBottom = true;
  }
};

TEST(Thread, HonoursTheStackSize) {
  auto thread = std::make_shared<Deep>();
  thread->StackSize = 963764;
  thread->Run();
  ASSERT_TRUE(thread->WaitUntilEnded(30s));
  EXPECT_TRUE(thread->reachedBottom);
  EXPECT_GE(thread->stackSize, 963764u);
  EXPECT_LT(thread->stackSize, 963764u + 128 * 1024);  // not the default of megabytes
}

class Throwing : public Thread {
  void OnRun() override { throw std::runtime_error("broken body"); }
};

// The program waits for its saves at exit: the wait ends only after the
// save's outcome has been posted, and neither a save never run nor one
// killed at a yield keeps it waiting.
TEST(SaveThread, WaitForAllSavesEndsWithTheOutcomePostedAndNeverHangs) {
  std::mutex mutex;
  std::deque<std::function<void()>> posted;
  const Thread::Post post = [&](std::function<void()> call) {
    std::lock_guard lock(mutex);
    posted.push_back(std::move(call));
  };
  std::atomic<bool> release{false};
  std::string told;
  auto save = std::make_shared<SaveThread>(
      [&release] {
        while (!release) Yield();
        return FileResult::Failed("disk full");
      },
      post, [&told](const FileResult& outcome) { told = outcome.Error(); });
  // A test that fails early lets the save end before the locals it posts to go.
  const test::OnExit open([&release, &save] {
    release = true;
    save->WaitUntilEnded(test::kPatience);
  });
  { auto never = std::make_shared<SaveThread>([] { return FileResult(); }, post,
                                              [](const FileResult&) {}); }
  auto killed = std::make_shared<SaveThread>(
      [] {
        for (;;) Yield();
        return FileResult();
      },
      post, [](const FileResult&) {});
  save->Run();
  killed->Run();
  killed->Kill();
  EXPECT_FALSE(test::ReturnsWithin(&WaitForAllSaves, 20ms)) << "a save still runs";
  release = true;
  ASSERT_TRUE(test::ReturnsWithin(&WaitForAllSaves)) << "the wait for the saves never ended";
  std::lock_guard lock(mutex);
  ASSERT_EQ(posted.size(), 1u);
  posted.front()();
  EXPECT_EQ(told, "disk full");
}

TEST(ThreadDeathTest, AnEscapingExceptionStopsTheProgramSayingWhat) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto thread = std::make_shared<Throwing>();
  EXPECT_DEATH((thread->Run(), thread->WaitUntilEnded(10s)), "escaped a thread body.*broken body");
}

}  // namespace
}  // namespace vantrel
