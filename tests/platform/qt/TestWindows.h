#pragma once
// Windows built from tables the way the program's windows are, for the tests
// of the window layer. Every event they receive is written to Log.
#include <QApplication>
#include <QTest>
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

namespace vantrel::test {

// Lets queued calls, timers and deferred deletions run.
inline void Settle(int ms = 0) {
  QApplication::processEvents();
  DrainEventThreadQueue();
  if (ms > 0) QTest::qWait(ms);
  QApplication::processEvents();
}

// A document-like window: a canvas locked to all four edges, a status row at
// the bottom, a button column at the right, a tool group and two timers.
class DocWindow : public Window {
 public:
  explicit DocWindow(bool visible = true, MenuBar* menuBar = nullptr);

  std::vector<std::string> Log;
  bool Refuse = false;
  bool Follow = true;
  bool HandleKeys = false;
  int Ticks = 0;
  int OnceTicks = 0;

  // The table lives in the class so that it may name private handlers.
  static const WindowRecord kRecord;
  static const ControlRecord<DocWindow> kControls[];

 protected:
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
  void FracCan_Open() { Log.push_back("FracCan Open"); }
  void StatusText_Open() { Log.push_back("StatusText Open"); }
  bool FracCan_MouseDown(Integer x, Integer y) {
    Log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    return Follow;
  }
  void FracCan_MouseDrag(Integer x, Integer y) {
    Log.push_back("drag " + std::to_string(x) + "," + std::to_string(y));
  }
  void FracCan_MouseUp(Integer x, Integer y) {
    Log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  }
  bool FracCan_MouseWheel(Integer, Integer, Integer dx, Integer dy) {
    Log.push_back("wheel " + std::to_string(dx) + "," + std::to_string(dy));
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
};

inline const WindowRecord DocWindow::kRecord{
    .Title = "Vantrel: Untitled", .Width = 375, .Height = 350, .MinWidth = 375, .MinHeight = 350};

constexpr unsigned kAllEdges = Lock::Left | Lock::Top | Lock::Right | Lock::Bottom;

inline const ControlRecord<DocWindow> DocWindow::kControls[] = {
    {.Name = "FracCan", .Kind = ControlKind::Canvas, .Left = 0, .Top = 0, .Width = 315,
     .Height = 315, .Locks = kAllEdges, .Open = &DocWindow::FracCan_Open,
     .MouseDown = &DocWindow::FracCan_MouseDown, .MouseDrag = &DocWindow::FracCan_MouseDrag,
     .MouseUp = &DocWindow::FracCan_MouseUp, .MouseWheel = &DocWindow::FracCan_MouseWheel,
     .Paint = &DocWindow::FracCan_Paint},
    {.Name = "StaticText1", .Kind = ControlKind::StaticText, .Left = 0, .Top = 315, .Width = 51,
     .Height = 20, .Locks = Lock::Left | Lock::Bottom, .Text = "Status:", .TextAlign = 2},
    {.Name = "StatusText", .Kind = ControlKind::StaticText, .Left = 63, .Top = 315, .Width = 312,
     .Height = 20, .Locks = Lock::Left | Lock::Right | Lock::Bottom, .Text = "Waiting",
     .Open = &DocWindow::StatusText_Open},
    {.Name = "ProgressBar1", .Kind = ControlKind::ProgressBar, .Left = 0, .Top = 336,
     .Width = 355, .Height = 14, .Locks = Lock::Left | Lock::Right | Lock::Bottom,
     .Visible = false, .Maximum = 1000},
    {.Name = "DrawBTN", .Kind = ControlKind::RadioButton, .Left = 315, .Top = 0, .Width = 60,
     .Height = 20, .Locks = Lock::Top | Lock::Right, .Caption = "Draw", .Value = true,
     .Action = &DocWindow::DrawBTN_Action},
    {.Name = "PanBTN", .Kind = ControlKind::RadioButton, .Left = 315, .Top = 25, .Width = 60,
     .Height = 20, .Locks = Lock::Top | Lock::Right, .Caption = "Pan"},
    {.Name = "CkBox", .Index = 1, .Kind = ControlKind::CheckBox, .Left = 315, .Top = 50,
     .Width = 60, .Height = 20, .Locks = Lock::Top | Lock::Right, .Caption = "Snap",
     .Value = true, .Open = &DocWindow::CkBox_Open, .Action = &DocWindow::CkBox_Action},
    {.Name = "CkBox", .Index = 0, .Kind = ControlKind::CheckBox, .Left = 315, .Top = 75,
     .Width = 60, .Height = 20, .Locks = Lock::Top | Lock::Right, .Caption = "Grid",
     .Open = &DocWindow::CkBox_Open, .Action = &DocWindow::CkBox_Action},
    {.Name = "ValField", .Index = 2, .Kind = ControlKind::EditField, .Left = 315, .Top = 100,
     .Width = 60, .Height = 22, .Locks = Lock::Top | Lock::Right, .Text = "8", .Mask = "#99",
     .TextChange = &DocWindow::ValField_TextChange},
    {.Name = "ValField", .Index = 3, .Kind = ControlKind::EditField, .Left = 315, .Top = 125,
     .Width = 60, .Height = 22, .Locks = Lock::Top | Lock::Right, .Text = "8",
     .Mask = "999999.9999999999", .TextChange = &DocWindow::ValField_TextChange},
    {.Name = "OkBTN", .Kind = ControlKind::PushButton, .Left = 320, .Top = 250, .Width = 55,
     .Height = 22, .Locks = Lock::Top | Lock::Right, .Caption = "OK", .Default = true,
     .Action = &DocWindow::OkBTN_Action},
    {.Name = "CancelBTN", .Kind = ControlKind::BevelButton, .Left = 320, .Top = 275,
     .Width = 55, .Height = 22, .Locks = Lock::Top | Lock::Right, .Caption = "Cancel",
     .Cancel = true, .Action = &DocWindow::CancelBTN_Action},
    {.Name = "Timer1", .Kind = ControlKind::Timer, .Mode = 2, .Period = 20,
     .Action = &DocWindow::Timer1_Action},
    {.Name = "Timer2", .Kind = ControlKind::Timer, .Mode = 1, .Period = 20,
     .Action = &DocWindow::Timer2_Action},
};

// A view-like window: a scroll bar, a zoom combo box and a colour swatch, in
// a small dialog frame with a backdrop.
class ViewWindow : public Window {
 public:
  explicit ViewWindow(std::shared_ptr<const Picture> backdrop = nullptr);

