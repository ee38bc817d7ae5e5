// The document window: its design, the title and menu effects of Changed,
// the keyboard delete, resizing, activation, the save prompt and closing.
// The file commands are in DrawingWindowFile.cpp, the canvas in
// DrawingWindowCanvas.cpp and DrawingWindowTools.cpp, the preview, timers,
// Redraw and Stop in DrawingWindowPreview.cpp, the point commands in
// DrawingWindowCommands.cpp.
#include "editor/DrawingWindow.h"

#include "editor/DocumentServices.h"
#include "editor/PreviewThreadClass.h"
#include "menus/MenuBar1.h"
#include "platform/core/Text.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/MenuItem.h"
#include "platform/qt/ProgressBar.h"
#include "platform/qt/RadioButton.h"
#include "platform/qt/StaticText.h"

namespace vantrel {
namespace {

constexpr unsigned kAllEdges = Lock::Left | Lock::Top | Lock::Right | Lock::Bottom;
constexpr unsigned kTopRight = Lock::Top | Lock::Right;

// The save prompt shown when a changed document is closed.
constexpr char kSaveCaption[] = "Save";
constexpr char kDontSaveCaption[] = "Don't Save";
constexpr char kSavePromptStart[] = "Do you want to save changes to the fractal ''";
constexpr char kSavePromptEnd[] = "'' before closing?";
constexpr char kSavePromptExplanation[] = "If you don't save, your changes will be lost.";

constexpr Integer kBackspace = 8;
constexpr Integer kDelete = 127;

}  // namespace

using W = DrawingWindow;

const ControlRecord<DrawingWindow> DrawingWindow::kControls[17] = {
    {.Name = "FracCan", .Kind = ControlKind::Canvas, .Left = 0, .Top = 0,
     .Width = kCanvasDesignSize, .Height = kCanvasDesignSize, .Locks = kAllEdges,
     .Open = &W::FracCan_Open, .MouseDown = &W::FracCan_MouseDown,
     .MouseDrag = &W::FracCan_MouseDrag, .MouseUp = &W::FracCan_MouseUp,
     .MouseWheel = &W::FracCan_MouseWheel, .Paint = &W::FracCan_Paint},
    {.Name = "StaticText1", .Kind = ControlKind::StaticText, .Left = 0, .Top = 315, .Width = 51,
     .Height = 20, .Locks = Lock::Left | Lock::Bottom, .Text = "Status:", .TextAlign = 2},
    {.Name = "StatusText", .Kind = ControlKind::StaticText, .Left = 63, .Top = 315, .Width = 312,
     .Height = 20, .Locks = Lock::Left | Lock::Right | Lock::Bottom, .Text = "Waiting",
     .TextAlign = 0},
    {.Name = "ProgressBar1", .Kind = ControlKind::ProgressBar, .Left = 0, .Top = 336,
     .Width = 355, .Height = 14, .Locks = Lock::Left | Lock::Right | Lock::Bottom,
     .Visible = false, .Value = 0, .Maximum = 1000},
    {.Name = "DrawBTN", .Kind = ControlKind::RadioButton, .Left = 315, .Top = 0, .Width = 60,
     .Height = 20, .Locks = kTopRight, .Caption = "Draw", .Value = true,
     .Action = &W::DrawBTN_Action},
    {.Name = "SelectBTN", .Kind = ControlKind::RadioButton, .Left = 315, .Top = 25, .Width = 60,
     .Height = 20, .Locks = kTopRight, .Caption = "Select", .Value = false},
    {.Name = "PanBTN", .Kind = ControlKind::RadioButton, .Left = 315, .Top = 50, .Width = 60,
     .Height = 20, .Locks = kTopRight, .Caption = "Pan", .Value = false},
    {.Name = "ZoomBTN", .Kind = ControlKind::RadioButton, .Left = 315, .Top = 75, .Width = 60,
     .Height = 20, .Locks = kTopRight, .Caption = "Zoom", .Value = false,
     .Action = &W::ZoomBTN_Action},
    {.Name = "SplitBTN", .Kind = ControlKind::BevelButton, .Left = 320, .Top = 107, .Width = 55,
     .Height = 22, .Locks = kTopRight, .Caption = "Split", .Action = &W::SplitBTN_Action},
    {.Name = "ScaleBTN", .Kind = ControlKind::BevelButton, .Left = 320, .Top = 132, .Width = 55,
     .Height = 22, .Locks = kTopRight, .Caption = "Scale", .Action = &W::ScaleBTN_Action},
    {.Name = "ClearBTN", .Kind = ControlKind::BevelButton, .Left = 320, .Top = 157, .Width = 55,
     .Height = 22, .Locks = kTopRight, .Caption = "Clear", .Action = &W::ClearBTN_Action},
    {.Name = "SettingsBTN", .Kind = ControlKind::BevelButton, .Left = 320, .Top = 250,
     .Width = 55, .Height = 22, .Locks = kTopRight, .Caption = "Settings",
     .Action = &W::SettingsBTN_Action},
    {.Name = "RenderBTN", .Kind = ControlKind::BevelButton, .Left = 320, .Top = 275, .Width = 55,
     .Height = 22, .Locks = kTopRight, .Caption = "Render", .Action = &W::RenderBTN_Action},
    {.Name = "Timer1", .Kind = ControlKind::Timer, .Locks = Lock::None, .Mode = 2, .Period = 100,
     .Action = &W::Timer1_Action},
    {.Name = "Timer2", .Kind = ControlKind::Timer, .Locks = Lock::None, .Mode = 1, .Period = 100,
     .Action = &W::Timer2_Action},
    {.Name = "RedrawBTN", .Kind = ControlKind::BevelButton, .Left = 320, .Top = 191, .Width = 55,
     .Height = 22, .Locks = kTopRight, .Caption = "Redraw", .Action = &W::RedrawBTN_Action},
    {.Name = "StopBTN", .Kind = ControlKind::BevelButton, .Left = 320, .Top = 216, .Width = 55,
     .Height = 22, .Locks = kTopRight, .Caption = "Stop", .Action = &W::StopBTN_Action},
};

const WindowRecord& DrawingWindow::Record() {
  // Built on first use: the shared menu bar must exist before the record names it.
  static const WindowRecord record{.Name = "DrawingWindow",
                                   .Title = "Vantrel: Untitled",
                                   .Width = kDesignWidth,
                                   .Height = kDesignHeight,
                                   .MinWidth = kDesignWidth,
                                   .MinHeight = kDesignHeight,
                                   .MaxWidth = 32000,
                                   .MaxHeight = 32000,
                                   .Frame = kDocumentFrame,
                                   .Placement = kCentredPlacement,
                                   .Resizeable = true,
                                   .CloseButton = true,
                                   .MinimizeButton = true,
                                   .MaximizeButton = true,
                                   .Visible = true,
                                   .MenuBar = &MenuBar1()};
  return record;
}

DrawingWindow::DrawingWindow(Passkey) { BuildWindow(); }

DrawingWindow::~DrawingWindow() = default;

void DrawingWindow::BuildWindow() {
  // Before Build: the items' enabling follows the document from its first event.
  fileSave_ = &MenuBar1().Named("FileSave");
  fileSaveAs_ = &MenuBar1().Named("FileSaveAs");
  fileRevertToSaved_ = &MenuBar1().Named("FileRevertToSaved");
  Build(Record(), kControls);
  AddMenuHandlers();
}

void DrawingWindow::FindControls() {
  fracCan_ = &ControlNamed<Canvas>("FracCan");
  statusText_ = &ControlNamed<StaticText>("StatusText");
  progressBar1_ = &ControlNamed<ProgressBar>("ProgressBar1");
  drawBTN_ = &ControlNamed<RadioButton>("DrawBTN");
  selectBTN_ = &ControlNamed<RadioButton>("SelectBTN");
  panBTN_ = &ControlNamed<RadioButton>("PanBTN");
  zoomBTN_ = &ControlNamed<RadioButton>("ZoomBTN");
}

void DrawingWindow::AddMenuHandlers() {
  MenuHandlers& handlers = Handlers();
  AddMenuHandler(handlers, "EditSelectAll", [this] { return EditSelectAll_Action(); });
  AddMenuHandler(handlers, "FileSaveAs", [this] { return FileSaveAs_Action(); });
  AddMenuHandler(handlers, "FileSave", [this] { return FileSave_Action(); });
  AddMenuHandler(handlers, "FileRevertToSaved", [this] { return FileRevertToSaved_Action(); });
}

Integer DrawingWindow::CanvasWidth() const { return FracCan().Width(); }

Integer DrawingWindow::CanvasHeight() const { return FracCan().Height(); }

// --- Settings window -----------------------------------------------------------

void DrawingWindow::OpenSettingsWindow() {
  CloseSettingsWindow();
  if (Services().NewSettingsWindow) SettingsWin = Services().NewSettingsWindow(*this);
}

void DrawingWindow::CloseSettingsWindow() {
  // Its close clears SettingsWin; the local copy keeps it alive meanwhile.
  if (const std::shared_ptr<SettingsWindowBase> settings = SettingsWin) settings->Close();
  SettingsWin = nullptr;
}

// --- Modified flag and menus ---------------------------------------------------

void DrawingWindow::OnChanged(bool changed) {
  Title(changed ? Name + "*" : Name);
  if (!changed) {
    FileSave().SetEnabled(false);
    FileRevertToSaved().SetEnabled(false);
  } else if (CurrentFile) {
    FileSave().SetEnabled(true);
    FileRevertToSaved().SetEnabled(true);
  }
}

void DrawingWindow::EnableMenuItems() {
  FileSaveAs().SetEnabled(true);
  if (Changed() && CurrentFile) {
    FileSave().SetEnabled(true);
    FileRevertToSaved().SetEnabled(true);
  }
}

// --- Window events -------------------------------------------------------------

bool DrawingWindow::KeyDown(const std::string& key) {
  const Integer code = Asc(key);
  // Every key restarts the preview; the two delete keys remove the selected
  // points first.
  if (code == kBackspace || code == kDelete) {
    RemoveSelected();
  } else {
    Preview();
  }
  return false;
}

void DrawingWindow::OnResized() {
  // The canvas has followed the window: the view is refitted to it, then
  // published once by the preview.
  FitViewToCanvas();
  Preview();
}

void DrawingWindow::OnActivate() {
  if (Services().HideOtherSettingsWins) Services().HideOtherSettingsWins(SettingsWin.get());
  if (SettingsWin && SettingsWin->WasVisible && !SettingsWin->Visible()) SettingsWin->Show();
}

bool DrawingWindow::CancelClose(bool /*appQuitting*/) {
  // A save under way may be all the prompt would ask for.
  FinishSave();
  if (!Changed()) return false;
  MessageDialog prompt;
  prompt.ActionButton->Caption = kSaveCaption;
  prompt.CancelButton->Visible = true;
  prompt.AlternateActionButton->Visible = true;
  prompt.AlternateActionButton->Caption = kDontSaveCaption;
  prompt.Message = kSavePromptStart + Title() + kSavePromptEnd;
  prompt.Explanation = kSavePromptExplanation;
  const MessageDialogButton* pressed = prompt.ShowModal();
  if (pressed == prompt.ActionButton) {
    // Closing is only safe once the changes are on disk: a cancelled save
    // dialog or a failed write keeps the window (and stops a quit).
    return !SaveForClose();
  }
  return pressed != prompt.AlternateActionButton;
}

void DrawingWindow::OnClose() {
  if (PreviewThread) PreviewThread->Kill();
  CloseSettingsWindow();
  if (Services().DocumentClosed) Services().DocumentClosed(*this);
}

}  // namespace vantrel
