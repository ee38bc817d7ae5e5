#include "platform/core/TextStream.h"

#include "platform/core/FileWriter.h"


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
  if (!in_ || overlong_) {
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
    if (line.size() == kMaxLineBytes) {
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
  return !in_ || overlong_ || Traits::eq_int_type(in_->rdbuf()->sgetc(), Traits::eof());
}

void TextInputStream::Close() { in_.reset(); }

// --- Output ------------------------------------------------------------------

std::unique_ptr<TextOutputStream> TextOutputStream::ToFile(const fs::path& path,
                                                           std::string* error) {
  std::unique_ptr<FileWriter> file = FileWriter::Open(path, error);
  if (!file) return nullptr;
  std::unique_ptr<TextOutputStream> stream(new TextOutputStream());
  stream->file_ = std::move(file);
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
  file_->Write(pending_.data(), pending_.size());
  pending_.clear();
}

bool TextOutputStream::Close() {
  if (closed_) return ok_;
  closed_ = true;
  if (!file_) return ok_ = true;
  Flush();
  ok_ = file_->Commit();
  error_ = file_->Error();
  return ok_;
}

std::string TextOutputStream::Text() const { return file_ ? std::string() : pending_; }

}  // namespace vantrel
