// The program's menu bar: its items exactly as designed, built once, and
// which of them a document window's handlers enable.
#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

#include "menus/HelpMenu.h"
#include "menus/MenuBar1.h"
#include "platform/qt/AppleMenuItem.h"
#include "platform/qt/FakeMenuTarget.h"
#include "platform/qt/MenuDispatch.h"
#include "platform/qt/QuitMenuItem.h"

namespace vantrel {
namespace {

// Every item in creation order: each menu followed by its entries.
std::vector<MenuItem*> InCreationOrder(const MenuItem& parent) {
  std::vector<MenuItem*> items;
  for (Integer i = 0; i < parent.Count(); ++i) {
    items.push_back(parent.Item(i));
    for (MenuItem* below : InCreationOrder(*parent.Item(i))) items.push_back(below);
  }
  return items;
}

struct Expected {
  const char* parent;  // "" for the bar
  const char* name;
  const char* text;
  const char* shortcut;
  bool autoEnable;
  const std::type_info& type;
};

TEST(MenuBar1, HoldsTheTwentyItemsInOrderWithTheirCaptionsShortcutsAndClasses) {
  const std::type_info& item = typeid(MenuItem);
  const Expected expected[] = {
      {"", "FileMenu", "&File", "", true, item},
      {"FileMenu", "FileNewFractal", "New Fractal", "Cmd+N", true, item},
      {"FileMenu", "FileOpenFractal", "Open Fractal", "Cmd+O", true, item},
      {"FileMenu", "UntitledSeparator", "-", "", true, item},
      {"FileMenu", "FileSave", "Save", "Cmd+S", false, item},
      {"FileMenu", "FileSaveAs", "Save As...", "Cmd+Shift+S", false, item},
      {"FileMenu", "FileRevertToSaved", "Revert To Saved", "", false, item},
      {"FileMenu", "UntitledSeparator0", "-", "", true, item},
      {"FileMenu", "FileQuit", "&Quit", "Cmd+Q", true, typeid(QuitMenuItem)},
      {"", "EditMenu", "&Edit", "", true, item},
      {"EditMenu", "EditUndo", "&Undo", "Cmd+Z", false, item},
      {"EditMenu", "UntitledMenu1", "-", "", true, item},
      {"EditMenu", "EditCut", "Cu&t", "Cmd+X", true, item},
      {"EditMenu", "EditCopy", "&Copy", "Cmd+C", true, item},
      {"EditMenu", "EditPaste", "&Paste", "Cmd+V", true, item},
      {"EditMenu", "EditClear", "&Delete", "", false, item},
      {"EditMenu", "UntitledMenu0", "-", "", true, item},
      {"EditMenu", "EditSelectAll", "Select &All", "Cmd+A", true, item},
      {"", "Help", "Help", "", true, typeid(HelpMenu)},
      {"Help", "HelpAboutVantrel", "About Vantrel", "", true, typeid(AppleMenuItem)},
  };
  const std::vector<MenuItem*> items = InCreationOrder(MenuBar1());
  ASSERT_EQ(items.size(), std::size(expected));
  EXPECT_EQ(InCreationOrder(MenuBar1()), items) << "built once: a second call adds nothing";
  for (std::size_t i = 0; i < items.size(); ++i) {
    const MenuItem& actual = *items[i];
    const Expected& want = expected[i];
    SCOPED_TRACE(want.name);
    EXPECT_EQ(actual.Name(), want.name);
    EXPECT_EQ(actual.Parent() == &MenuBar1() ? "" : actual.Parent()->Name(), want.parent);
    EXPECT_EQ(actual.Text(), want.text);
    EXPECT_EQ(actual.KeyboardShortcut(), want.shortcut);
    EXPECT_EQ(actual.AutoEnable(), want.autoEnable);
    EXPECT_EQ(typeid(actual), want.type);
  }
}

// With a document window active, what the application and the document
// handle is enabled (and what the document enables); Undo, Cut, Copy, Paste
// and Delete have nothing to act on, so they cannot be chosen at all.
TEST(MenuBar1, EnablesWhatTheApplicationAndTheActiveDocumentHandle) {
  testing::FakeMenuTarget document;
  for (const char* name : {"FileNewFractal", "FileOpenFractal", "HelpAboutVantrel"}) {
    ApplicationMenuHandlers().AddMenuHandler(name, [] { return false; });
  }
  for (const char* name : {"EditSelectAll", "FileSaveAs", "FileSave", "FileRevertToSaved"}) {
    document.handlers.AddMenuHandler(name, [] { return false; });
  }
  document.enableMenuItems = [] { MenuBar1().Lookup("FileSaveAs")->SetEnabled(true); };
  SetActiveMenuTarget(&document);
  MenuBar1().RefreshEnabling();
  SetActiveMenuTarget(nullptr);
  std::vector<std::string> enabled;
  for (const MenuItem* item : InCreationOrder(MenuBar1())) {
    if (item->Enabled()) enabled.push_back(item->Name());
  }
  EXPECT_EQ(enabled, (std::vector<std::string>{"FileMenu", "FileNewFractal", "FileOpenFractal",
                                                "FileSaveAs", "FileQuit", "EditMenu",
                                                "EditSelectAll", "Help", "HelpAboutVantrel"}));
}

}  // namespace
}  // namespace vantrel
