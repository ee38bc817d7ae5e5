#include "platform/core/TextStream.h"

#include <cerrno>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/core/FileWriter.h"

namespace vantrel {

namespace fs = std::filesystem;

namespace {

using Traits = std::char_traits<char>;

std::string Reason(int error) { return std::generic_category().message(error); }

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

FileResult CannotOpen(const fs::path& path, const std::string& why) {
  return FileResult::Failed("Could not open " + Quoted(path) + ": " + why);
}

}  // namespace

// --- Input -------------------------------------------------------------------

TextInputStream::TextInputStream(std::unique_ptr<std::istream> in) : in_(std::move(in)) {
  SkipByteOrderMark();
}

// Editors may put EF BB BF before UTF-8 text; it is not part of the first
// line, whose first number would otherwise read as 0. Bytes that only begin
// like the mark stay the first line's start: streams need not seek back.
void TextInputStream::SkipByteOrderMark() {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  if (!in_) return;
  std::streambuf& buffer = *in_->rdbuf();
  for (const char byte : kMark) {
    const Traits::int_type c = buffer.sgetc();
    if (Traits::eq_int_type(c, Traits::eof()) || Traits::to_char_type(c) != byte) return;
    carried_.push_back(byte);
    buffer.sbumpc();
  }
  carried_.clear();
}

Result<std::unique_ptr<TextInputStream>> TextInputStream::FromFile(const fs::path& path) {
  std::error_code status;
  const fs::file_type type = fs::status(path, status).type();
  if (type == fs::file_type::directory) return CannotOpen(path, "it is a folder");
  if (type != fs::file_type::regular && type != fs::file_type::not_found) {
    return CannotOpen(path, "it is not a plain file");
  }
  auto file = std::make_unique<std::ifstream>(path, std::ios_base::in | std::ios_base::binary);
  if (!file->is_open()) return CannotOpen(path, Reason(errno));
  return std::unique_ptr<TextInputStream>(new TextInputStream(std::move(file)));
}

std::unique_ptr<TextInputStream> TextInputStream::FromString(std::string text) {
  return FromStream(std::make_unique<std::istringstream>(std::move(text)));
}

std::unique_ptr<TextInputStream> TextInputStream::FromStream(std::unique_ptr<std::istream> in) {
  return std::unique_ptr<TextInputStream>(new TextInputStream(std::move(in)));
}

std::string TextInputStream::ReadLine() {
  std::string line = std::exchange(carried_, {});
  if (!in_ || overlong_) {
    return {};
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
    if (line.size() >= lineLimit_) {
      // Reading on to the line's end could take minutes on a huge file
      // without line breaks, all of it on the event thread.
      overlong_ = true;
      break;
    }
    line.push_back(Traits::to_char_type(c));
  }
  return line;
}

bool TextInputStream::EndOfFile() {
  return !in_ || overlong_ ||
         (carried_.empty() && Traits::eq_int_type(in_->rdbuf()->sgetc(), Traits::eof()));
}

void TextInputStream::Close() { in_.reset(); }

// --- Output ------------------------------------------------------------------

Result<std::unique_ptr<TextOutputStream>> TextOutputStream::ToFile(const fs::path& path) {
  Result<std::unique_ptr<FileWriter>> file = FileWriter::Open(path);
  if (!file) return file.Status();
  std::unique_ptr<TextOutputStream> stream(new TextOutputStream());
  stream->file_ = std::move(*file);
  return stream;
}

std::unique_ptr<TextOutputStream> TextOutputStream::ToMemory() {
  return std::unique_ptr<TextOutputStream>(new TextOutputStream());
}

TextOutputStream::~TextOutputStream() = default;

void TextOutputStream::WriteLine(const std::string& line) {
  if (closed_) return;
  pending_ += line;
  pending_ += '\n';
  // Lines are collected and written in large pieces: one system call per
  // line would make saving a long path slow.
  if (file_ && pending_.size() >= kWriteChunkBytes) Flush();
}

void TextOutputStream::Flush() {
  // A failed write is kept by the writer, and Commit reports it.
  static_cast<void>(file_->Write(pending_.data(), pending_.size()));
  pending_.clear();
}

FileResult TextOutputStream::Close() {
  if (closed_) return status_;
  closed_ = true;
  if (!file_) return status_;
  Flush();
  status_ = file_->Commit();
  return status_;
}

std::string TextOutputStream::Text() const { return file_ ? std::string() : pending_; }

}  // namespace vantrel
