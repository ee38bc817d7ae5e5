// Stands in for the window layer's RequestQuit while that layer is not built.
#include "platform/qt/MenuDispatch.h"

namespace vantrel {

void RequestQuit() {}

}  // namespace vantrel
