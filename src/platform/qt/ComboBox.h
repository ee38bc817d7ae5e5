#pragma once
// Implements: editable box, rows from one text split at Chr(13), AddRow,
//   ListIndex, ListCount, Text, Change and TextChanged for the user's doing
//   only.
// Leaves out: a box that cannot be edited, removing or changing rows, rows
//   with data (RowTag), auto-completion.
//
// An editable combo box. Its items are given as one text split at carriage
// returns (Chr(13)). Change is raised when the user chooses an item,
// TextChanged when the user edits the text; values the program sets raise
// neither.
#include <string>

#include "platform/qt/Control.h"
#include "platform/qt/Mirrored.h"

namespace vantrel {

class ComboBox : public Control {
 public:
  explicit ComboBox(const ControlDesign& design);

  // -1: no item chosen. Setting an index outside the items changes nothing.
  Integer ListIndex() const noexcept { return listIndex_.load(std::memory_order_relaxed); }
  void ListIndex(Integer index);
  Integer ListCount() const noexcept { return listCount_.load(std::memory_order_relaxed); }
  std::string Text() const { return text_.Get(); }
  void Text(const std::string& text);
  void AddRow(const std::string& item);

 protected:
  QWidget* CreateWidget(QWidget* parent) override;

 private:
  Mirrored<std::string> text_;
  std::string items_;
  std::atomic<Integer> listIndex_;
  std::atomic<Integer> listCount_{0};
  Integer textSize_;
  bool bold_;
};

}  // namespace vantrel
