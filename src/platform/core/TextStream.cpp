#include "platform/core/TextStream.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string_view>
#include <system_error>

namespace vantrel {

namespace fs = std::filesystem;

namespace {

using Traits = std::char_traits<char>;

std::string Reason(int error) { return std::generic_category().message(error); }

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

void Report(std::string* error, std::string message) {
  if (error != nullptr) {
    *error = std::move(message);
  }
}

// Creates the file only if nothing of that name exists (libstdc++'s
// exclusive mode, "wbx"), so a temporary name never clobbers another file.
constexpr std::ios_base::openmode kExclusiveWrite =
    std::ios_base::out | std::ios_base::binary | std::ios_base::__noreplace;

// A name beside the target that no other writer uses. Hidden, so a folder
// listing does not show it while it is being written; the target's name is
// cut so that the whole stays within the file system's name limit.
fs::path TemporaryName(const fs::path& target, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  std::string base = target.filename().string().substr(0, 160);
  const unsigned serial = counter.fetch_add(1, std::memory_order_relaxed);
  return target.parent_path() / ("." + base + ".saving-" + std::to_string(getpid()) + "-" +
                                 std::to_string(serial) + "-" + std::to_string(attempt));
}

// Flushes the file's data to the disk before it replaces the old file, so a
// power failure cannot leave an empty document behind the rename.
int SyncFile(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return errno;
  }
  const int result = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return result;
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

// --- Input -------------------------------------------------------------------

TextInputStream::TextInputStream(std::unique_ptr<std::istream> in) : in_(std::move(in)) {}

std::unique_ptr<TextInputStream> TextInputStream::FromFile(const fs::path& path,
                                                           std::string* error) {
  std::error_code status;
  if (fs::is_directory(path, status)) {
    Report(error, "Could not open " + Quoted(path) + ": it is a folder");
    return nullptr;
  }
  auto file = std::make_unique<std::ifstream>(path, std::ios_base::in | std::ios_base::binary);
  if (!file->is_open()) {
    Report(error, "Could not open " + Quoted(path) + ": " + Reason(errno));
    return nullptr;
  }
  return std::unique_ptr<TextInputStream>(new TextInputStream(std::move(file)));
}

std::unique_ptr<TextInputStream> TextInputStream::FromString(std::string text) {
  return std::unique_ptr<TextInputStream>(
      new TextInputStream(std::make_unique<std::istringstream>(std::move(text))));
}

std::string TextInputStream::ReadLine() {
  std::string line;
  if (!in_) {
    return line;
  }
  std::streambuf& buffer = *in_->rdbuf();
  for (;;) {
    const Traits::int_type c = buffer.sbumpc();
    if (Traits::eq_int_type(c, Traits::eof()) || c == '\n') {
      break;
    }
    // CR alone ends a line as well: documents from older Mac systems use it.
    if (c == '\r') {
      if (buffer.sgetc() == '\n') {
        buffer.sbumpc();
      }
      break;
    }
    if (line.size() < kMaxLineBytes) {
      line.push_back(Traits::to_char_type(c));
    }
  }
  return line;
}

bool TextInputStream::EndOfFile() {
  return !in_ || Traits::eq_int_type(in_->rdbuf()->sgetc(), Traits::eof());
}

void TextInputStream::Close() { in_.reset(); }

// --- Output ------------------------------------------------------------------

std::unique_ptr<TextOutputStream> TextOutputStream::ToFile(const fs::path& path,
                                                           std::string* error) {
  if (!path.has_filename()) {
    Report(error, "Could not create " + Quoted(path) + ": it is not a file name");
    return nullptr;
  }
  std::error_code status;
  if (fs::is_directory(path, status)) {
    Report(error, "Could not create " + Quoted(path) + ": it is a folder");
    return nullptr;
  }
  std::unique_ptr<TextOutputStream> stream(new TextOutputStream());
  stream->toFile_ = true;
  stream->target_ = path;
  int reason = EEXIST;
  for (unsigned attempt = 0; attempt < 100 && reason == EEXIST; ++attempt) {
    stream->temp_ = TemporaryName(path, attempt);
    errno = 0;
    stream->file_.open(stream->temp_, kExclusiveWrite);
    reason = stream->file_.is_open() ? 0 : (errno != 0 ? errno : EIO);
  }
  if (reason != 0) {
    stream->toFile_ = false;  // nothing to clean up
    Report(error, "Could not create " + Quoted(path) + ": " + Reason(reason));
    return nullptr;
  }
  // The new file keeps the permissions of the one it replaces.
  const fs::file_status old = fs::status(path, status);
  if (!status && fs::exists(old)) {
    fs::permissions(stream->temp_, old.permissions(), status);
  }
  return stream;
}

std::unique_ptr<TextOutputStream> TextOutputStream::ToMemory() {
  return std::unique_ptr<TextOutputStream>(new TextOutputStream());
}

TextOutputStream::~TextOutputStream() {
  if (!toFile_ || (closed_ && !failed_)) {
    return;
  }
  if (file_.is_open()) {
    file_.close();
  }
  std::error_code ignored;
  fs::remove(temp_, ignored);
}

void TextOutputStream::WriteLine(const std::string& line) {
  if (closed_ || failed_) {
    return;
  }
  if (!toFile_) {
    memory_ << line << '\n';
    return;
  }
  errno = 0;
  file_.write(line.data(), static_cast<std::streamsize>(line.size()));
  file_.put('\n');
  if (!file_) {
    failed_ = true;
    error_ = "Could not write " + Quoted(target_) + ": " + Reason(errno != 0 ? errno : EIO);
  }
}

bool TextOutputStream::Close() {
  if (closed_) {
    return !failed_;
  }
  closed_ = true;
  if (!toFile_) {
    return true;
  }
  const auto fail = [this](const char* what, int reason) {
    if (!failed_) {
      failed_ = true;
      error_ =
          std::string(what) + " " + Quoted(target_) + ": " + Reason(reason != 0 ? reason : EIO);
    }
  };
  errno = 0;
  file_.flush();
  if (!file_) {
    fail("Could not write", errno);
  }
  errno = 0;
  file_.close();
  if (file_.fail()) {
    fail("Could not write", errno);
  }
  if (!failed_) {
    if (const int reason = SyncFile(temp_); reason != 0) {
      fail("Could not write", reason);
    }
  }
  if (!failed_ && ::rename(temp_.c_str(), target_.c_str()) != 0) {
    fail("Could not replace", errno);
  }
  if (failed_) {
    std::error_code ignored;
    fs::remove(temp_, ignored);
    return false;
  }
  SyncFolderOf(target_);
  return true;
}

std::string TextOutputStream::Text() const { return memory_.str(); }

}  // namespace vantrel
