#include "platform/core/SaveThread.h"

#include <utility>

#include "platform/core/WaitableCount.h"

namespace vantrel {

namespace {

// Saves not yet ended.
WaitableCount& Pending() {
  static WaitableCount& pending = WaitableCount::New();
  return pending;
}

void CountPending(int change) { Pending().Add(change); }

}  // namespace

SaveThread::SaveThread(Job job, Post post, Done done)
    : job_(Required(std::move(job), "SaveThread: no job")),
      post_(Required(std::move(post), "SaveThread: no post")),
      done_(Required(std::move(done), "SaveThread: no done")) {
  CountPending(+1);
}

SaveThread::~SaveThread() { Ended(); }

void SaveThread::Ended() noexcept {
  if (counted_.exchange(false)) CountPending(-1);
}

void SaveThread::OnRun() {
  // Ends the count also when the body is killed at one of the job's yields.
  struct EndGuard {
    SaveThread& Save;
    ~EndGuard() { Save.Ended(); }
  } guard{*this};
  FileResult outcome = job_();
  // Posted before the count ends, so a program that waits for its saves
  // finds every outcome queued.
  Deliver(post_, [done = done_, outcome = std::move(outcome)] { done(outcome); });
}

void WaitForAllSaves() { Pending().WaitForZero(); }

}  // namespace vantrel
