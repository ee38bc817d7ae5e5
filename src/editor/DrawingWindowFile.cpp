// The document window's file commands: making a window for a new or a stored
// document, Save, Save As and Revert To Saved. The menu's Save and Save As
// write a snapshot on a save thread; the close prompt's Save waits.
//
// A file is always read whole before the window or its document is touched,
// so a file that cannot be read leaves no half-made window and a failed
// revert leaves the document as it was.
#include <chrono>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "editor/DocumentFile.h"
#include "editor/DocumentServices.h"
#include "editor/DocumentSnapshot.h"
#include "editor/DrawingWindow.h"
#include "model/Globals.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/SaveThread.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/EventThread.h"

namespace vantrel {
namespace {

// Reads file for Open or Revert To Saved; tells the user and gives nothing
// when it cannot be read as a document.
std::optional<DocumentData> ReadForWindow(const FolderItem& file) {
  Result<DocumentData> data = ReadDocumentFile(file);
  if (!data) {
    MsgBox(data.Error());
    return std::nullopt;
  }
  return std::move(*data);
}

// Two windows saving to one file would each replace the other's work unasked,
// and the one saved first would believe its work kept: such a save is
// refused, and the user told (true).
bool RefusedAsHeldElsewhere(const FolderItem& file, const DrawingWindow& asking) {
  if (!Services().WindowWithFile || Services().WindowWithFile(file, &asking) == nullptr) {
    return false;
  }
  MsgBox(std::string(kWriteFailedMessage) + " Could not save \"" + file.NativePath() +
         "\": it is open in another window.");
  return true;
}

}  // namespace

std::shared_ptr<DrawingWindow> DrawingWindow::NewDocument(const std::string& name) {
  auto window = std::make_shared<DrawingWindow>(Passkey{});
  window->Name = name;
  window->CurrentSettings = std::make_shared<SettingSet>();
  // The settings window puts its design values in as it opens; these are
  // the same values, for a document that has no settings window to open.
  SettingsCatalogue::ApplyDefaults(*window->CurrentSettings);
  window->Title(name);
  window->X2 = 1.0;
  window->Y2 = 1.0;
  window->OldCanSizeX = window->CanvasWidth();
  window->OldCanSizeY = window->CanvasHeight();
  window->OpenSettingsWindow();
  window->LoadDefaulySettings = false;
  window->Changed(false);
  window->PublishSnapshot();
  return window;
}

std::shared_ptr<DrawingWindow> DrawingWindow::OpenDocument(const FolderItem& file) {
  std::optional<DocumentData> data = ReadForWindow(file);
  if (!data) return nullptr;
  return FromDocument(std::move(*data), file);
}

std::shared_ptr<DrawingWindow> DrawingWindow::FromDocument(DocumentData data,
                                                           const FolderItem& file) {
  auto window = std::make_shared<DrawingWindow>(Passkey{});
  ApplyDocument(*window, std::move(data), file);
  window->OpenSettingsWindow();
  window->Changed(false);
  window->PublishSnapshot();
  return window;
}

bool DrawingWindow::ReadFile(const FolderItem& file) {
  // Read before anything is cleared: a file that went bad since it was
  // saved must not cost the user the document on screen.
  std::optional<DocumentData> data = ReadForWindow(file);
  if (!data) return false;
  ApplyDocument(*this, std::move(*data), file);
  // The settings window shows the settings it was built with: a new one
  // shows those just read.
  OpenSettingsWindow();
  Changed(false);
  // The one snapshot of the whole revert, which the new thread starts from.
  Preview();
  return true;
}

bool DrawingWindow::WriteFile(const FolderItem& f) {
  if (RefusedAsHeldElsewhere(f, *this)) return false;
  const FileResult written = WriteDocumentFile(*this, f);
  if (!written) MsgBox(written.Error());
  return written.Ok();
}

std::optional<FolderItem> DrawingWindow::AskSaveFile() {
  SaveAsDialog dialog;
  dialog.InitialDirectory = Globals::FracFolder();
  dialog.PromptText = kSavePromptText;
  dialog.SuggestedFileName = kSaveSuggestedFileName;
  dialog.Title = kSaveDialogTitle;
  return dialog.ShowModal();
}

bool DrawingWindow::SaveAs() {
  const std::optional<FolderItem> f = AskSaveFile();
  if (!f || !WriteFile(*f)) return false;
  Name = f->Name();
  Changed(false);
  if (SettingsWin) SettingsWin->Title(kSettingsTitlePrefix + Title());
  return true;
}

bool DrawingWindow::SaveForClose() {
  if (CurrentFile) return WriteFile(*CurrentFile);
  return SaveAs();
}

bool DrawingWindow::FileSave_Action() {
  // The item is offered only with a file; should it fire without one, Save
  // As is the only save there is.
  if (CurrentFile) {
    StartSave(FolderItem(*CurrentFile), false);
  } else if (const std::optional<FolderItem> f = AskSaveFile()) {
    StartSave(*f, true);
  }
  return false;
}

bool DrawingWindow::FileSaveAs_Action() {
  if (const std::optional<FolderItem> f = AskSaveFile()) StartSave(*f, true);
  return false;
}

void DrawingWindow::StartSave(const FolderItem& f, bool named) {
  FinishSave();
  if (RefusedAsHeldElsewhere(f, *this)) return;
  // Published now: a settings edit does not publish, and the file must hold
  // the document exactly as it stands at the press.
  PublishSnapshot();
  const std::shared_ptr<const DocumentSnapshot> snapshot = Snapshot();
  const std::uint64_t edits = Edits();
  const std::weak_ptr<DrawingWindow> self =
      std::static_pointer_cast<DrawingWindow>(weak_from_this().lock());
  auto save = std::make_shared<SaveThread>(
      [snapshot, f] { return WriteSnapshotFile(*snapshot, f); }, &PostToEventThread,
      [self, f, named, edits](const FileResult& saved) {
        SaveEnded(self, f, named, edits, saved);
      });
  try {
    save->Run();
  } catch (const std::system_error&) {
    // No thread to be had: the save is made here.
    SaveEnded(self, f, named, edits, WriteSnapshotFile(*snapshot, f));
    return;
  }
  DocumentSave = std::move(save);
  savingTo_ = f;
}

void DrawingWindow::SaveEnded(const std::weak_ptr<DrawingWindow>& self, const FolderItem& f,
                              bool named, std::uint64_t edits, const FileResult& saved) {
  const std::shared_ptr<DrawingWindow> window = self.lock();
  if (window) {
    window->DocumentSave = nullptr;
    window->savingTo_.reset();
  }
  // A window closed meanwhile (its user chose not to save) still hears of a
  // failure.
  if (!saved) MsgBox(saved.Error());
  if (!saved || !window || !window->IsOpen()) return;
  window->CurrentFile = f;
  if (named) window->Name = f.Name();
  // Also refreshes the title for a new name.
  window->Changed(window->Edits() != edits);
  if (named && window->SettingsWin) {
    window->SettingsWin->Title(kSettingsTitlePrefix + window->Title());
  }
}

void DrawingWindow::FinishSave() {
  const std::shared_ptr<SaveThread> save = DocumentSave;
  if (!save) return;
  // Never killed, so it ends; its outcome is then already queued.
  save->WaitUntilEnded(std::chrono::hours(24 * 365));
  DrainEventThreadQueue();
}

bool DrawingWindow::HoldsFile(const FolderItem& file) const {
  return (CurrentFile && CurrentFile->SameFile(file)) || (savingTo_ && savingTo_->SameFile(file));
}

bool DrawingWindow::FileRevertToSaved_Action() {
  // The file read back must be the one a save under way is writing.
  FinishSave();
  if (!Changed() || !CurrentFile) return false;
  MessageDialog prompt;
  prompt.ActionButton->Caption = kRevertCaption;
  prompt.CancelButton->Visible = true;
  prompt.Message = RevertMessage(Title());
  prompt.Explanation = kRevertExplanation;
  if (prompt.ShowModal() != prompt.ActionButton) return false;
  // A copy: the reader replaces CurrentFile while it reads.
  ReadFile(FolderItem(*CurrentFile));
  return false;
}

}  // namespace vantrel
