#pragma once
// Implements: a rule, horizontal or vertical by its shape.
// Leaves out: colours and line styles.
//
// A separating rule, horizontal when it is wider than high.
#include "platform/qt/Control.h"

namespace vantrel {

class Separator : public Control {
 public:
  explicit Separator(const ControlDesign& design) : Control(design) {}

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
};

}  // namespace vantrel
