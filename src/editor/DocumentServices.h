#pragma once
// What a document window calls in the parts of the program that are built on
// the document window themselves (the settings and render windows, the
// application's window list). They install their functions here at start-up, so the editor
// depends on neither of them; tests install fakes or leave them empty.
#include <functional>
#include <memory>

#include "platform/qt/Window.h"

namespace vantrel {

class DrawingWindow;
class FolderItem;

// What a document needs of its settings window.
class SettingsWindowBase : public Window {
 public:
  // The window is to be shown again when its document becomes active: True
  // when created and whenever activated, False when the user closes it.
  bool WasVisible = true;
};

struct DocumentServices {
  // Makes the settings window of a document (shown, bound to its settings).
  std::function<std::shared_ptr<SettingsWindowBase>(DrawingWindow&)> NewSettingsWindow;
  // Hides the settings window of every listed document except keep (nullptr: all).
  std::function<void(SettingsWindowBase* keep)> HideOtherSettingsWins;
  // A document window has closed: the application takes it out of its list.
  std::function<void(DrawingWindow&)> DocumentClosed;
  // The open document window, other than asking (null: any window), whose
  // file is file however spelt (FolderItem::SameFile); null when there is none.
  std::function<DrawingWindow*(const FolderItem& file, const DrawingWindow* asking)>
      WindowWithFile;
  // Makes and shows a render window for a document (null when none was made).
  std::function<std::shared_ptr<Window>(DrawingWindow&)> NewRenderWindow;
};

// The one set of services; empty members are skipped by their callers.
DocumentServices& Services();

}  // namespace vantrel
