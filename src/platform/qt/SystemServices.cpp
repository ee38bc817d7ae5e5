#include "platform/qt/SystemServices.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <iostream>

#include "platform/core/Keyboard.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtKeyboardProbe.h"

namespace vantrel {

namespace {

// The folder the desktop names for documents (XDG_DOCUMENTS_DIR), which need
// not exist yet: "Saved Fractals" is created inside it, parents and all, on
// first use. Without one the home folder stands in.
std::filesystem::path DocumentsFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) {
    folder = QDir::homePath();
  }
  return QFile::encodeName(folder).toStdString();
}

}  // namespace

void ShowURL(const std::string& url) {
  if (Dialogs* dialogs = InstalledDialogs()) {
    if (!dialogs->OpenURL(url)) MsgBox("The desktop could not open the link \"" + url + "\".");
  } else {
    std::cerr << "vantrel: no dialogs installed; link not opened\n";
  }
}

void Launch(const FolderItem& item) {
  if (Dialogs* dialogs = InstalledDialogs()) {
    if (!dialogs->OpenDocument(item)) {
      MsgBox("The desktop could not open the document \"" + item.NativePath() +
             "\": it may have no program for this kind of file.");
    }
  } else {
    std::cerr << "vantrel: no dialogs installed; document not opened\n";
  }
}

void InstallDesktopServices() {
  // Both live as long as the program: the core keeps bare pointers to them.
  static QtDialogs dialogs;
  static const QtKeyboardProbe keyboard;
  SetDialogs(&dialogs);
  SetKeyboardProbe(&keyboard);
  SetDocumentsFolder(DocumentsFolder());
}

}  // namespace vantrel
