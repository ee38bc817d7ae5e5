#pragma once
// How reading or writing a file reports its outcome, everywhere: success, or
// failure with the message that says what went wrong (the file's name and
// the system's reason). One channel, so no caller has to know whether a
// failure comes as a null pointer, a false, an exception or an out-parameter.
#include <optional>
#include <string>
#include <utility>

namespace vantrel {

// The outcome of an operation that gives nothing back.
class [[nodiscard]] FileResult {
 public:
  FileResult() = default;  // success
  // A failure always has a message: the user is never told "failed" alone.
  static FileResult Failed(std::string message) {
    FileResult result;
    result.failed_ = true;
    result.error_ = message.empty() ? std::string("Unknown file error") : std::move(message);
    return result;
  }

  bool Ok() const noexcept { return !failed_; }
  explicit operator bool() const noexcept { return Ok(); }
  // Empty on success.
  const std::string& Error() const noexcept { return error_; }

 private:
  bool failed_ = false;
  std::string error_;
};

// The outcome of an operation that gives a value: the value, or the failure.
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // NOLINT: a value converts, as a return
  Result(FileResult failure) : status_(std::move(failure)) {  // NOLINT: so does a failure
    if (status_.Ok()) status_ = FileResult::Failed("");
  }

  bool Ok() const noexcept { return value_.has_value(); }
  explicit operator bool() const noexcept { return Ok(); }
  const std::string& Error() const noexcept { return status_.Error(); }
  const FileResult& Status() const noexcept { return status_; }

  // Only on success.
  T& operator*() & { return *value_; }
  const T& operator*() const& { return *value_; }
  T&& operator*() && { return std::move(*value_); }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

 private:
  std::optional<T> value_;
  FileResult status_;
};

}  // namespace vantrel
