#pragma once
// For its lifetime, files this process writes cannot grow beyond a few bytes:
// a disk that fills part-way, which even root cannot write past. Writes
// beyond the limit fail with EFBIG instead of raising SIGXFSZ.
#include <signal.h>
#include <sys/resource.h>

namespace vantrel::test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : handler_(signal(SIGXFSZ, SIG_IGN)) {
    active_ = getrlimit(RLIMIT_FSIZE, &old_) == 0;
    rlimit small = old_;
    small.rlim_cur = bytes;
    active_ = active_ && setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit() {
    if (active_) setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  // False where the limit could not be set: the test then skips its check.
  bool Active() const noexcept { return active_; }

 private:
  rlimit old_{};
  sighandler_t handler_;
  bool active_ = false;
};

}  // namespace vantrel::test
