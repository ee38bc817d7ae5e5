#include "platform/core/FileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <new>
#include <system_error>

namespace vantrel {

namespace fs = std::filesystem;

namespace {

// Linux gives up on a chain of links after 40; so do we.
constexpr int kMaxLinkDepth = 40;

std::string Reason(int error) { return std::generic_category().message(error != 0 ? error : EIO); }

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

FileResult Failure(const char* what, const fs::path& path, const std::string& why) {
  return FileResult::Failed(std::string(what) + " " + Quoted(path) + ": " + why);
}

// The file a path ends at after its links. A link to a file that does not
// exist yet gives that file's path, so a save creates it there.
bool FollowLinks(fs::path& path, int& reason) {
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return true;
    const fs::path next = fs::read_symlink(path, error);
    if (error) {
      reason = error.value();
      return false;
    }
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  reason = ELOOP;
  return false;
}

// A name beside the target that no other writer uses. Hidden, so a folder
// listing does not show it while it is being written; the target's name is
// cut so that the whole stays within the file system's name limit.
fs::path TemporaryName(const fs::path& target, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  const std::string base = target.filename().string().substr(0, 160);
  const unsigned serial = counter.fetch_add(1, std::memory_order_relaxed);
  return target.parent_path() / ("." + base + ".saving-" + std::to_string(getpid()) + "-" +
                                 std::to_string(serial) + "-" + std::to_string(attempt));
}

// Makes the rename itself durable. The file is already replaced when this
// runs, so a failure here is not reported as a failed save.
void SyncFolderOf(const fs::path& path) {
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

// Why an existing file may not be replaced at all, by its name as chosen.
FileResult Replaceable(const struct stat& old, const fs::path& target, const fs::path& named) {
  if (S_ISDIR(old.st_mode)) return Failure("Could not create", named, "it is a folder");
  // A rename would put a plain file where a pipe or a device was (for root,
  // even one under /dev), and writing into either is no save.
  if (!S_ISREG(old.st_mode)) return Failure("Could not replace", named, "it is not a plain file");
  // Checked by its mode as well as by access(): root may write anything, but
  // a file without write permission is one its owner chose to protect.
  if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    return Failure("Could not replace", named, "the file is write-protected");
  }
  if (::access(target.c_str(), W_OK) != 0) return Failure("Could not replace", named, Reason(errno));
  return {};
}

// Takes room for the first length bytes of fd's file before any old byte is
// overwritten, so that a full disk or quota fails while the old file is
// whole. Gives 0, or the reason with the file as it was.
int Reserve(int fd, std::size_t length) {
  if (length == 0) return 0;  // nothing to reserve, and fallocate refuses it
  struct stat before {};
  if (::fstat(fd, &before) != 0) return errno;
  int reason = 0;
  do {
    reason = ::fallocate(fd, 0, 0, static_cast<off_t>(length)) == 0 ? 0 : errno;
  } while (reason == EINTR);
  // A reservation that failed part-way may have lengthened the file.
  struct stat after {};
  if (reason != 0 && ::fstat(fd, &after) == 0 && after.st_size > before.st_size) {
    static_cast<void>(::ftruncate(fd, before.st_size));
  }
  return reason;
}

}  // namespace

Result<std::unique_ptr<FileWriter>> FileWriter::Open(const fs::path& path) {
  if (!path.has_filename()) return Failure("Could not create", path, "it is not a file name");
  std::unique_ptr<FileWriter> writer(new FileWriter());
  writer->named_ = path;
  writer->target_ = path;
  if (int reason = 0; !FollowLinks(writer->target_, reason)) {
    return Failure("Could not create", path, Reason(reason));
  }
  struct stat old {};
  if (::stat(writer->target_.c_str(), &old) != 0) {
    const int reason = writer->OpenTemporary();
    if (reason != 0) return Failure("Could not create", path, Reason(reason));
    return writer;
  }
  if (FileResult refused = Replaceable(old, writer->target_, path); !refused) return refused;
  const FileResult opened = writer->OpenOver(old);
  if (!opened) return opened;
  return writer;
}

FileResult FileWriter::OpenOver(const struct stat& old) {
  int reason = 0;
  if (old.st_nlink > 1) {
    // A rename would part the file from its other names, which would keep
    // the old content.
    reason = OpenInPlace();
  } else if ((reason = OpenTemporary()) == 0) {
    // The new file keeps the permissions of the one it replaces.
    ::fchmod(fd_, old.st_mode & 07777);
  } else if (reason == EACCES || reason == EPERM) {
    // Only the folder refuses: the file itself was found writable, so the
    // user may still save over it where it stands. Any other reason (no
    // room, no inode, a read-only disk) means the disk is in trouble, not
    // the user's rights: the save fails with the old file as it was.
    if (OpenInPlace() == 0) reason = 0;
  }
  if (reason == 0) return {};
  return Failure("Could not replace", named_, Reason(reason));
}

int FileWriter::OpenTemporary() {
  int reason = EEXIST;
  for (unsigned attempt = 0; attempt < 100 && reason == EEXIST; ++attempt) {
    temp_ = TemporaryName(target_, attempt);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    reason = fd_ >= 0 ? 0 : errno;
  }
  if (fd_ < 0) temp_.clear();
  return reason;
}

int FileWriter::OpenInPlace() {
  // Opened now, so that a file that cannot be written fails at once; not
  // cut, and written only at Commit. Non-blocking: should a pipe take the
  // file's place meanwhile, opening it does not wait for a reader.
  fd_ = ::open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  inPlace_ = fd_ >= 0;
  return inPlace_ ? 0 : errno;
}

FileWriter::~FileWriter() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
}

