#pragma once
// A radio button. The radio buttons of a window form one group: turning one
// on turns the others off. Action is raised when the user turns it on, never
// when the program sets Value.
#include <string>

#include "platform/qt/Control.h"
#include "platform/qt/Mirrored.h"

namespace vantrel {

class RadioButton : public Control {
 public:
  explicit RadioButton(const ControlDesign& design);

  std::string Caption() const { return caption_.Get(); }
  void Caption(const std::string& caption);
  bool Value() const noexcept { return value_.load(std::memory_order_relaxed); }
  void Value(bool value);

 protected:
  QWidget* CreateWidget(QWidget* parent) override;

 private:
  Mirrored<std::string> caption_;
  std::atomic<bool> value_;
  Integer textSize_;
  bool bold_;
};

}  // namespace vantrel
