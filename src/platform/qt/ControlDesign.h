#pragma once
// What a control is made from: its kind, name, place and design values
// (ControlDesign), and the handlers its events reach (ControlEvents). Window
// tables are written as ControlRecord<W> (ControlRecord.h), which splits into
// these two when the window is built.
#include <functional>
#include <string>

#include "platform/core/Color.h"
#include "platform/core/Numbers.h"

namespace vantrel {

class Graphics;

enum class ControlKind {
  Canvas,
  StaticText,
  EditField,
  CheckBox,
  RadioButton,
  ScrollBar,
  ProgressBar,
  Rectangle,
  ComboBox,
  PushButton,
  BevelButton,
  Separator,
  Timer,
};

// The window edges a control keeps its distance to when the window is
// resized. Locked to opposite edges, the control stretches.
namespace Lock {
enum : unsigned { None = 0, Left = 1, Top = 2, Right = 4, Bottom = 8 };
}

// Index of a control that is not a member of a control array.
inline constexpr Integer kNoIndex = -1;

struct ControlDesign {
  std::string Name;
  Integer Index = kNoIndex;
  ControlKind Kind = ControlKind::StaticText;
  Integer Left = 0;
  Integer Top = 0;
  Integer Width = 0;
  Integer Height = 0;
  unsigned Locks = Lock::Left | Lock::Top;
  bool Visible = true;
  bool Enabled = true;
  std::string Caption;
  std::string Text;
  std::string Items;
  Integer TextAlign = 0;
  Integer TextSize = 0;
  bool Bold = false;
  bool MultiLine = false;
  std::string Mask;
  Integer Value = 0;
  Integer Minimum = 0;
  Integer Maximum = 100;
  Integer LineStep = 1;
  Integer PageStep = 20;
  bool LiveScroll = true;
  Integer ListIndex = -1;
  bool Default = false;
  bool Cancel = false;
  Color FillColor{255, 255, 255};
  Integer BorderWidth = 1;
  Color TopLeftColor{};
  Color BottomRightColor{};
  Integer Mode = 2;
  Integer Period = 1000;
};

// The events a control can raise; each kind raises the ones that apply to it.
// An empty handler means the event is not handled.
struct ControlEvents {
  std::function<void()> Open;
  std::function<void()> Action;
  std::function<bool(Integer x, Integer y)> MouseDown;
  std::function<void(Integer x, Integer y)> MouseDrag;
  std::function<void(Integer x, Integer y)> MouseUp;
  std::function<bool(Integer x, Integer y, Integer deltaX, Integer deltaY)> MouseWheel;
  std::function<void(Graphics& g)> Paint;
  std::function<void()> TextChange;
  std::function<void()> ValueChanged;
  std::function<void()> Change;
  std::function<void()> TextChanged;
};

}  // namespace vantrel
