#pragma once
// Writing a whole file so that a failed save never costs the user the file
// that was there. Documents and pictures are both saved through it.
//
// The normal way is atomic: the bytes go to a temporary file beside the file
// and replace it by a rename only once they are all on the disk. Around that:
// - a symbolic link is followed (to the end of a chain): the file it points
//   to is written, the link stays a link;
// - an existing target that is not a plain file (a folder, a pipe, a device)
//   is refused: a rename would put a plain file in its place;
// - an existing file that is write-protected is refused, whatever the user
//   may do with its folder: the user protected that file;
// - a file is overwritten where it stands in two cases only: it has another
//   name (a hard link), which a rename would leave holding the old content;
//   or its folder refuses the temporary file for lack of permission while
//   the file itself is writable. The new content is then collected in memory
//   and written at Commit, once room for all of it is reserved: a full disk
//   or quota fails before a byte of the old file is touched. A file system
//   that cannot reserve room is refused such a write. Any other reason the
//   temporary file cannot be made (no room, no inode, read-only) fails.
// Every failure is reported with the file's name and the system's reason;
// the old file is left as it was unless writing over it in place failed
// after the reservation (a disk error).
#include <sys/stat.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/core/FileResult.h"

namespace vantrel {

class FileWriter {
 public:
  // Fails when the file cannot be written at all.
  static Result<std::unique_ptr<FileWriter>> Open(const std::filesystem::path& path);
  // Without a successful Commit the target is left untouched.
  ~FileWriter();
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  // Failed once anything has failed (every later write is then ignored).
  const FileResult& Write(const char* data, std::size_t size);
  // Syncs the data and puts it in place. Fails when anything failed since
  // Open, with the first failure's message.
  FileResult Commit();
  // The first failure since Open, or success.
  const FileResult& Status() const noexcept { return status_; }
  // True when the file is overwritten where it stands at Commit.
  bool InPlace() const noexcept { return inPlace_; }

 private:
  FileWriter() = default;
  FileResult OpenOver(const struct stat& old);
  int OpenTemporary();
  int OpenInPlace();
  void WriteOut(const char* data, std::size_t size);
  void WriteInPlace();
  void Fail(const char* what, int reason);
  void Fail(const char* what, const std::string& reason);

  std::filesystem::path named_;   // as the user chose it: messages name it
  std::filesystem::path target_;  // the file written: links resolved
  std::filesystem::path temp_;
  int fd_ = -1;
  bool inPlace_ = false;
  bool committed_ = false;
  std::string content_;  // in place: everything written, held until Commit
  FileResult status_;
};

}  // namespace vantrel
