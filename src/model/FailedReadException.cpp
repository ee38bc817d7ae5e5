#include "model/FailedReadException.h"

namespace vantrel {

FailedReadException::FailedReadException() : std::runtime_error("") {}

}  // namespace vantrel
