#include "platform/core/Thread.h"

#include <limits.h>
#include <pthread.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <system_error>
#include <typeinfo>

#include "platform/core/WaitableCount.h"

namespace vantrel {

namespace {

// The Thread whose body runs on this OS thread; nullptr on every other
// thread, which makes Yield there a single thread-local load.
thread_local Thread* tCurrent = nullptr;
// Pixels the calling thread may still write before YieldForPixels yields.
thread_local std::int64_t tPixelsLeft = kPixelsPerYield;

// How many OS threads of this class are alive, for WaitForAllThreads.
WaitableCount& Live() {
  static WaitableCount& live = WaitableCount::New();
  return live;
}

void CountLive(int change) { Live().Add(change); }

std::size_t StackBytes(Integer requested) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  std::size_t bytes = static_cast<std::size_t>(requested);
  const auto minimum = static_cast<std::size_t>(PTHREAD_STACK_MIN);
  if (bytes < minimum) {
    bytes = minimum;
  }
  return (bytes + page - 1) / page * page;
}

// An exception escaping a thread body is a programming error. Unwinding on
// would leave the body's half-made work behind as if it had finished, so the
// program stops, saying what escaped.
[[noreturn]] void EscapedException() noexcept {
  try {
    throw;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vantrel: exception escaped a thread body (%s): %s\n", typeid(e).name(),
                 e.what());
  } catch (...) {
    std::fprintf(stderr, "vantrel: an unknown exception escaped a thread body\n");
  }
  std::fflush(stderr);
  std::terminate();
}

}  // namespace

Thread::~Thread() = default;

void Thread::Run() {
  // Throws std::bad_weak_ptr for a Thread not owned by std::shared_ptr, before
  // anything has changed.
  auto holder = std::make_unique<std::shared_ptr<Thread>>(shared_from_this());
  {
    std::lock_guard lock(mutex_);
    if (running_.load(std::memory_order_relaxed)) {
      return;
    }
    killed_.store(false, std::memory_order_relaxed);
    suspended_.store(false, std::memory_order_relaxed);
    running_.store(true, std::memory_order_release);
  }
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  int result = 0;
  if (StackSize > 0) {
    result = pthread_attr_setstacksize(&attributes, StackBytes(StackSize));
  }
  pthread_t id;
  if (result == 0) {
    CountLive(+1);
    result = pthread_create(&id, &attributes, &Thread::Start, holder.get());
    if (result != 0) CountLive(-1);
  }
  pthread_attr_destroy(&attributes);
  if (result != 0) {
    {
      std::lock_guard lock(mutex_);
      running_.store(false, std::memory_order_release);
    }
    wake_.notify_all();
    throw std::system_error(result, std::generic_category(), "Thread::Run");
  }
  holder.release();  // now owned by the new thread
}

void* Thread::Start(void* arg) {
  // The OS thread owns a reference until the body has returned, so the
  // owner may drop the Thread while it winds down.
  std::unique_ptr<std::shared_ptr<Thread>> holder(static_cast<std::shared_ptr<Thread>*>(arg));
  Thread& self = **holder;
  tCurrent = &self;
  try {
    self.OnRun();
  } catch (const ThreadKilled&) {
    // The normal end of a killed thread.
  } catch (...) {
    EscapedException();
  }
  tCurrent = nullptr;
  {
    std::lock_guard lock(self.mutex_);
    self.running_.store(false, std::memory_order_release);
    self.suspended_.store(false, std::memory_order_relaxed);
  }
  self.wake_.notify_all();
  holder.reset();  // possibly destroying the Thread
  CountLive(-1);
  return nullptr;
}

void Thread::Kill() noexcept {
  {
    // Set whether or not the body runs: its posts may still be on their way.
    std::lock_guard lock(mutex_);
    killed_.store(true, std::memory_order_release);
  }
  wake_.notify_all();  // a suspended thread wakes to die
}

bool Thread::Killed() const noexcept { return killed_.load(std::memory_order_acquire); }

void Thread::Deliver(const Post& post, std::function<void()> effect) {
  post([self = shared_from_this(), effect = std::move(effect)] {
    if (!self->Killed()) effect();
  });
}

void Thread::Suspend() noexcept {
  std::lock_guard lock(mutex_);
  if (running_.load(std::memory_order_relaxed) && !killed_.load(std::memory_order_relaxed)) {
    suspended_.store(true, std::memory_order_release);
  }
}

void Thread::Resume() noexcept {
  {
    std::lock_guard lock(mutex_);
    suspended_.store(false, std::memory_order_release);
  }
  wake_.notify_all();
}

Integer Thread::State() const noexcept {
  // A killed thread counts as ended at once: it runs no program code past
  // its next Yield, which is what its owner needs to know.
  if (!running_.load(std::memory_order_acquire) || killed_.load(std::memory_order_acquire)) {
    return NotRunning;
  }
  return suspended_.load(std::memory_order_acquire) ? Suspended : Running;
}

bool Thread::WaitUntilEnded(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return wake_.wait_for(lock, timeout,
                        [this] { return !running_.load(std::memory_order_relaxed); });
}

void Thread::CheckPoint() {
  if (killed_.load(std::memory_order_acquire)) {
    throw ThreadKilled{};
  }
  if (suspended_.load(std::memory_order_acquire)) {
    std::unique_lock lock(mutex_);
    parked_.store(true, std::memory_order_release);
    wake_.wait(lock, [this] {
      return !suspended_.load(std::memory_order_relaxed) || killed_.load(std::memory_order_relaxed);
    });
    parked_.store(false, std::memory_order_release);
    if (killed_.load(std::memory_order_relaxed)) {
      throw ThreadKilled{};
    }
  }
}

void Yield() {
  if (Thread* current = tCurrent) {
    current->CheckPoint();
  }
}

void YieldForPixels(std::int64_t pixels) {
  tPixelsLeft -= pixels;
  if (tPixelsLeft <= 0) {
    tPixelsLeft = kPixelsPerYield;
    Yield();
  }
}

bool WaitForAllThreads(std::chrono::milliseconds timeout) { return Live().WaitForZero(timeout); }

}  // namespace vantrel
