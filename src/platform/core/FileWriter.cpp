#include "platform/core/FileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
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
  const bool exists = ::stat(writer->target_.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return Failure("Could not create", path, "it is a folder");
  // Checked by its mode as well as by access(): root may write anything, but
  // a file without write permission is one its owner chose to protect.
  if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    return Failure("Could not replace", path, "the file is write-protected");
  }
  if (exists && ::access(writer->target_.c_str(), W_OK) != 0) {
    return Failure("Could not replace", path, Reason(errno));
  }
  const FileResult temporary = writer->OpenTemporary();
  if (temporary) {
    // The new file keeps the permissions of the one it replaces.
    if (exists) ::fchmod(writer->fd_, old.st_mode & 07777);
    return writer;
  }
  // Only a plain file is written in place: opening a pipe to write would
  // wait for a reader, on the event thread.
  if (exists && S_ISREG(old.st_mode) && writer->OpenInPlace()) return writer;
  return Failure("Could not create", path, temporary.Error());
}

FileResult FileWriter::OpenTemporary() {
  int reason = EEXIST;
  for (unsigned attempt = 0; attempt < 100 && reason == EEXIST; ++attempt) {
    temp_ = TemporaryName(target_, attempt);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    reason = fd_ >= 0 ? 0 : errno;
  }
  if (fd_ >= 0) return {};
  temp_.clear();
  return FileResult::Failed(Reason(reason));
}

bool FileWriter::OpenInPlace() {
  // Not truncated yet: until the new content is longer than a part of the
  // old, that part is still there. Commit cuts the file to its new length.
  fd_ = ::open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  inPlace_ = fd_ >= 0;
  return inPlace_;
}

FileWriter::~FileWriter() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
}

void FileWriter::Fail(const char* what, int reason) {
  if (status_) status_ = Failure(what, named_, Reason(reason));
}

const FileResult& FileWriter::Write(const char* data, std::size_t size) {
  while (status_ && !committed_ && size > 0) {
    const ssize_t done = ::write(fd_, data, size);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) {
      Fail("Could not write", done < 0 ? errno : ENOSPC);
      break;
    }
    data += done;
    size -= static_cast<std::size_t>(done);
    written_ += static_cast<unsigned long long>(done);
  }
  return status_;
}

FileResult FileWriter::Commit() {
  if (committed_ || fd_ < 0) return status_;
  if (status_ && inPlace_ && ::ftruncate(fd_, static_cast<off_t>(written_)) != 0) {
    Fail("Could not write", errno);
  }
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
