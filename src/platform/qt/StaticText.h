#pragma once
// Implements: Text, TextAlign, text size and bold, one line or several.
// Leaves out: font names, italic and underline, text and back colours,
//   selectable text, a mouse click as Action.
//
// A label: Text, TextAlign (0 left, 1 centred, 2 right), size, one line or
// several.
#include <string>

#include "platform/qt/Control.h"
#include "platform/qt/Mirrored.h"

namespace vantrel {

class StaticText : public Control {
 public:
  explicit StaticText(const ControlDesign& design);

  std::string Text() const { return text_.Get(); }
  void Text(const std::string& text);
  Integer TextAlign() const noexcept { return align_.load(std::memory_order_relaxed); }
  void TextAlign(Integer align);

 protected:
  QWidget* CreateWidget(QWidget* parent) override;

 private:
  void ApplyAlignment();

  Mirrored<std::string> text_;
  std::atomic<Integer> align_;
  Integer textSize_;
  bool bold_;
  bool multiLine_;
};

}  // namespace vantrel
