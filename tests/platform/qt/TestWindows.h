#pragma once
// Windows built from tables the way the program's windows are, for the tests
// of the window layer. Every event they receive is written to Log.
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/Application.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/CheckBox.h"
#include "platform/qt/ComboBox.h"
#include "platform/qt/EditField.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/ProgressBar.h"
#include "platform/qt/PushButton.h"
#include "platform/qt/RadioButton.h"
#include "platform/qt/Rectangle.h"
#include "platform/qt/ScrollBar.h"
#include "platform/qt/StaticText.h"
#include "platform/qt/Timer.h"
#include "platform/qt/Window.h"
#include "support/Settle.h"

namespace vantrel::test {

// Runs the event loop until a fresh timer of the given period has fired
// twice. Timers fire in the order their deadlines fall due, so every timer of
// that period or less that was still counting has had its turn by then: a
// test learns that a stopped timer stays silent without guessing at a time.
inline bool TwoPeriodsPass(Integer periodMs) {
  auto probe = std::make_shared<Timer>();
  int fired = 0;
  probe->Events.Action = [&fired] { ++fired; };
  probe->Period(periodMs);
  probe->Mode(Timer::kRepeating);
  const bool passed = SettleUntil([&fired] { return fired >= 2; });
  probe->Mode(Timer::kOff);
  return passed;
}

inline std::string Pt(Integer x, Integer y) { return std::to_string(x) + "," + std::to_string(y); }

inline bool Contains(const std::vector<std::string>& log, const std::string& entry) {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

// A document-like window: a canvas locked to all four edges, a status row at
// the bottom, a column of buttons, fields, a zoom box, a scroll bar and a
// colour swatch at the right, a tool group and two timers.
class DocWindow : public Window {
 public:
  explicit DocWindow(bool visible = true, MenuBar* menuBar = nullptr,
                     std::shared_ptr<const Picture> backdrop = nullptr);

  std::vector<std::string> Log;
  bool Refuse = false;
  bool Follow = true;
  bool HandleKeys = false;
  int Ticks = 0;
  int OnceTicks = 0;

  // The table lives in the class so that it may name private handlers.
  static const ControlRecord<DocWindow> kControls[];

 protected:
  void FindControls() override { Log.push_back("FindControls"); }
  void OnOpen() override { Log.push_back("window Open"); }
  void OnClose() override { Log.push_back("Close"); }
  bool CancelClose(bool quitting) override {
    Log.push_back(std::string("CancelClose ") + (quitting ? "quitting" : "user"));
    return Refuse;
  }
  void OnResized() override { Log.push_back("Resized"); }
  void OnActivate() override { Log.push_back("Activate"); }
  bool KeyDown(const std::string& key) override {
    Log.push_back("KeyDown " + std::to_string(key.empty() ? -1 : int(key[0])));
    return HandleKeys;
  }

 private:
  using D = DocWindow;  // short names for the table
  using K = ControlKind;

  void FracCan_Open() { Log.push_back("FracCan Open"); }
  void StatusText_Open() { Log.push_back("StatusText Open"); }
  bool FracCan_MouseDown(Integer x, Integer y) {
    Log.push_back("down " + Pt(x, y));
    return Follow;
  }
  void FracCan_MouseDrag(Integer x, Integer y) { Log.push_back("drag " + Pt(x, y)); }
  void FracCan_MouseUp(Integer x, Integer y) { Log.push_back("up " + Pt(x, y)); }
  bool FracCan_MouseWheel(Integer, Integer, Integer dx, Integer dy) {
    Log.push_back("wheel " + Pt(dx, dy));
    return true;
  }
  void FracCan_Paint(vantrel::Graphics& g) {
    Log.push_back("Paint");
    g.ForeColor = RGB(0, 0, 255);
    g.FillRect(0, 0, 5, 5);
  }
  void CkBox_Action(Integer index) { Log.push_back("CkBox_Action " + std::to_string(index)); }
  void CkBox_Open(Integer index) { Log.push_back("CkBox_Open " + std::to_string(index)); }
  void ValField_TextChange(Integer index) {
    Log.push_back("TextChange " + std::to_string(index) + " " +
                  ControlNamed<EditField>("ValField", index).Text());
  }
  void DrawBTN_Action() { Log.push_back("DrawBTN_Action"); }
  void OkBTN_Action() { Log.push_back("OkBTN_Action"); }
  void CancelBTN_Action() { Log.push_back("CancelBTN_Action"); }
  void Timer1_Action() { ++Ticks; }
  void Timer2_Action() { ++OnceTicks; }
  void ScrollBarY_ValueChanged() {
    Log.push_back("ValueChanged " + std::to_string(ControlNamed<ScrollBar>("ScrollBarY").Value()));
  }
  void ScaleBox_Change() { Log.push_back("Change " + ControlNamed<ComboBox>("ScaleBox").Text()); }
  void ScaleBox_TextChanged() {
    Log.push_back("TextChanged " + ControlNamed<ComboBox>("ScaleBox").Text());
  }
  bool ColorRec_MouseDown(Integer index, Integer x, Integer y) {
    Log.push_back("ColorRec " + std::to_string(index) + " " + Pt(x, y));
    return false;
  }
};

// A window of the given frame kind without controls; each command it is
// given is bound to a handler that writes the command's name to Log.
class FrameWindow : public Window {
 public:
  explicit FrameWindow(Integer frame, const std::vector<std::string>& commands = {}) {
    Build({.Title = "Frame", .Width = 200, .Height = 100, .Frame = frame},
          std::span<const ControlRecord<FrameWindow>>());
    for (const std::string& command : commands) {
      Handlers().AddMenuHandler(command, [this, command] { return Log.push_back(command), false; });
    }
  }
  std::vector<std::string> Log;
};

constexpr unsigned kAllEdges = Lock::Left | Lock::Top | Lock::Right | Lock::Bottom;
constexpr unsigned kTopRight = Lock::Top | Lock::Right;

inline const ControlRecord<DocWindow> DocWindow::kControls[] = {
    {.Name = "FracCan", .Kind = K::Canvas, .Width = 315, .Height = 315, .Locks = kAllEdges,
     .Open = &D::FracCan_Open, .MouseDown = &D::FracCan_MouseDown,
     .MouseDrag = &D::FracCan_MouseDrag, .MouseUp = &D::FracCan_MouseUp,
     .MouseWheel = &D::FracCan_MouseWheel, .Paint = &D::FracCan_Paint},
    {.Name = "StaticText1", .Kind = K::StaticText, .Top = 315, .Width = 51, .Height = 20,
     .Locks = Lock::Left | Lock::Bottom, .Text = "Status:", .TextAlign = 2},
    {.Name = "StatusText", .Kind = K::StaticText, .Left = 63, .Top = 315, .Width = 312,
     .Height = 20, .Locks = Lock::Left | Lock::Right | Lock::Bottom, .Text = "Waiting",
     .Open = &D::StatusText_Open},
    {.Name = "ProgressBar1", .Kind = K::ProgressBar, .Top = 336, .Width = 355, .Height = 14,
     .Locks = Lock::Left | Lock::Right | Lock::Bottom, .Visible = false, .Maximum = 1000},
    {.Name = "DrawBTN", .Kind = K::RadioButton, .Left = 315, .Width = 60, .Height = 20,
     .Locks = kTopRight, .Caption = "Draw", .Value = true, .Action = &D::DrawBTN_Action},
    {.Name = "PanBTN", .Kind = K::RadioButton, .Left = 315, .Top = 25, .Width = 60,
     .Height = 20, .Locks = kTopRight, .Caption = "Pan"},
    {.Name = "CkBox", .Index = 1, .Kind = K::CheckBox, .Left = 315, .Top = 50, .Width = 60,
     .Height = 20, .Locks = kTopRight, .Caption = "Snap", .Value = true,
     .Open = &D::CkBox_Open, .Action = &D::CkBox_Action},
    {.Name = "CkBox", .Index = 0, .Kind = K::CheckBox, .Left = 315, .Top = 75, .Width = 60,
     .Height = 20, .Locks = kTopRight, .Caption = "Grid", .Open = &D::CkBox_Open,
     .Action = &D::CkBox_Action},
    {.Name = "ValField", .Index = 2, .Kind = K::EditField, .Left = 315, .Top = 100, .Width = 60,
     .Height = 22, .Locks = kTopRight, .Text = "8", .Mask = "#99",
     .TextChange = &D::ValField_TextChange},
    {.Name = "ScaleBox", .Kind = K::ComboBox, .Left = 315, .Top = 125, .Width = 60, .Height = 20,
     .Locks = kTopRight, .Items = "12.5%\r50.%\r100%\r200%", .ListIndex = 2,
     .Change = &D::ScaleBox_Change, .TextChanged = &D::ScaleBox_TextChanged},
    {.Name = "ColorRec", .Index = 4, .Kind = K::Rectangle, .Left = 315, .Top = 150, .Width = 40,
     .Height = 22, .Locks = kTopRight, .FillColor = {0, 255, 0},
     .MouseDown = &D::ColorRec_MouseDown},
    {.Name = "ScrollBarY", .Kind = K::ScrollBar, .Left = 359, .Top = 150, .Width = 16,
     .Height = 95, .Locks = kTopRight, .ValueChanged = &D::ScrollBarY_ValueChanged},
    {.Name = "OkBTN", .Kind = K::PushButton, .Left = 320, .Top = 250, .Width = 55, .Height = 22,
     .Locks = kTopRight, .Caption = "OK", .Default = true, .Action = &D::OkBTN_Action},
    {.Name = "CancelBTN", .Kind = K::BevelButton, .Left = 320, .Top = 275, .Width = 55,
     .Height = 22, .Locks = kTopRight, .Caption = "Cancel", .Cancel = true,
     .Action = &D::CancelBTN_Action},
    {.Name = "Timer1", .Kind = K::Timer, .Mode = 2, .Period = 20, .Action = &D::Timer1_Action},
    {.Name = "Timer2", .Kind = K::Timer, .Mode = 1, .Period = 20, .Action = &D::Timer2_Action},
};

inline DocWindow::DocWindow(bool visible, MenuBar* menuBar,
                            std::shared_ptr<const Picture> backdrop) {
  Build({.Title = "Vantrel: Untitled", .Width = 375, .Height = 350, .MinWidth = 375,
         .MinHeight = 350, .Visible = visible, .MenuBar = menuBar, .Backdrop = std::move(backdrop)},
        kControls);
  Log.push_back("constructor body: " + std::to_string(ControlNamed<Canvas>("FracCan").Width()));
}

}  // namespace vantrel::test
