#include "platform/qt/Dialogs.h"

#include <iostream>

namespace vantrel {

namespace {

Dialogs* installed = nullptr;

// Nobody can answer a dialog when none are installed; a hidden modal loop
// would hang the caller, so the dialog counts as cancelled.
Dialogs* DialogsFor(const char* what) {
  if (installed == nullptr) {
    std::cerr << "vantrel: no dialogs installed; " << what << " answered as cancelled\n";
  }
  return installed;
}

}  // namespace

MessageDialog::MessageDialog()
    : ActionButton(&action_),
      CancelButton(&cancel_),
      AlternateActionButton(&alternate_),
      action_{"OK", true},
      cancel_{"Cancel", false},
      alternate_{"", false} {}

MessageDialogButton* MessageDialog::ShowModal() {
  Dialogs* dialogs = DialogsFor("message dialog");
  return ButtonFor(dialogs ? dialogs->ShowMessageDialog(*this) : MessageDialogChoice::Cancel);
}

MessageDialogButton* MessageDialog::ButtonFor(MessageDialogChoice choice) const {
  switch (choice) {
    case MessageDialogChoice::Action:
      return ActionButton;
    case MessageDialogChoice::Alternate:
      return AlternateActionButton;
    case MessageDialogChoice::Cancel:
      break;
  }
  return CancelButton;
}

std::optional<FolderItem> OpenDialog::ShowModal() const {
  Dialogs* dialogs = DialogsFor("open dialog");
  return dialogs ? dialogs->ShowOpenDialog(*this) : std::nullopt;
}

std::optional<FolderItem> SaveAsDialog::ShowModal() const {
  Dialogs* dialogs = DialogsFor("save dialog");
  return dialogs ? dialogs->ShowSaveDialog(*this) : std::nullopt;
}

Dialogs* SetDialogs(Dialogs* dialogs) {
  Dialogs* previous = installed;
  installed = dialogs;
  return previous;
}

Dialogs* InstalledDialogs() { return installed; }

void MsgBox(const std::string& text) {
  if (Dialogs* dialogs = DialogsFor("message box")) {
    dialogs->ShowMsgBox(text);
  }
}

bool SelectColor(Color& c, const std::string& prompt) {
  Dialogs* dialogs = DialogsFor("colour picker");
  return dialogs && dialogs->ShowColorDialog(c, prompt);
}

std::optional<FolderItem> GetSaveFolderItem(const std::string& /*filter*/,
                                            const std::string& defaultName) {
  SaveAsDialog dialog;
  // The desktop's documents folder need not exist in a fresh account, and a
  // file dialog given a missing folder silently starts somewhere else. Made
  // here, as the documents' own folder is; when it cannot be made the dialog
  // falls back to its default.
  const FolderItem documents = GetFolderItem("", 0);
  if (!documents.Exists()) static_cast<void>(documents.CreateAsFolder());
  dialog.InitialDirectory = documents;
  dialog.SuggestedFileName = defaultName;
  return dialog.ShowModal();
}

}  // namespace vantrel
