#pragma once
// Real OS threads with cooperative kill and pause points.
//
// Yield() is where a thread may be killed or paused: Kill makes the thread
// unwind at its next Yield (by throwing ThreadKilled, which only the thread's
// own start routine catches), Suspend makes it wait there until Resume. On a
// thread not started by this class (the event thread, plain tests) Yield costs
// one thread-local load.
//
// A worker reaches its window only through Deliver, and Kill drops whatever
// it delivered that has not arrived yet. Kill is one non-virtual function, so
// a worker is killed the same way through any reference to it.
//
// A Thread is always owned by std::shared_ptr (create it with
// std::make_shared): Run keeps the object alive until its body returns, so the
// owner may drop its reference while the OS thread is still winding down.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "Numbers.h"

namespace vantrel {

// Thrown by Yield in a killed thread. Deliberately not a std::exception, so a
// catch of std::exception in program code cannot swallow it.
struct ThreadKilled {};

class Thread : public std::enable_shared_from_this<Thread> {
 public:
  enum StateValue : Integer { Running = 0, Suspended = 2, NotRunning = 4 };

  Thread() = default;
  virtual ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Set before Run. StackSize in bytes is given to the OS thread (0: the
  // system default). Priority is kept for the program's use; the OS scheduler
  // treats every thread alike.
  Integer Priority = 5;
  Integer StackSize = 0;

  // Any thread: runs call later on the event thread, in posting order.
  using Post = std::function<void(std::function<void()> call)>;

  // Starts OnRun on a new OS thread. Does nothing while the thread runs.
  // Throws std::system_error when the OS refuses a thread.
  void Run();
  // Never blocks: the thread ends at its next Yield and runs nothing after
  // it, and every effect it delivered that has not arrived yet is dropped,
  // also when the body has already returned (a window may close between its
  // worker's last post and that post's arrival).
  void Kill() noexcept;
  // From Kill until the next Run.
  bool Killed() const noexcept;
  void Suspend() noexcept;
  void Resume() noexcept;
  // 0 running, 2 suspended, 4 not started or ended.
  Integer State() const noexcept;
  // True while the body waits at a Yield for Resume: from then on it runs
  // nothing until resumed or killed, which a test can wait for.
  bool Parked() const noexcept { return parked_.load(std::memory_order_acquire); }

  // Blocks until the body has returned (or timeout). For tests and shutdown,
  // never for event handlers. True when the thread has ended.
  bool WaitUntilEnded(std::chrono::milliseconds timeout) const;

 protected:
  // The thread body (the framework's Run event).
  virtual void OnRun() = 0;

  // Hands effect to post; it runs at delivery only if Kill has not been
  // called by then. Kill and deliveries both run on the event thread, so no
  // effect is seen after a kill, not even one posted just before it. The
  // posted call keeps this object alive until it has run.
  void Deliver(const Post& post, std::function<void()> effect);

  // For workers' constructors: a missing collaborator fails at once, on the
  // caller's thread, rather than as a null dereference in the body.
  template <class T>
  static T Required(T value, const char* what) {
    if (!value) throw std::invalid_argument(what);
    return value;
  }

 private:
  friend void Yield();
  static void* Start(void* self);
  void CheckPoint();

  mutable std::mutex mutex_;
  mutable std::condition_variable wake_;
  std::atomic<bool> killed_{false};
  std::atomic<bool> suspended_{false};
  std::atomic<bool> running_{false};
  std::atomic<bool> parked_{false};
};

// The kill and pause point of the calling thread.
void Yield();

// Pixels a thread may write between two yields. One drawing call can cover a
// whole picture (a wide pen, a big rectangle), so drawing charges what it
// writes here rather than relying on its callers' yields between calls: a
// kill then lands within about a millisecond whatever is drawn.
inline constexpr std::int64_t kPixelsPerYield = std::int64_t{1} << 18;

// Charges pixels written by the calling thread and yields each time
// kPixelsPerYield of them have been written since the last such yield.
void YieldForPixels(std::int64_t pixels);

// Blocks until every thread started by this class has ended (or timeout).
// The program calls it once the event loop has returned, so no worker is
// still unwinding while static objects are destroyed. True when none runs.
bool WaitForAllThreads(std::chrono::milliseconds timeout);

}  // namespace vantrel