void FileWriter::Fail(const char* what, const std::string& reason) {
  if (status_) status_ = Failure(what, named_, reason);
}

void FileWriter::Fail(const char* what, int reason) { Fail(what, Reason(reason)); }

const FileResult& FileWriter::Write(const char* data, std::size_t size) {
  if (!status_ || committed_) return status_;
  if (!inPlace_) {
    WriteOut(data, size);
    return status_;
  }
  try {
    content_.append(data, size);
  } catch (const std::bad_alloc&) {
    Fail("Could not write", ENOMEM);
  }
  return status_;
}

void FileWriter::WriteOut(const char* data, std::size_t size) {
  while (status_ && size > 0) {
    const ssize_t done = ::write(fd_, data, size);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) {
      Fail("Could not write", done < 0 ? errno : ENOSPC);
      break;
    }
    data += done;
    size -= static_cast<std::size_t>(done);
  }
}

void FileWriter::WriteInPlace() {
  const int reason = Reserve(fd_, content_.size());
  if (reason == EOPNOTSUPP) {
    Fail("Could not replace",
         "it can only be overwritten where it stands, and its file system cannot reserve the "
         "room for that first");
  } else if (reason != 0) {
    Fail("Could not replace", reason);
  }
  if (!status_) return;
  WriteOut(content_.data(), content_.size());
  if (status_ && ::ftruncate(fd_, static_cast<off_t>(content_.size())) != 0) {
    Fail("Could not write", errno);
  }
}

FileResult FileWriter::Commit() {
  if (committed_ || fd_ < 0) return status_;
  if (status_ && inPlace_) WriteInPlace();
  // The data reaches the disk before it replaces the old file, so a power
  // failure cannot leave an empty document behind the rename.
  if (status_ && ::fsync(fd_) != 0) Fail("Could not write", errno);
  const int closed = ::close(fd_);
  const int closeReason = errno;
  fd_ = -1;
  if (closed != 0) Fail("Could not write", closeReason);
  if (status_ && !inPlace_ && ::rename(temp_.c_str(), target_.c_str()) != 0) {
    Fail("Could not replace", errno);
  }
  if (!status_) {
    // Nothing of a failed save stays behind in the user's folder.
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
    return status_;
  }
  committed_ = true;
  if (!inPlace_) SyncFolderOf(target_);
  return status_;
}

}  // namespace vantrel
