#pragma once
// The render window: renders one document's fractal once, at the render size
// of the document's settings, into an off-screen picture, lets the user watch
// it grow, zoom and scroll it, and save it as a JPEG file.
//
// The work is split between the factory and constructor (settings copy,
// picture, window size, start of the worker), the worker RenderThread
// (background, view mapping, the renderer with depth limit 500), two timers
// on the event thread (DrawTimer shows the growing picture every 2000 ms,
// ProgressTimer moves the bar every 1000 ms), the end of the render (delivered
// on the event thread: last picture, timers off, bar hidden, Save enabled)
// and the Save button, whose save runs on a SaveThread. The picture view (zoom box, scroll bars, drag panning,
// painting) is in RenderWindowView.cpp.
//
// Event thread only; the workers reach the window only through what they
// deliver (the render's Finish, a save's outcome).
#include <memory>

#include "platform/core/FileResult.h"
#include "platform/core/Numbers.h"
#include "platform/qt/ControlRecord.h"
#include "platform/qt/Window.h"
#include "platform/qt/WindowRecord.h"
#include "render/RenderThread.h"

namespace vantrel {

class Canvas;
class ComboBox;
class DrawingWindow;
class FolderItem;
class FracRender;
class Picture;
class PicturePyramid;
class ProgressBar;
class PushButton;
class SaveThread;
class ScrollBar;
class SettingSet;
class Timer;

class RenderWindow : public Window {
  // Lets the factory reach the constructor through std::make_shared.
  struct Passkey {
    explicit Passkey() = default;
  };

 public:
  // Bounds of the opening size; a larger picture is scrolled.
  static constexpr Integer kMinOpenWidth = 200;
  static constexpr Integer kMinOpenHeight = 100;
  static constexpr Integer kMaxOpenSize = 500;
  // The zoom box's items, separated by Chr(13), exactly as stored.
  static constexpr char kZoomItems[] =
      "12.5%\r16.7%\r25%\r33.3%\r50.%\r66.7%\r75%\r100%\r150%\r200%\r300%\r400%\r500%";
  static constexpr Integer kZoomListIndex = 7;  // "100%"

  // Makes, shows and starts the render window of dw. A render size whose
  // sides round below 1 pixel gets the Render button's message, and one that
  // no picture can be made for a message naming the size; neither gets a
  // window: the result is then null.
  static std::shared_ptr<RenderWindow> Create(DrawingWindow& dw);
  // The same, in the form the document windows ask for it (Services()).
  static std::shared_ptr<Window> NewRenderWindow(DrawingWindow& dw);
  // Installs NewRenderWindow in Services(); the application does it at start-up.
  static void InstallFactory();

  RenderWindow(Passkey, DrawingWindow& dw, std::shared_ptr<SettingSet> settings,
               std::shared_ptr<Picture> fractal, std::shared_ptr<PicturePyramid> pyramid);
  ~RenderWindow() override;

  // The document's settings as they were when the window was made; only the
  // render width and height are read, to size the picture and the window.
  std::shared_ptr<SettingSet> mSettings;
  // The render target, drawn into by the worker and shown by the view. Let
  // go when the window closes (the worker keeps its own reference until it
  // has unwound), so a closed window holds no picture memory.
  std::shared_ptr<Picture> Fractal;
  // Halved copies of Fractal, kept by the worker, that the view averages
  // from far below 100 %; let go with Fractal.
  std::shared_ptr<PicturePyramid> Pyramid;
  // The document rendered; let go when the window closes, which breaks the
  // cycle with the document's RenderWin list.
  std::shared_ptr<DrawingWindow> DWin;
  // The worker; null once the window has closed.
  std::shared_ptr<vantrel::RenderThread> RenderThread;
  // The save in progress, writing the finished picture; null when none runs
  // and once the window has closed (a save outlives its window: it finishes,
  // or fails and says so). Save is disabled while one runs.
  std::shared_ptr<vantrel::SaveThread> SaveThread;

