#include "app/App.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "app/AboutBox.h"
#include "editor/DocumentReadThread.h"
#include "editor/DocumentServices.h"
#include "editor/DrawingWindow.h"
#include "menus/HelpMenu.h"
#include "menus/MenuBar1.h"
#include "model/Globals.h"
#include "platform/core/Text.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/EventThread.h"

namespace vantrel {
namespace {

constexpr char kAppName[] = "Vantrel";
constexpr char kUntitled[] = "Untitled";
constexpr char kOpenDialogTitle[] = "Select a Fractal";

class App* current = nullptr;

}  // namespace

class App& App() {
  if (current == nullptr) throw std::logic_error("no application object");
  return *current;
}

App::App()
    : MajorVersion(VANTREL_VERSION_MAJOR),
      MinorVersion(VANTREL_VERSION_MINOR),
      BugVersion(VANTREL_VERSION_BUG),
      StageCode(VANTREL_STAGE_CODE),
      NonReleaseVersion(VANTREL_NON_RELEASE_VERSION) {
  current = this;
  DisplayName(kAppName);
}

App::~App() {
  CancelOpens();
  if (current == this) current = nullptr;
}

void App::AddMenuHandlers() {
  AddMenuHandler(Handlers(), "FileNewFractal", [this] { return FileNewFractal_Action(); });
  AddMenuHandler(Handlers(), "FileOpenFractal", [this] { return FileOpenFractal_Action(); });
  AddMenuHandler(Handlers(), "HelpAboutVantrel", [this] { return HelpAboutVantrel_Action(); });
}

void App::OnOpen() {
  Help().BuildMenu();
  AddNewWin(std::nullopt);
}

bool App::FileNewFractal_Action() {
  AddNewWin(std::nullopt);
  return false;
}

bool App::FileOpenFractal_Action() {
  OpenDialog dialog;
  dialog.InitialDirectory = Globals::FracFolder();
  dialog.Title = kOpenDialogTitle;
  if (const std::optional<FolderItem> file = dialog.ShowModal()) OpenInBackground(*file);
  return false;
}

bool App::HelpAboutVantrel_Action() {
  // Modeless: a second About finds the open window and brings it forward.
  AboutBox()->Show();
  return false;
}

std::string App::UntitledName() const {
  std::string name = kUntitled;
  Integer n = 0;
  // Start again from the first window after every match, so a name taken by
  // a window listed earlier is never handed out twice.
  for (std::size_t i = 0; i < DrawingWin.size();) {
    if (TextEquals(DrawingWin[i]->Title(), name)) {
      ++n;
      name = kUntitled + Str(n);
      i = 0;
    } else {
      ++i;
    }
  }
  return name;
}

std::shared_ptr<DrawingWindow> App::WindowWithFile(const FolderItem& file,
                                                   const DrawingWindow* except) const {
  for (const auto& window : DrawingWin) {
    if (window.get() != except && window->HoldsFile(file)) {
      return window;
    }
  }
  return nullptr;
}

std::shared_ptr<DrawingWindow> App::AddNewWin(const std::optional<FolderItem>& f) {
  // A second window on one file would let each save over the other's work.
  if (f) {
    if (std::shared_ptr<DrawingWindow> holder = WindowWithFile(*f, nullptr)) {
      holder->Show();
      return holder;
    }
  }
  // A file that is not a document makes no window, so nothing half-made is listed.
  std::shared_ptr<DrawingWindow> window =
      f ? DrawingWindow::OpenDocument(*f) : DrawingWindow::NewDocument(UntitledName());
  if (window && window->IsOpen()) DrawingWin.push_back(window);
  return window;
}

void App::OpenInBackground(const FolderItem& f) {
  if (std::shared_ptr<DrawingWindow> holder = WindowWithFile(f, nullptr)) {
    holder->Show();
    return;
  }
  // A second window would come of a second read.
  for (const auto& reading : Opening) {
    if (reading->File().SameFile(f)) return;
  }
  const auto read = std::make_shared<DocumentReadThread>(
      // The application ends its reads before it goes (CancelOpens), and a
      // killed read delivers nothing.
      f, &PostToEventThread,
      [this, f](Result<DocumentData> data) { FileRead(f, std::move(data)); });
  try {
    read->Run();
  } catch (const std::system_error&) {
    AddNewWin(f);  // no thread to be had: read here
    return;
  }
  Opening.push_back(read);
}

void App::FileRead(const FolderItem& f, Result<DocumentData> data) {
  std::erase_if(Opening, [&f](const auto& reading) { return reading->File().SameFile(f); });
  if (!data) {
    MsgBox(data.Error());
    return;
  }
  // A window that took the file meanwhile (by Save As) keeps it.
  if (std::shared_ptr<DrawingWindow> holder = WindowWithFile(f, nullptr)) {
    holder->Show();
    return;
  }
  std::shared_ptr<DrawingWindow> window = DrawingWindow::FromDocument(std::move(*data), f);
  if (window && window->IsOpen()) DrawingWin.push_back(window);
}

void App::CancelOpens() {
  for (const auto& reading : Opening) reading->Kill();
  Opening.clear();
}

void App::HideOtherSettingsWins(const SettingsWindowBase* keep) {
  for (const auto& window : DrawingWin) {
    if (window->SettingsWin && window->SettingsWin.get() != keep) window->SettingsWin->Hide();
  }
}

void App::DocumentClosed(const DrawingWindow& window) {
  const auto it = std::find_if(DrawingWin.begin(), DrawingWin.end(),
                               [&](const auto& listed) { return listed.get() == &window; });
  if (it == DrawingWin.end()) return;
  // The window is still inside its own close: let go of it afterwards.
  PostToEventThread([hold = *it] {});
  DrawingWin.erase(it);
}

void InstallAppServices() {
  Services().HideOtherSettingsWins = [](SettingsWindowBase* keep) {
    App().HideOtherSettingsWins(keep);
  };
  Services().DocumentClosed = [](DrawingWindow& window) { App().DocumentClosed(window); };
  Services().WindowWithFile = [](const FolderItem& file, const DrawingWindow* asking) {
    return App().WindowWithFile(file, asking).get();
  };
}

}  // namespace vantrel
