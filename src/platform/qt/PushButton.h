#pragma once
// Implements: Caption, Default and Cancel buttons (Return, Escape), Action on
//   a click or Push.
// Leaves out: icons, button styles, a button that stays pressed.
//
// A push button. The window's Default button reacts to Return, its Cancel
// button to Escape, as if clicked.
#include <string>

#include "platform/qt/Control.h"
#include "platform/qt/Mirrored.h"

namespace vantrel {

class PushButton : public Control {
 public:
  explicit PushButton(const ControlDesign& design);

  std::string Caption() const { return caption_.Get(); }
  void Caption(const std::string& caption);
  bool Default() const noexcept { return default_; }
  bool Cancel() const noexcept { return cancel_; }

  // Raises Action as a click does, when the button is visible and enabled.
  // Event thread.
  bool Push();

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  virtual bool TakesFocus() const { return true; }

 private:
  Mirrored<std::string> caption_;
  bool default_;
  bool cancel_;
  Integer textSize_;
  bool bold_;
};

}  // namespace vantrel