  // The view (RenderWindowView.cpp).
  Integer XScroll = 0;    // offset of the part shown, in pixels of the scaled picture
  Integer Yscroll = 0;
  double PanX = 0.0;      // canvas position of the mouse at the last step of a drag
  double PanY = 0.0;
  double Scale = 1.0;     // canvas pixels per picture pixel
  bool InhibitScroll = false;  // true while a drag sets both bars

  // The renderer; null until the worker has constructed it.
  std::shared_ptr<const FracRender> Renderer() const;

  // Event handlers, public so that tests can drive them.
  void FracCan_Open();
  bool FracCan_MouseDown(Integer x, Integer y);
  void FracCan_MouseDrag(Integer x, Integer y);
  void FracCan_MouseUp(Integer x, Integer y);
  void ScrollBarY_ValueChanged();
  void ScrollBarX_ValueChanged();
  void DrawTimer_Action();
  void ProgressTimer_Action();
  void SaveBTN_Action();
  void ScaleBox_Change();
  void ScaleBox_TextChanged();

  // Fits the scroll bars to the picture at the current zoom and returns the
  // view to the picture's top-left corner.
  void SetUpScrollBars();
  // Draws the whole picture, scaled, with its top-left at (-XScroll, -Yscroll).
  void DrawFrac();
  // Moves the canvas's pixels to the scroll bars' values.
  void Scroll();
  // Applies the zoom box's text.
  void ScalePic();

  // The controls.
  Canvas& FracCan() const { return *fracCan_; }
  ScrollBar& ScrollBarX() const { return *scrollBarX_; }
  ScrollBar& ScrollBarY() const { return *scrollBarY_; }
  Timer& DrawTimer() const { return *drawTimer_; }
  Timer& ProgressTimer() const { return *progressTimer_; }
  PushButton& SaveBTN() const { return *saveBTN_; }
  ProgressBar& ProgressBar1() const { return *progressBar1_; }
  ComboBox& ScaleBox() const { return *scaleBox_; }

  // The window record and the control table, as designed.
  static const WindowRecord& Record();
  static const ControlRecord<RenderWindow> kControls[9];

 protected:
  void OnOpen() override;
  void OnResized() override;
  void OnPaint(vantrel::Graphics& g) override;
  void OnClose() override;
  void OnActivate() override;
  void FindControls() override;

 private:
  void OpeningSize();
  // Starts the worker; it reports its end through RenderEnded.
  void Start();
  void RenderEnded(vantrel::RenderThread::Outcome outcome);
  // Starts writing the picture to f on a save thread; its end is told
  // through PictureSaved.
  void SavePicture(const FolderItem& f);
  // Event thread: the save has ended. A failure is told also when the
  // window has closed meanwhile.
  static void PictureSaved(const std::weak_ptr<RenderWindow>& self, const FileResult& saved);
  // Fills the strips that a scroll by (dx, dy) uncovered from the picture.
  void FillUncovered(Integer dx, Integer dy);
  // Draws the scaled picture onto the canvas rectangle given, as DrawFrac
  // would draw it there.
  void DrawFracInto(Integer left, Integer top, Integer width, Integer height);
  // The same below 100 %, with the picture shrunk by averaging.
  void DrawShrunkInto(Integer left, Integer top, Integer width, Integer height);
  // The largest zoom at which the scaled picture still has Integer sides.
  double MaxScale() const;

  Canvas* fracCan_ = nullptr;
  ScrollBar* scrollBarX_ = nullptr;
  ScrollBar* scrollBarY_ = nullptr;
  Timer* drawTimer_ = nullptr;
  Timer* progressTimer_ = nullptr;
  PushButton* saveBTN_ = nullptr;
  ProgressBar* progressBar1_ = nullptr;
  ComboBox* scaleBox_ = nullptr;
};

}  // namespace vantrel
