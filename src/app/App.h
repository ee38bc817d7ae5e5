#pragma once
// The application object: the list of open document windows and the three
// commands that need no document (New Fractal, Open Fractal, About).
// Exactly one exists while the program runs. Event thread only.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/DocumentFile.h"
#include "platform/core/FolderItem.h"
#include "platform/core/Numbers.h"
#include "platform/qt/Application.h"

namespace vantrel {

class App;
class DocumentReadThread;
class DrawingWindow;
class SettingsWindowBase;

// The one application object. Throws std::logic_error when none exists.
class App& App();

class App : public Application {
 public:
  App();
  ~App() override;

  // The open document windows, in creation order.
  std::vector<std::shared_ptr<DrawingWindow>> DrawingWin;

  // The program's version, set when it is built; the About window shows it.
  // StageCode: 0 development, 1 alpha, 2 beta, 3 final.
  Integer MajorVersion;
  Integer MinorVersion;
  Integer BugVersion;
  Integer StageCode;
  Integer NonReleaseVersion;

  // Menu handlers; each returns false.
  bool FileNewFractal_Action();
  bool FileOpenFractal_Action();
  bool HelpAboutVantrel_Action();

  // Makes one document window, new (no file) or read from f, and lists it.
  // A file that cannot be read makes no window: the result is then null. A
  // file that a listed window already holds is not read again: that window
  // comes forward and is the result.
  std::shared_ptr<DrawingWindow> AddNewWin(const std::optional<FolderItem>& f);
  // Open Fractal's way to open f: the file is read on a worker and its
  // window made once the data arrives, so the event loop goes on meanwhile.
  // A file that a listed window holds comes forward instead; a file that is
  // being read already is not read twice. A read that fails is told.
  void OpenInBackground(const FolderItem& f);
  // Stops every read under way without making its window (at a quit).
  void CancelOpens();
  // The reads under way, in the order they were started.
  std::vector<std::shared_ptr<DocumentReadThread>> Opening;

  // The listed window, other than except, whose file is file however spelt;
  // null when there is none.
  std::shared_ptr<DrawingWindow> WindowWithFile(const FolderItem& file,
                                                const DrawingWindow* except) const;
  // Hides the settings window of every listed document except keep
  // (nullptr: all of them).
  void HideOtherSettingsWins(const SettingsWindowBase* keep);
  // A document window has closed: it leaves the list.
  void DocumentClosed(const DrawingWindow& window);

  // A read started by OpenInBackground has ended.
  void FileRead(const FolderItem& f, Result<DocumentData> data);

  // The name of the next new document: the first of "Untitled", Untitled1,
  // Untitled2, ... that no listed window has as its current title.
  std::string UntitledName() const;

  // Binds the application's three menu handlers by item name.
  void AddMenuHandlers();

 protected:
  void OnOpen() override;
};

// Connects the document windows to the application object and the settings
// windows (Services()); the program does it once at start-up.
void InstallAppServices();

}  // namespace vantrel
