#pragma once
// The desktop's own dialogs: QMessageBox, QFileDialog and QColorDialog, links
// and documents handed to QDesktopServices. Installed by InstallDesktopServices.
//
// A dialog is shown only on the event thread of a running QApplication on a
// platform where someone can answer it; anywhere else it is answered as
// cancelled at once (with a note on stderr), since a modal loop that nobody
// can end would hang the program or a test run on a platform without a screen.
#include "platform/qt/Dialogs.h"

namespace vantrel {

class QtDialogs final : public Dialogs {
 public:
  void ShowMsgBox(const std::string& text) override;
  MessageDialogChoice ShowMessageDialog(const MessageDialog& dialog) override;
  std::optional<FolderItem> ShowOpenDialog(const OpenDialog& dialog) override;
  std::optional<FolderItem> ShowSaveDialog(const SaveAsDialog& dialog) override;
  bool ShowColorDialog(Color& c, const std::string& prompt) override;
  bool OpenURL(const std::string& url) override;
  bool OpenDocument(const FolderItem& item) override;
};

}  // namespace vantrel
