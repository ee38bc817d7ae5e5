// The program's menu bar as a user meets it in a window: its menus, their
// captions, shortcuts and separators in order, and which entries are greyed
// out for the window that is active.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "menus/MenuBar1.h"
#include "platform/qt/MenuDispatch.h"
#include "platform/qt/Window.h"

namespace vantrel {
namespace {

// A window that shows the program's bar; as a document it handles the
// document's commands and allows Save As only, as an untouched document does.
class BarWindow : public Window {
 public:
  explicit BarWindow(bool document) : document_(document) {
    Build(WindowRecord{.Title = "Untitled", .Visible = false, .MenuBar = &MenuBar1()},
          std::span<const ControlRecord<BarWindow>>());
    if (!document) return;
    for (const char* name : {"EditSelectAll", "FileSaveAs", "FileSave", "FileRevertToSaved"}) {
      Handlers().AddMenuHandler(name, [] { return false; });
    }
  }

 protected:
  void EnableMenuItems() override {
    if (document_) MenuBar1().Named("FileSaveAs").SetEnabled(true);
  }

 private:
  bool document_;
};

// An entry as it reads on screen: caption, a tab and its shortcut, and
// "(off)" when it is greyed out; a separator reads "-".
std::string Shown(const QAction& action) {
  if (action.isSeparator()) return "-";
  std::string text = action.text().toStdString();
  if (!action.shortcut().isEmpty()) {
    text += "\t" + action.shortcut().toString(QKeySequence::NativeText).toStdString();
  }
  return action.isEnabled() ? text : text + " (off)";
}

// One line a menu of the window's bar, left to right: its title, then its
// entries top to bottom.
std::vector<std::string> MenusShownIn(const Window& window) {
  std::vector<std::string> menus;
  for (const QAction* menu : window.Widget()->findChild<QMenuBar*>()->actions()) {
    std::string line = Shown(*menu);
    for (const QAction* entry : menu->menu()->actions()) line += " | " + Shown(*entry);
    menus.push_back(line);
  }
  return menus;
}

// Every window shows the one bar, so what the active window allows shows in
// all of them; Undo, Cut, Copy, Paste and Delete have nothing to act on
// outside a text field, and separators never take a click.
TEST(MenuBar1, WindowsShowTheMenusOfTheActiveWindow) {
  for (const char* name : {"FileNewFractal", "FileOpenFractal", "HelpAboutVantrel"}) {
    ApplicationMenuHandlers().AddMenuHandler(name, [] { return false; });
  }
  const auto document = std::make_shared<BarWindow>(true);
  const auto other = std::make_shared<BarWindow>(false);
  SetActiveMenuTarget(document.get());
  MenuBar1().RefreshEnabling();
  const std::vector<std::string> forDocument = {
      "&File | New Fractal\tCtrl+N | Open Fractal\tCtrl+O | - | Save\tCtrl+S (off) | "
      "Save As...\tCtrl+Shift+S | Revert To Saved (off) | - | &Quit\tCtrl+Q",
      "&Edit | &Undo\tCtrl+Z (off) | - | Cu&t\tCtrl+X (off) | &Copy\tCtrl+C (off) | "
      "&Paste\tCtrl+V (off) | &Delete (off) | - | Select &All\tCtrl+A",
      "Help | About Vantrel"};
  EXPECT_EQ(MenusShownIn(*document), forDocument);
  EXPECT_EQ(MenusShownIn(*other), forDocument);

  SetActiveMenuTarget(other.get());
  MenuBar1().RefreshEnabling();
  const std::vector<std::string> shown = MenusShownIn(*document);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0],
            "&File | New Fractal\tCtrl+N | Open Fractal\tCtrl+O | - | Save\tCtrl+S (off) | "
            "Save As...\tCtrl+Shift+S (off) | Revert To Saved (off) | - | &Quit\tCtrl+Q");
  EXPECT_TRUE(shown[1].ends_with("Select &All\tCtrl+A (off)"));

  SetActiveMenuTarget(nullptr);
  document->Close();
  other->Close();
  QApplication::processEvents();
}

}  // namespace
}  // namespace vantrel
