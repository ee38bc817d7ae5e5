// The render window: its design, the factory and constructor, the worker's
// start and end, the timers, Save, closing and activation. The picture view
// (zoom, scrolling, drag panning, painting) is in RenderWindowView.cpp.
#include "render/RenderWindow.h"

#include <system_error>
#include <utility>

#include "editor/DocumentServices.h"
#include "editor/DocumentSnapshot.h"
#include "editor/DrawingWindow.h"
#include "menus/MenuBar1.h"
#include "model/FracRender.h"
#include "model/Globals.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/Picture.h"
#include "platform/core/PicturePyramid.h"
#include "platform/core/SaveThread.h"
#include "platform/core/Text.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/ComboBox.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/ProgressBar.h"
#include "platform/qt/PushButton.h"
#include "platform/qt/ScrollBar.h"
#include "platform/qt/Timer.h"
#include "render/PictureFile.h"

namespace vantrel {
namespace {

constexpr unsigned kAllEdges = Lock::Left | Lock::Top | Lock::Right | Lock::Bottom;

constexpr char kPictureSuffix[] = ".JPG";
constexpr char kSaveFailedMessage[] = "Failed to save picture.";
constexpr char kOutOfMemoryMessage[] =
    "Not enough memory to finish rendering this fractal. The picture is incomplete.";
constexpr char kNoThreadMessage[] = "The rendering could not be started.";

std::string NoPictureMessage(Integer width, Integer height) {
  return "Could not make a picture of " + Str(width) + " by " + Str(height) +
         " pixels to render into. Choose a smaller render size.";
}

// The document held for as long as the window is open. A document that is
// not (yet) owned by a shared_ptr is held by address only.
std::shared_ptr<DrawingWindow> Holding(DrawingWindow& dw) {
  return std::shared_ptr<DrawingWindow>(dw.weak_from_this().lock(), &dw);
}

}  // namespace

using W = RenderWindow;

const ControlRecord<RenderWindow> RenderWindow::kControls[9] = {
    {.Name = "FracCan", .Kind = ControlKind::Canvas, .Left = 0, .Top = 27, .Width = 284,
     .Height = 257, .Locks = kAllEdges, .Open = &W::FracCan_Open,
     .MouseDown = &W::FracCan_MouseDown, .MouseDrag = &W::FracCan_MouseDrag,
     .MouseUp = &W::FracCan_MouseUp, .Paint = &W::OnPaint},
    {.Name = "ScrollBarY", .Kind = ControlKind::ScrollBar, .Left = 284, .Top = 27, .Width = 16,
     .Height = 257, .Locks = Lock::Top | Lock::Right | Lock::Bottom, .Value = 0, .Minimum = 0,
     .Maximum = 100, .LineStep = 20, .PageStep = 20, .LiveScroll = true,
     .ValueChanged = &W::ScrollBarY_ValueChanged},
    {.Name = "ScrollBarX", .Kind = ControlKind::ScrollBar, .Left = 0, .Top = 284, .Width = 284,
     .Height = 16, .Locks = Lock::Left | Lock::Right | Lock::Bottom, .Value = 0, .Minimum = 0,
     .Maximum = 100, .LineStep = 20, .PageStep = 20, .LiveScroll = false,
     .ValueChanged = &W::ScrollBarX_ValueChanged},
    {.Name = "DrawTimer", .Kind = ControlKind::Timer, .Locks = Lock::None, .Mode = 2,
     .Period = 2000, .Action = &W::DrawTimer_Action},
    {.Name = "SaveBTN", .Kind = ControlKind::BevelButton, .Left = 240, .Top = 0, .Width = 60,
     .Height = 22, .Locks = Lock::Top | Lock::Right, .Enabled = false, .Caption = "Save",
     .Action = &W::SaveBTN_Action},
    {.Name = "ProgressBar1", .Kind = ControlKind::ProgressBar, .Left = 151, .Top = 0, .Width = 77,
     .Height = 20, .Locks = Lock::Left | Lock::Top | Lock::Right, .Value = 0, .Maximum = 10000},
    {.Name = "ProgressTimer", .Kind = ControlKind::Timer, .Locks = Lock::None, .Mode = 2,
     .Period = 1000, .Action = &W::ProgressTimer_Action},
    {.Name = "ScaleBox", .Kind = ControlKind::ComboBox, .Left = 59, .Top = 0, .Width = 80,
     .Height = 20, .Locks = Lock::None, .Items = kZoomItems, .ListIndex = kZoomListIndex,
     .Change = &W::ScaleBox_Change, .TextChanged = &W::ScaleBox_TextChanged},
    {.Name = "StaticText1", .Kind = ControlKind::StaticText, .Left = 0, .Top = 0, .Width = 47,
     .Height = 20, .Locks = Lock::None, .Text = "Zoom:", .TextAlign = 2},
};

const WindowRecord& RenderWindow::Record() {
  // Built on first use: the shared menu bar must exist before the record names it.
  static const WindowRecord record{.Name = "RenderWindow",
                                   .Title = "Rendering",
                                   .Width = 300,
                                   .Height = 300,
                                   .MinWidth = kMinOpenWidth,
                                   .MinHeight = kMinOpenHeight,
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

// --- Making the window -----------------------------------------------------------

std::shared_ptr<RenderWindow> RenderWindow::Create(DrawingWindow& dw) {
  std::shared_ptr<SettingSet> settings =
      dw.CurrentSettings ? dw.CurrentSettings->Copy() : std::make_shared<SettingSet>();
  // The picture comes before the window: a size that cannot be held gets its
  // message and no window at all, instead of a window with nothing to show.
  // Its memory (and its pyramid's, a sixth more) is taken here but written
  // by the worker, so the press returns at once whatever the size.
  const Integer width = ToInteger(settings->Ints[kRenderWidth]);
  const Integer height = ToInteger(settings->Ints[kRenderHeight]);
  if (width < 1 || height < 1) {
    MsgBox(DrawingWindow::kCanNotRender);
    return nullptr;
  }
  std::shared_ptr<Picture> fractal = NewUnpaintedPicture(width, height, 16);
  std::shared_ptr<PicturePyramid> pyramid =
      fractal ? PicturePyramid::New(width, height) : nullptr;
  if (!pyramid) {
    MsgBox(NoPictureMessage(width, height));
    return nullptr;
  }
  auto window = std::make_shared<RenderWindow>(Passkey{}, dw, std::move(settings),
                                               std::move(fractal), std::move(pyramid));
  try {
    window->Start();
  } catch (const std::system_error&) {
    window->Close();
    MsgBox(kNoThreadMessage);
    return nullptr;
  }
  return window;
}

std::shared_ptr<Window> RenderWindow::NewRenderWindow(DrawingWindow& dw) { return Create(dw); }

void RenderWindow::InstallFactory() { Services().NewRenderWindow = &NewRenderWindow; }

RenderWindow::RenderWindow(Passkey, DrawingWindow& dw, std::shared_ptr<SettingSet> settings,
                           std::shared_ptr<Picture> fractal,
                           std::shared_ptr<PicturePyramid> pyramid)
    : mSettings(std::move(settings)),
      Fractal(std::move(fractal)),
      Pyramid(std::move(pyramid)),
      DWin(Holding(dw)) {
  Build(Record(), kControls);
  SetUpScrollBars();
}

// Raised inside Build, before the window shows: the window takes its opening
// size while hidden, so no window manager ever sees a resize of a new window.
void RenderWindow::OnOpen() { OpeningSize(); }

RenderWindow::~RenderWindow() {
  // A window torn down without closing still must not leave its worker drawing.
  if (RenderThread) RenderThread->Kill();
}

void RenderWindow::FindControls() {
  fracCan_ = &ControlNamed<Canvas>("FracCan");
  scrollBarX_ = &ControlNamed<ScrollBar>("ScrollBarX");
  scrollBarY_ = &ControlNamed<ScrollBar>("ScrollBarY");
  drawTimer_ = &ControlNamed<Timer>("DrawTimer");
  progressTimer_ = &ControlNamed<Timer>("ProgressTimer");
  saveBTN_ = &ControlNamed<PushButton>("SaveBTN");
  progressBar1_ = &ControlNamed<ProgressBar>("ProgressBar1");
  scaleBox_ = &ControlNamed<ComboBox>("ScaleBox");
}

void RenderWindow::OpeningSize() {
  // Each axis adds its own margin between window and canvas, so the canvas is
  // exactly the picture's size whenever that fits between the bounds.
  const double marginX = Width() - FracCan().Width();
  Width(ToInteger(Globals::Limit(kMinOpenWidth, mSettings->Ints[kRenderWidth] + marginX,
                                 kMaxOpenSize)));
  const double marginY = Height() - FracCan().Height();
  Height(ToInteger(Globals::Limit(kMinOpenHeight, mSettings->Ints[kRenderHeight] + marginY,
                                  kMaxOpenSize)));
}

// --- The worker ----------------------------------------------------------------

void RenderWindow::Start() {
  // The worker reads the document as it stands now: colours, line width,
  // view, canvas size and points, never the live document.
  DWin->PublishSnapshot();
  const std::weak_ptr<RenderWindow> self =
      std::static_pointer_cast<RenderWindow>(shared_from_this());
  RenderThread = std::make_shared<vantrel::RenderThread>(
      Fractal, Pyramid, DWin->Snapshot(),
      &PostToEventThread,
      [self](vantrel::RenderThread::Outcome outcome) {
        if (const std::shared_ptr<RenderWindow> window = self.lock()) window->RenderEnded(outcome);
      });
  RenderThread->StackSize = vantrel::RenderThread::kStackSize;
  RenderThread->Priority = vantrel::RenderThread::kPriority;
  RenderThread->Run();
}

std::shared_ptr<const FracRender> RenderWindow::Renderer() const {
  return RenderThread ? RenderThread->Renderer() : nullptr;
}

void RenderWindow::RenderEnded(vantrel::RenderThread::Outcome outcome) {
  if (!IsOpen()) return;
  // One delivery on the event thread: no timer action can come between the
  // last picture and the stopping of the timers.
  DrawFrac();
  DrawTimer().Mode(Timer::kOff);
  ProgressTimer().Mode(Timer::kOff);
  ProgressBar1().Visible(false);
  if (outcome == vantrel::RenderThread::Outcome::Complete) {
    SaveBTN().Enabled(true);
  } else {
    MsgBox(kOutOfMemoryMessage);
  }
}

// --- Timers --------------------------------------------------------------------

void RenderWindow::DrawTimer_Action() { DrawFrac(); }

void RenderWindow::ProgressTimer_Action() {
  const std::shared_ptr<const FracRender> renderer = Renderer();
  if (!renderer) return;
  // A path of fewer than two points has nothing to count.
  if (renderer->ProgressMax() == 0) return;
  ProgressBar1().Value(renderer->ProgressValue(ProgressBar1().Maximum()));
}

// --- Save ----------------------------------------------------------------------

void RenderWindow::SaveBTN_Action() {
  // One save at a time: a second would race the first to the same file.
  if (!Fractal || !DWin || SaveThread) return;
  const std::optional<FolderItem> f = GetSaveFolderItem("", DWin->Name + kPictureSuffix);
  if (!f) return;
  SavePicture(*f);
}

void RenderWindow::SavePicture(const FolderItem& f) {
  // A picture over an open document's file would leave that window believing
  // its work saved, and a quit would then lose it.
  if (Services().WindowWithFile && Services().WindowWithFile(f, nullptr)) {
    MsgBox(std::string(kSaveFailedMessage) + " Could not save \"" + f.NativePath() +
           "\": it is open in a document window.");
    return;
  }
  // The render has ended, so the picture no longer changes: the save thread
  // reads it through its own reference, which keeps it alive should the
  // window close before the save ends.
  const std::shared_ptr<const Picture> picture = Fractal;
  const std::weak_ptr<RenderWindow> self =
      std::static_pointer_cast<RenderWindow>(shared_from_this());
  auto save = std::make_shared<vantrel::SaveThread>(
      [picture, f] { return SaveAsPicture(f, *picture); },
      &PostToEventThread,
      [self](const FileResult& saved) { PictureSaved(self, saved); });
  try {
    save->Run();
  } catch (const std::system_error&) {
    // No thread to be had: the save is made here, and the window waits.
    PictureSaved(self, SaveAsPicture(f, *picture));
    return;
  }
  SaveThread = std::move(save);
  SaveBTN().Enabled(false);
}

void RenderWindow::PictureSaved(const std::weak_ptr<RenderWindow>& self, const FileResult& saved) {
  if (const std::shared_ptr<RenderWindow> window = self.lock(); window && window->IsOpen()) {
    window->SaveThread = nullptr;
    window->SaveBTN().Enabled(true);
  }
  if (!saved) MsgBox(std::string(kSaveFailedMessage) + " " + saved.Error() + ".");
}

// --- Window events -------------------------------------------------------------

void RenderWindow::OnClose() {
  if (RenderThread) RenderThread->Kill();
  // The worker keeps what it needs until it has unwound; the window lets go
  // of the picture, the thread and the document at once, so a closed window
  // that its document still lists holds no picture memory.
  RenderThread = nullptr;
  // A save is not stopped: it ends on its own, and tells a failure.
  SaveThread = nullptr;
  Fractal = nullptr;
  Pyramid = nullptr;
  DWin = nullptr;
}

void RenderWindow::OnActivate() {
  if (Services().HideOtherSettingsWins) Services().HideOtherSettingsWins(nullptr);
}

}  // namespace vantrel
