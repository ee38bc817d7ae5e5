#pragma once
// A check box. Action is raised when the user clicks it, never when the
// program sets Value.
#include <string>

#include "platform/qt/Control.h"
#include "platform/qt/Mirrored.h"

namespace vantrel {

class CheckBox : public Control {
 public:
  explicit CheckBox(const ControlDesign& design);

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
