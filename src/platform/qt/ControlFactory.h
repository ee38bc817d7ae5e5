#pragma once
// Makes the control of a design's kind.
#include <memory>

#include "platform/qt/Control.h"

namespace vantrel {

std::shared_ptr<Control> CreateControl(const ControlDesign& design);

}  // namespace vantrel
