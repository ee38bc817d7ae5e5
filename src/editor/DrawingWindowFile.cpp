// The document window's file commands: making a window for a new or a stored
// document, Save, Save As and Revert To Saved.
//
// A file is always read whole before the window or its document is touched,
// so a file that cannot be read leaves no half-made window and a failed
// revert leaves the document as it was.
#include <optional>
#include <string>
#include <utility>

#include "editor/DocumentFile.h"
#include "editor/DocumentServices.h"
#include "editor/DrawingWindow.h"
#include "model/Globals.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/qt/Dialogs.h"

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
// and the one saved first would believe its work kept.
bool HeldByAnotherWindow(const FolderItem& file, const DrawingWindow& asking) {
  return Services().WindowWithFile && Services().WindowWithFile(file, &asking) != nullptr;
}

std::string HeldElsewhereMessage(const FolderItem& file) {
  return std::string(kWriteFailedMessage) + " Could not save \"" + file.NativePath() +
         "\": it is open in another window.";
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
  auto window = std::make_shared<DrawingWindow>(Passkey{});
  ApplyDocument(*window, std::move(*data), file);
  window->OpenSettingsWindow();
  window->Changed(false);
  return window;
}

bool DrawingWindow::ReadFile(const FolderItem& file) {
  // Read before anything is cleared: a file that went bad since it was
  // saved must not cost the user the document on screen.
  std::optional<DocumentData> data = ReadForWindow(file);
  if (!data) return false;
  // Replaces every point and publishes once; the caller restarts the preview.
  ApplyDocument(*this, std::move(*data), file);
  // The settings window shows the settings it was built with: a new one
  // shows those just read.
  OpenSettingsWindow();
  Changed(false);
  return true;
}

bool DrawingWindow::WriteFile(const FolderItem& f) {
  if (HeldByAnotherWindow(f, *this)) {
    MsgBox(HeldElsewhereMessage(f));
    return false;
  }
  const FileResult written = WriteDocumentFile(*this, f);
  if (!written) MsgBox(written.Error());
  return written.Ok();
}

bool DrawingWindow::SaveAs() {
  SaveAsDialog dialog;
  dialog.InitialDirectory = Globals::FracFolder();
  dialog.PromptText = kSavePromptText;
  dialog.SuggestedFileName = kSaveSuggestedFileName;
  dialog.Title = kSaveDialogTitle;
  const std::optional<FolderItem> f = dialog.ShowModal();
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
  SaveForClose();
  return false;
}

bool DrawingWindow::FileSaveAs_Action() {
  SaveAs();
  return false;
}

bool DrawingWindow::FileRevertToSaved_Action() {
  if (!Changed() || !CurrentFile) return false;
  MessageDialog prompt;
  prompt.ActionButton->Caption = kRevertCaption;
  prompt.CancelButton->Visible = true;
  prompt.Message = RevertMessage(Title());
  prompt.Explanation = kRevertExplanation;
  if (prompt.ShowModal() != prompt.ActionButton) return false;
  // A copy: the reader replaces CurrentFile while it reads.
  if (ReadFile(FolderItem(*CurrentFile))) Preview();
  return false;
}

}  // namespace vantrel
