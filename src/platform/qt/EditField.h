#pragma once
// Implements: one-line field, Text, entry masks of digits and a point,
//   TextChange for user edits only.
// Leaves out: several lines, styled text, passwords, ReadOnly, LimitText,
//   selection properties (SelStart, SelLength), KeyDown and focus events.
//
// A one-line text field. TextChange is raised for every change the user makes
// (keystroke, deletion, paste), never for text the program sets.
//
// Entry masks: '#' and '9' each stand for one digit position and '.' for the
// decimal point; the user may type fewer digits than positions, and nothing
// else (no sign, no letters). So "#99" admits up to three digits, "#9999" up
// to five, and "999999.9999999999" up to six digits, then optionally a point
// and up to ten more. Text the program sets is shown as given.
#include <string>
#include <string_view>

#include "platform/qt/Control.h"
#include "platform/qt/Mirrored.h"

namespace vantrel {

class EditField : public Control {
 public:
  explicit EditField(const ControlDesign& design);

  std::string Text() const { return text_.Get(); }
  void Text(const std::string& text);

  // The regular expression a mask admits ("" for no mask: anything goes).
  static std::string MaskPattern(std::string_view mask);

 protected:
  QWidget* CreateWidget(QWidget* parent) override;

 private:
  Mirrored<std::string> text_;
  std::string mask_;
  Integer textAlign_;
  Integer textSize_;
  bool bold_;
};

}  // namespace vantrel