  std::vector<std::string> Log;
  static const ControlRecord<ViewWindow> kControls[];

 private:
  void ScrollBarY_ValueChanged() {
    Log.push_back("ValueChanged " + std::to_string(ControlNamed<ScrollBar>("ScrollBarY").Value()));
  }
  void ScaleBox_Change() { Log.push_back("Change " + ControlNamed<ComboBox>("ScaleBox").Text()); }
  void ScaleBox_TextChanged() {
    Log.push_back("TextChanged " + ControlNamed<ComboBox>("ScaleBox").Text());
  }
  bool ColorRec_MouseDown(Integer index, Integer x, Integer y) {
    Log.push_back("ColorRec " + std::to_string(index) + " " + std::to_string(x) + "," +
                  std::to_string(y));
    return false;
  }
};

inline const ControlRecord<ViewWindow> ViewWindow::kControls[] = {
    {.Name = "ScrollBarY", .Kind = ControlKind::ScrollBar, .Left = 284, .Top = 27, .Width = 16,
     .Height = 257, .Value = 0, .Maximum = 100, .LineStep = 20, .PageStep = 20,
     .ValueChanged = &ViewWindow::ScrollBarY_ValueChanged},
    {.Name = "ScaleBox", .Kind = ControlKind::ComboBox, .Left = 59, .Top = 0, .Width = 80,
     .Height = 20, .Items = "12.5%\r50.%\r100%\r200%", .ListIndex = 2,
     .Change = &ViewWindow::ScaleBox_Change, .TextChanged = &ViewWindow::ScaleBox_TextChanged},
    {.Name = "ColorRec", .Index = 4, .Kind = ControlKind::Rectangle, .Left = 150, .Top = 100,
     .Width = 60, .Height = 22, .FillColor = {0, 255, 0},
     .MouseDown = &ViewWindow::ColorRec_MouseDown},
};

inline ViewWindow::ViewWindow(std::shared_ptr<const Picture> backdrop) {
  Build({.Title = "View", .Width = 300, .Height = 300, .Frame = kDialogFrame, .Resizeable = false,
         .Backdrop = std::move(backdrop)},
        kControls);
}

inline DocWindow::DocWindow(bool visible, MenuBar* menuBar) {
  WindowRecord record = kRecord;
  record.Visible = visible;
  record.MenuBar = menuBar;
  Build(record, kControls);
  Log.push_back("constructor body: " + std::to_string(ControlNamed<Canvas>("FracCan").Width()));
}

}  // namespace vantrel::test
