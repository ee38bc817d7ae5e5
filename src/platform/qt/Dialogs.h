#pragma once
// Implements: MessageDialog (message, explanation, up to three buttons),
//   OpenDialog, SaveAsDialog, MsgBox, SelectColor, GetSaveFolderItem, opening
//   links and documents, scripted answers for tests.
// Leaves out: icons in messages, sheets attached to a window, file type
//   filters, multiple selection, folder pickers, custom controls in dialogs.
//
// The program's modal dialogs and the desktop services that come with them.
//
// Program code builds a MessageDialog, OpenDialog or SaveAsDialog and calls
// ShowModal, or calls MsgBox, SelectColor and GetSaveFolderItem; all of them
// go through the one installed Dialogs: QtDialogs in the program, a
// ScriptedDialogs in tests. With none installed every dialog is answered as
// cancelled at once (and says so on stderr), so a test that forgot to script
// a dialog fails instead of hanging. Event thread only.
#include <optional>
#include <string>

#include "platform/core/Color.h"
#include "platform/core/FolderItem.h"

namespace vantrel {

class MessageDialogButton {
 public:
  std::string Caption;
  bool Visible = false;
};

// Which of a message dialog's buttons was pressed.
enum class MessageDialogChoice { Action, Alternate, Cancel };

// A question with up to three buttons. The program compares the button that
// ShowModal returns with the dialog's own buttons (b == d.ActionButton), so
// a dialog is neither copied nor moved: its buttons keep their addresses.
class MessageDialog {
 public:
  MessageDialog();
  MessageDialog(const MessageDialog&) = delete;
  MessageDialog& operator=(const MessageDialog&) = delete;

  std::string Message;
  std::string Explanation;
  // Caption "OK", visible.
  MessageDialogButton* const ActionButton;
  // Caption "Cancel", hidden until the program shows it.
  MessageDialogButton* const CancelButton;
  // No caption, hidden.
  MessageDialogButton* const AlternateActionButton;

  // The button pressed: always one of this dialog's three.
  MessageDialogButton* ShowModal();

  MessageDialogButton* ButtonFor(MessageDialogChoice choice) const;

 private:
  MessageDialogButton action_;
  MessageDialogButton cancel_;
  MessageDialogButton alternate_;
};

class OpenDialog {
 public:
  std::optional<FolderItem> InitialDirectory;
  std::string Title;
  // The chosen file, nullopt when cancelled.
  std::optional<FolderItem> ShowModal() const;
};

class SaveAsDialog {
 public:
  std::optional<FolderItem> InitialDirectory;
  std::string PromptText;
  std::string SuggestedFileName;
  std::string Title;
  // The file to write (it may exist: the dialog has asked before replacing
  // it), nullopt when cancelled.
  std::optional<FolderItem> ShowModal() const;
};

// What actually shows dialogs and hands links and documents to the desktop.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void ShowMsgBox(const std::string& text) = 0;
  virtual MessageDialogChoice ShowMessageDialog(const MessageDialog& dialog) = 0;
  virtual std::optional<FolderItem> ShowOpenDialog(const OpenDialog& dialog) = 0;
  virtual std::optional<FolderItem> ShowSaveDialog(const SaveAsDialog& dialog) = 0;
  // True and c changed only when the user confirms a colour.
  virtual bool ShowColorDialog(Color& c, const std::string& prompt) = 0;
  // False when the desktop could not hand the link or document to a program.
  virtual bool OpenURL(const std::string& url) = 0;
  virtual bool OpenDocument(const FolderItem& item) = 0;
};

// Installs dialogs (nullptr: none) and returns the ones installed before.
// The object must outlive its installation.
Dialogs* SetDialogs(Dialogs* dialogs);
Dialogs* InstalledDialogs();

// One modal message with an OK button.
void MsgBox(const std::string& text);

// The colour picker opened on c: true and c changed only when the user confirms.
bool SelectColor(Color& c, const std::string& prompt);

// A save dialog suggesting defaultName in the documents folder; nullopt when
// cancelled. The program declares no file types, so filter only documents
// the caller's intent and narrows nothing.
std::optional<FolderItem> GetSaveFolderItem(const std::string& filter,
                                            const std::string& defaultName);

}  // namespace vantrel
