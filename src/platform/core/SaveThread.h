#pragma once
// One save on a worker: runs a job that writes a file and hands its outcome
// to the event thread, so a large save never freezes the window that asked
// for it. The job reads only what it was given (an immutable picture or
// snapshot), never a window or live document data.
//
// A save is not killed when its window closes or the program quits: cut
// short, it would leave the user believing a file written that is not. It
// runs to its end (its FileWriter then either puts the file in place or
// removes its temporary file), and the program waits for every save before
// it exits (WaitForAllSaves). Its outcome is delivered even when the window
// that started it has closed meanwhile, so a failure is still told.
//
// Create with std::make_shared, then Run:
//   auto save = std::make_shared<SaveThread>(job, post, done);
//   save->Run();
#include <atomic>
#include <functional>

#include "platform/core/FileResult.h"
#include "platform/core/Thread.h"

namespace vantrel {

class SaveThread : public Thread {
 public:
  // Worker: the save itself.
  using Job = std::function<FileResult()>;
  // Event thread: the save has ended, well or not.
  using Done = std::function<void(const FileResult& outcome)>;

  // job, post and done must not be empty. The save counts as running from
  // here until its body ends or, never run, the object goes.
  SaveThread(Job job, Post post, Done done);
  ~SaveThread() override;

 protected:
  void OnRun() override;

 private:
  void Ended() noexcept;

  const Job job_;
  const Post post_;
  const Done done_;
  std::atomic<bool> counted_{true};
};

// Blocks until every save made so far has ended. The program calls it once
// its event loop has returned, then delivers what the saves posted.
void WaitForAllSaves();

}  // namespace vantrel
