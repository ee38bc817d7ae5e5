#pragma once
// Writing a whole file so that a failed save never costs the user the file
// that was there. Documents and pictures are both saved through it.
//
// The normal way is atomic: the bytes go to a temporary file beside the file
// and replace it by a rename only once they are all on the disk. Around that:
// - a symbolic link is followed (to the end of a chain): the file it points
//   to is written, the link stays a link;
// - an existing file that is write-protected is refused, whatever the user
//   may do with its folder: the user protected that file;
// - when the folder refuses the temporary file (no write permission there)
//   but the file itself is writable, the file is overwritten in place. Only
//   then can a failure part-way leave a damaged file, and the old content
//   stays as long as nothing new has been written over it.
// Every failure is reported with the file's name and the system's reason.
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
  // Without a successful Commit an atomic write leaves the target untouched.
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
  // True when the folder refused the temporary file and the file is being
  // overwritten where it stands.
  bool InPlace() const noexcept { return inPlace_; }

 private:
  FileWriter() = default;
  FileResult OpenTemporary();
  bool OpenInPlace();
  void Fail(const char* what, int reason);

  std::filesystem::path named_;   // as the user chose it: messages name it
  std::filesystem::path target_;  // the file written: links resolved
  std::filesystem::path temp_;
  int fd_ = -1;
  bool inPlace_ = false;
  bool committed_ = false;
  unsigned long long written_ = 0;
  FileResult status_;
};

}  // namespace vantrel
