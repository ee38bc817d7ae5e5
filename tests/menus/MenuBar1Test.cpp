// The program's menu bar in its windows: which entries are greyed out for
// the window that is active.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <functional>
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

using Names = std::vector<std::string>;

// The entries of the program's bar greyed out once a menu opens, by name;
// separators never take a click and are left out.
Names Off() {
  MenuBar1().RefreshEnabling();
  Names off;
  const std::function<void(const MenuItem&)> visit = [&](const MenuItem& menu) {
    for (Integer i = 0; i < menu.Count(); ++i) {
      const MenuItem& item = *menu.Item(i);
      if (!item.IsSeparator() && !item.QtAction()->isEnabled()) off.push_back(item.Name());
      visit(item);
    }
  };
  visit(MenuBar1());
  return off;
}

// Every window shows the one bar (the menu tree's test), so what the active
// window allows shows in all of them. Undo and Delete have nothing to act
// on, nor Cut, Copy and Paste outside a text field; Save and Revert wait for
// changes to a file.
TEST(MenuBar1, TheActiveWindowDecidesWhatEveryWindowsBarOffers) {
  for (const char* name : {"FileNewFractal", "FileOpenFractal", "HelpAboutVantrel"}) {
    ApplicationMenuHandlers().AddMenuHandler(name, [] { return false; });
  }
  const auto document = std::make_shared<BarWindow>(true);
  const auto other = std::make_shared<BarWindow>(false);
  SetActiveMenuTarget(document.get());
  EXPECT_EQ(Off(), (Names{"FileSave", "FileRevertToSaved", "EditUndo", "EditCut", "EditCopy",
                          "EditPaste", "EditClear"}));
  SetActiveMenuTarget(other.get());
  EXPECT_EQ(Off(), (Names{"FileSave", "FileSaveAs", "FileRevertToSaved", "EditUndo", "EditCut",
                          "EditCopy", "EditPaste", "EditClear", "EditSelectAll"}));

  SetActiveMenuTarget(nullptr);
  document->Close();
  other->Close();
  QApplication::processEvents();
}

}  // namespace
}  // namespace vantrel
