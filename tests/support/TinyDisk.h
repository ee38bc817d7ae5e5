#pragma once
// A small file system of a test's own, to run out of room or of inodes for
// real. It is mounted in a mount namespace private to this process, taken
// once by the thread that runs the tests (only that thread and the threads
// it starts afterwards see the disk): the kernel drops the mount with the
// process even when a test crashes, and the destructor unmounts it anyway.
// Mounting needs root; elsewhere Active() is false and Why() says why.
#include <fcntl.h>
#include <sched.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace vantrel::test {

class TinyDisk {
 public:
  // type and options as mount -t and -o take them, e.g. "tmpfs" with
  // "size=256k,nr_inodes=16" (give both limits: tmpfs defaults to half the
  // memory).
  TinyDisk(const char* type, const std::string& options) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-disk-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      why_ = std::string("no folder to mount on: ") + std::strerror(errno);
      return;
    }
    root_ = pattern;
    const int error = OwnMounts();
    if (error != 0 || mount(type, root_.c_str(), type, MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
      why_ = std::string("cannot mount a ") + type + " here: " + std::strerror(error ? error : errno);
      return;
    }
    mounted_ = true;
  }
  ~TinyDisk() {
    if (mounted_) umount2(root_.c_str(), MNT_DETACH);
    if (!root_.empty()) rmdir(root_.c_str());
  }
  TinyDisk(const TinyDisk&) = delete;
  TinyDisk& operator=(const TinyDisk&) = delete;

  bool Active() const noexcept { return mounted_; }
  const std::string& Why() const noexcept { return why_; }
  const std::filesystem::path& Root() const noexcept { return root_; }

  // Takes every free inode with empty files.
  void UseAllInodes() const {
    for (int i = 0;; ++i) {
      const int fd = open((root_ / ("filler-" + std::to_string(i))).c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
      if (fd < 0) return;
      close(fd);
    }
  }
  // Takes all free room with one file.
  void UseAllRoom() const {
    static const char block[4096] = {};
    const int fd = open((root_ / "filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    while (fd >= 0 && write(fd, block, sizeof block) > 0) {
    }
    if (fd >= 0) close(fd);
  }

 private:
  static int OwnMounts() {
    static const int error = [] {
      if (unshare(CLONE_NEWNS) != 0) return errno;
      // Where / is shared, a mount made here would reach the system's
      // namespace after all.
      return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 ? 0 : errno;
    }();
    return error;
  }

  std::filesystem::path root_;
  std::string why_;
  bool mounted_ = false;
};

}  // namespace vantrel::test
