#pragma once
#include <stdexcept>

namespace vantrel {

// Raised when a settings block does not have the counts this program writes;
// only the document file reader catches it (and tells the user the file is
// not a saved fractal). It carries no message of its own.
class FailedReadException : public std::runtime_error {
 public:
  FailedReadException();
};

}  // namespace vantrel
