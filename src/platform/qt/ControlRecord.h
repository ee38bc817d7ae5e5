#pragma once
// A window's control table, written as data in the window's own source file:
//
//   const ControlRecord<DrawingWindow> kControls[] = {
//       {.Name = "FracCan", .Kind = ControlKind::Canvas,
//        .Left = 0, .Top = 0, .Width = 315, .Height = 315,
//        .Locks = Lock::Left | Lock::Top | Lock::Right | Lock::Bottom,
//        .MouseDown = &DrawingWindow::FracCan_MouseDown, ...},
//       {.Name = "CkBox", .Index = 0, .Kind = ControlKind::CheckBox, ...,
//        .Action = &SettingsWindow::CkBox_Action},
//   };
//
// Designated initialisers must follow the order of the fields below. A handler
// is a member function of the window class; a member of a control array may
// name one that takes the member's Index first (void CkBox_Action(Integer)).
// Handlers that are private need the table inside the class's scope (a static
// member), which is where a window's table belongs anyway.
#include <functional>
#include <string_view>
#include <utility>

#include "platform/qt/ControlDesign.h"

namespace vantrel {

template <class W, class Signature>
class Handler;

template <class W, class R, class... Args>
class Handler<W, R(Args...)> {
 public:
  using Plain = R (W::*)(Args...);
  using Indexed = R (W::*)(Integer index, Args...);

  constexpr Handler() = default;
  constexpr Handler(Plain method) : plain_(method) {}
  constexpr Handler(Indexed method) : indexed_(method) {}

  // The handler bound to one window and one control (empty when unset).
  std::function<R(Args...)> Bind(W& window, Integer index) const {
    if (plain_ != nullptr) {
      return [&window, method = plain_](Args... args) -> R {
        return (window.*method)(std::forward<Args>(args)...);
      };
    }
    if (indexed_ != nullptr) {
      return [&window, method = indexed_, index](Args... args) -> R {
        return (window.*method)(index, std::forward<Args>(args)...);
      };
    }
    return {};
  }

 private:
  Plain plain_ = nullptr;
  Indexed indexed_ = nullptr;
};

template <class W>
struct ControlRecord {
  std::string_view Name{};
  Integer Index = kNoIndex;
  ControlKind Kind = ControlKind::StaticText;
  Integer Left = 0;
  Integer Top = 0;
  Integer Width = 0;
  Integer Height = 0;
  unsigned Locks = Lock::Left | Lock::Top;
  bool Visible = true;
  bool Enabled = true;
  std::string_view Caption{};    // CheckBox, RadioButton, PushButton, BevelButton
  std::string_view Text{};       // StaticText, EditField, ComboBox's edit text
  std::string_view Items{};      // ComboBox: the items, separated by Chr(13)
  Integer TextAlign = 0;       // 0 left, 1 centre, 2 right
  Integer TextSize = 0;        // pixels; 0 the interface font's size
  bool Bold = false;
  bool MultiLine = false;      // StaticText
  std::string_view Mask{};       // EditField entry mask: "#99", "#9999", "999999.9999999999"
  Integer Value = 0;           // CheckBox, RadioButton (false/true), ScrollBar, ProgressBar
  Integer Minimum = 0;         // ScrollBar
  Integer Maximum = 100;       // ScrollBar, ProgressBar
  Integer LineStep = 1;        // ScrollBar
  Integer PageStep = 20;       // ScrollBar
  bool LiveScroll = true;      // ScrollBar: report while the thumb is dragged
  Integer ListIndex = -1;      // ComboBox
  bool Default = false;        // PushButton, BevelButton: reacts to Return
  bool Cancel = false;         // PushButton, BevelButton: reacts to Escape
  Color FillColor{255, 255, 255};  // Rectangle
  Integer BorderWidth = 1;         // Rectangle
  Color TopLeftColor{};            // Rectangle
  Color BottomRightColor{};        // Rectangle
  Integer Mode = 2;            // Timer: 0 off, 1 once, 2 repeating
  Integer Period = 1000;       // Timer, milliseconds

  Handler<W, void()> Open{};
  Handler<W, void()> Action{};
  Handler<W, bool(Integer, Integer)> MouseDown{};
  Handler<W, void(Integer, Integer)> MouseDrag{};
  Handler<W, void(Integer, Integer)> MouseUp{};
  Handler<W, bool(Integer, Integer, Integer, Integer)> MouseWheel{};
  Handler<W, void(Graphics&)> Paint{};
  Handler<W, void()> TextChange{};
  Handler<W, void()> ValueChanged{};
  Handler<W, void()> Change{};
  Handler<W, void()> TextChanged{};

  ControlDesign Design() const {
    return {std::string(Name), Index, Kind, Left, Top, Width, Height, Locks, Visible, Enabled,
            std::string(Caption), std::string(Text), std::string(Items), TextAlign, TextSize,
            Bold, MultiLine, std::string(Mask), Value, Minimum, Maximum, LineStep, PageStep,
            LiveScroll, ListIndex, Default, Cancel, FillColor, BorderWidth, TopLeftColor,
            BottomRightColor, Mode, Period};
  }

  ControlEvents Events(W& window) const {
    return {Open.Bind(window, Index),       Action.Bind(window, Index),
            MouseDown.Bind(window, Index),  MouseDrag.Bind(window, Index),
            MouseUp.Bind(window, Index),    MouseWheel.Bind(window, Index),
            Paint.Bind(window, Index),      TextChange.Bind(window, Index),
            ValueChanged.Bind(window, Index), Change.Bind(window, Index),
            TextChanged.Bind(window, Index)};
  }
};

}  // namespace vantrel
