#pragma once
// The document window: one open document with its drawing canvas "FracCan",
// the status row, the tool radio buttons, the command buttons and two timers.
//
// The document itself (points, selection, view, settings, file, name, the
// modified flag) is the DocumentModel it derives from; this class adds what
// needs a window: the controls and their handlers, the title and menu effects
// of Changed, the file commands with their prompts, closing and activation.
//
// Made only through its factories, which build the window and read the file
// before handing it out. Event thread only.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/DocumentFile.h"
#include "editor/DocumentModel.h"
#include "platform/core/FileResult.h"
#include "platform/core/FolderItem.h"
#include "platform/core/Numbers.h"
#include "platform/qt/ControlRecord.h"
#include "platform/qt/Window.h"
#include "platform/qt/WindowRecord.h"

namespace vantrel {

class Canvas;
class MenuItem;
class PreviewThreadClass;
class ProgressBar;
class RadioButton;
class SaveThread;
class StaticText;
class SettingsWindowBase;

class DrawingWindow : public Window, public DocumentModel {
  // Lets the factories reach the constructor through std::make_shared.
  struct Passkey {
    explicit Passkey() = default;
  };

 public:
  // The window's design size; the canvas's is 315 x 315 inside it.
  static constexpr Integer kDesignWidth = 375;
  static constexpr Integer kDesignHeight = 350;
  static constexpr Integer kCanvasDesignSize = 315;
  // Why a render size whose sides do not round to at least 1 pixel is refused.
  static constexpr char kCanNotRender[] =
      "Can not render. Rendering height and width need to be greater than 0. Edit the rendering "
      "dimensions in the settings window.";

  // A new, empty document titled name, with the default settings.
  static std::shared_ptr<DrawingWindow> NewDocument(const std::string& name);
  // A document read from file. A file that cannot be read as a document gets
  // the failed-read message and no window at all: the result is then null.
  static std::shared_ptr<DrawingWindow> OpenDocument(const FolderItem& file);
  // A document window for data, read from file beforehand (on a worker).
  static std::shared_ptr<DrawingWindow> FromDocument(DocumentData data, const FolderItem& file);

  explicit DrawingWindow(Passkey);
  ~DrawingWindow() override;

  // The document's settings window (null once it has closed for good, e.g.
  // while the application quits); the user's close box only hides it.
  std::shared_ptr<SettingsWindowBase> SettingsWin;
  // The render windows opened from this document, in opening order.
  std::vector<std::shared_ptr<Window>> RenderWin;
  // The current preview thread; null until the first preview starts one.
  std::shared_ptr<PreviewThreadClass> PreviewThread;
  // The File menu's save in progress, writing a snapshot of the document on
  // a save thread; null when none runs.
  std::shared_ptr<SaveThread> DocumentSave;

  using DocumentModel::Changed;
  using DocumentModel::Preview;
  using DocumentModel::Resized;

  // The controls the code uses, found once as the window is built.
  Canvas& FracCan() const { return *fracCan_; }
  StaticText& StatusText() const { return *statusText_; }
  ProgressBar& ProgressBar1() const { return *progressBar1_; }
  // The tool radio buttons.
  RadioButton& DrawBTN() const { return *drawBTN_; }
  RadioButton& SelectBTN() const { return *selectBTN_; }
  RadioButton& PanBTN() const { return *panBTN_; }
  RadioButton& ZoomBTN() const { return *zoomBTN_; }
  Integer CanvasWidth() const override;
  Integer CanvasHeight() const override;

  // Writes the document to f: f becomes its file and the document is
  // unchanged. A failed write shows a message naming the file and leaves the
  // document (file, modified flag, title) and the file on disk as they were.
  // A file that another open window holds is refused so, for Save As and
  // Save alike: one file never belongs to two windows.
  bool WriteFile(const FolderItem& f);
  // Asks for a file with the save dialog and writes the document there. False
  // when the user cancelled or the write failed.
  bool SaveAs();
  // Blocks until the save in progress, if any, has ended and its outcome has
  // been applied. Closing, reverting and every new save wait so: one
  // document never has two saves at once, and the close prompt sees whether
  // the work is kept.
  void FinishSave();
  // True when file is the document's file or the file a save in progress
  // is writing: either way it belongs to this window.
  bool HoldsFile(const FolderItem& file) const;
  // Reads file into this open window again (Revert To Saved) and restarts
  // the preview from it: true when it was read; otherwise the failed-read
  // message is shown and the document stays as it was.
  bool ReadFile(const FolderItem& file);

  // Menu handlers bound by item name; each returns false.
  bool EditSelectAll_Action();
  bool FileSaveAs_Action();
  bool FileSave_Action();
  bool FileRevertToSaved_Action();

  // The window's own items of the shared menu bar, found once as the window
  // is built.
  MenuItem& FileSave() const { return *fileSave_; }
  MenuItem& FileSaveAs() const { return *fileSaveAs_; }
  MenuItem& FileRevertToSaved() const { return *fileRevertToSaved_; }

