#pragma once
// Implements: ShowURL, Launch, and the set-up that connects the platform core
//   to the desktop.
// Leaves out: the clipboard, sounds (Beep), the environment, other processes
//   (Shell).
//
// The desktop's services: opening links and documents, and the set-up that
// connects the platform core to the desktop.
#include <string>

#include "platform/core/FolderItem.h"

namespace vantrel {

// Hands a link to the desktop (browser, mail program) unchanged. A link the
// desktop cannot hand to a program gets a message that names it.
void ShowURL(const std::string& url);

// Opens a document in the desktop's default application for it; a message
// names the document when the desktop cannot.
void Launch(const FolderItem& item);

// Connects the program to the desktop: the desktop's dialogs, the keyboard
// probe behind AsyncShiftKey and AsyncCommandKey, and the documents folder
// behind GetFolderItem("", 0). Call once on the event thread after the
// QApplication exists.
void InstallDesktopServices();

}  // namespace vantrel
