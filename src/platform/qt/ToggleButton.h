#pragma once
// What a check box and a radio button share: a caption, an on/off Value the
// event thread mirrors for other threads, and an Action raised only by the
// user's click, never when the program sets Value.
#include <atomic>
#include <string>

#include "platform/qt/Control.h"
#include "platform/qt/Mirrored.h"

class QAbstractButton;
class QString;

namespace vantrel {

class ToggleButton : public Control {
 public:
  std::string Caption() const { return caption_.Get(); }
  void Caption(const std::string& caption);
  bool Value() const noexcept { return value_.load(std::memory_order_relaxed); }
  void Value(bool value);

 protected:
  explicit ToggleButton(const ControlDesign& design);

  QWidget* CreateWidget(QWidget* parent) override;
  // The Qt button of the kind.
  virtual QAbstractButton* MakeButton(const QString& caption, QWidget* parent) = 0;
  // Whether a click that left the button in state on raises Action.
  virtual bool ClickRaisesAction(bool on) const = 0;
  // Sets the Qt button's state as the program asks.
  virtual void SetChecked(QAbstractButton& button, bool value);

 private:
  Mirrored<std::string> caption_;
  std::atomic<bool> value_;
  Integer textSize_;
  bool bold_;
};

}  // namespace vantrel