  // Canvas handlers.
  bool FracCan_MouseDown(Integer x, Integer y);
  void FracCan_MouseDrag(Integer x, Integer y);
  void FracCan_MouseUp(Integer x, Integer y);
  bool FracCan_MouseWheel(Integer x, Integer y, Integer deltaX, Integer deltaY);
  void FracCan_Open();
  void FracCan_Paint(vantrel::Graphics& g);
  // Tool buttons and the cursor of the current tool.
  void DrawBTN_Action();
  void ZoomBTN_Action();
  void SetCursor();
  // Timers: Timer1 every 100 ms (cursor, progress), Timer2 once (first preview).
  void Timer1_Action();
  void Timer2_Action();
  // Command buttons.
  void RedrawBTN_Action();
  void StopBTN_Action();
  void SplitBTN_Action();
  void ScaleBTN_Action();
  void ClearBTN_Action();
  void SettingsBTN_Action();
  void RenderBTN_Action();

  // The window and control records, as designed.
  static const WindowRecord& Record();
  static const ControlRecord<DrawingWindow> kControls[17];

 protected:
  // Window events.
  void OnClose() override;
  bool CancelClose(bool appQuitting) override;
  void OnActivate() override;
  void OnResized() override;
  bool KeyDown(const std::string& key) override;
  void EnableMenuItems() override;
  void FindControls() override;

  // Document hooks. OnFitCanvas fits the canvas to the window, in the
  // render proportions when asked.
  void OnFitCanvas() override;
  void OnPreview() override;
  void OnChanged(bool changed) override;

 private:
  // Builds the window from its records and binds the menu handlers.
  void BuildWindow();
  void AddMenuHandlers();
  // The settings window of a document that is being made: new (defaults
  // from its controls) or read from a file.
  void OpenSettingsWindow();
  void CloseSettingsWindow();
  // Save as the save prompt does it: to the file, or with the save dialog
  // when there is none, waiting for the outcome. False when nothing was
  // written.
  bool SaveForClose();
  // The save dialog's answer; none when cancelled.
  static std::optional<FolderItem> AskSaveFile();
  // File > Save and Save As: writes the document as it stands now to f on a
  // save thread and returns at once. named: f also gives the document its
  // name. The outcome arrives through SaveEnded.
  void StartSave(const FolderItem& f, bool named);
  // Event thread: a save started at edit count edits has ended. On success
  // f becomes the document's file and the "*" clears unless the document
  // was changed since; a failure is told and keeps the "*".
  static void SaveEnded(const std::weak_ptr<DrawingWindow>& self, const FolderItem& f, bool named,
                        std::uint64_t edits, const FileResult& saved);
  // Whether count more points fit in the document; tells the user when not.
  bool RoomForPoints(std::size_t count);

  // Canvas tools (DrawingWindowTools.cpp).
  void ZoomPress(double fx, double fy);
  void PanPress(double fx, double fy);
  void PanDrag(double fx, double fy);
  void SelectPress(double fx, double fy);
  void SelectDrag(double fx, double fy);
  // The end of a rectangle drag: selects what lies inside and publishes.
  void SelectRelease();
  void DragSelectRegion(double fx, double fy);
  void MoveSelection(double fx, double fy);
  // The index of the point hit by a press at (fx, fy), or -1.
  Integer HitPoint(double fx, double fy) const;
  void SelectHitPoint(std::size_t i, bool shift, bool command);
  void SelectRange(std::size_t i);
  void DeselectAll();
  // Resumes a preview thread left suspended by a selection rectangle.
  void ResumeSuspendedPreview();
  // True from a press that asked for its drags and release until that release.
  bool gestureOpen_ = false;

  // Found once the window is built; the controls live as long as the window.
  Canvas* fracCan_ = nullptr;
  StaticText* statusText_ = nullptr;
  ProgressBar* progressBar1_ = nullptr;
  RadioButton* drawBTN_ = nullptr;
  RadioButton* selectBTN_ = nullptr;
  RadioButton* panBTN_ = nullptr;
  RadioButton* zoomBTN_ = nullptr;
  // Items of the menu bar, which lives as long as the process.
  MenuItem* fileSave_ = nullptr;
  MenuItem* fileSaveAs_ = nullptr;
  MenuItem* fileRevertToSaved_ = nullptr;
  // The file DocumentSave writes; none when no save runs.
  std::optional<FolderItem> savingTo_;

  // Live preview (DrawingWindowPreview.cpp).
  // The host of the window's preview threads. A thread may keep it after the
  // window has gone, so the host never owns the window; as the window goes
  // (declared last, this goes first) the link kills the current thread and
  // detaches the host from the window.
  struct PreviewLink {
    ~PreviewLink();
    DrawingWindow* Owner;
    std::shared_ptr<class WindowPreviewHost> Host;
  };
  PreviewLink previewLink_{this, nullptr};
  // Kills the current preview thread, whatever its state, and starts a new one.
  void RestartPreviewThread();
};

}  // namespace vantrel
