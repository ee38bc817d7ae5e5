#pragma once
// Line-oriented text streams. Reading accepts LF, CRLF and CR line ends and
// skips a UTF-8 byte-order mark at the start; writing ends every line with LF.
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/core/FileResult.h"

namespace vantrel {

class FileWriter;

class TextInputStream {
 public:
  // No text the program reads has lines longer than this; readers that know
  // their lines set a tighter limit (LineLimit). A longer line ends the
  // stream where the limit falls (LineTooLong() tells), so a file that is not
  // text fails at once instead of being read to its end.
  static constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

  // Only a plain file opens: a pipe or a device may never end, or make the
  // open itself wait for a writer.
  static Result<std::unique_ptr<TextInputStream>> FromFile(const std::filesystem::path& path);
  static std::unique_ptr<TextInputStream> FromString(std::string text);
  static std::unique_ptr<TextInputStream> FromStream(std::unique_ptr<std::istream> in);

  // The next line without its end; "" once the stream is exhausted.
  std::string ReadLine();
  // True when nothing is left to read (the framework's EOF, a macro name in C++).
  bool EndOfFile();
  // The longest line the next reads accept, in bytes (kMaxLineBytes at first).
  void LineLimit(std::size_t bytes) noexcept { lineLimit_ = bytes; }
  // True once a line was longer than its limit; the stream ended there.
  bool LineTooLong() const noexcept { return overlong_; }
  void Close();

 private:
  explicit TextInputStream(std::unique_ptr<std::istream> in);
  void SkipByteOrderMark();
  std::unique_ptr<std::istream> in_;
  // The start of a first line that began like a byte-order mark but was not one.
  std::string carried_;
  std::size_t lineLimit_ = kMaxLineBytes;
  bool overlong_ = false;
};

class TextOutputStream {
 public:
  // Writes the file through FileWriter: atomically beside it, following
  // links, refusing a write-protected file; fails when it cannot be written.
  static Result<std::unique_ptr<TextOutputStream>> ToFile(const std::filesystem::path& path);
  // Collects the text in memory (Text()), for tests and copies.
  static std::unique_ptr<TextOutputStream> ToMemory();

  ~TextOutputStream();  // without a successful Close the target is left untouched

  void WriteLine(const std::string& line);
  // Writes what is left, syncs and puts the file in place. Fails when
  // anything written since opening failed, with the first failure's message.
  FileResult Close();
  // The text written so far (memory streams only).
  std::string Text() const;

 private:
  static constexpr std::size_t kWriteChunkBytes = std::size_t{1} << 16;
  TextOutputStream() = default;
  void Flush();
  std::unique_ptr<FileWriter> file_;  // none for a memory stream
  std::string pending_;
  bool closed_ = false;
  FileResult status_;
};

}  // namespace vantrel
