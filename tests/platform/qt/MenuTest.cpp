// The menu tree as a model and dispatch by item name; menu bars shown in
// windows: one shared state for all windows, shortcuts, enabling before a
// menu opens and before a shortcut acts, and the focused text field's editing.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QVBoxLayout>
#include <memory>
#include <string>
#include <vector>

#include "FakeMenuTarget.h"
#include "platform/qt/MenuBar.h"
#include "platform/qt/MenuDispatch.h"
#include "platform/qt/QuitMenuItem.h"

namespace vantrel {
namespace {

using testing::FakeMenuTarget;
using Names = std::vector<std::string>;

MenuItem* AddItem(MenuItem& parent, const std::string& name, const std::string& text = "",
                  const std::string& shortcut = "", bool autoEnable = true) {
  auto item = std::make_shared<MenuItem>(text.empty() ? name + " caption" : text);
  item->SetName(name);
  item->SetKeyboardShortcut(shortcut);
  item->SetAutoEnable(autoEnable);
  return parent.Append(item);
}

std::shared_ptr<MenuItem> Item(const std::string& text) { return std::make_shared<MenuItem>(text); }

TEST(MenuTree, FindsItemsByPositionAndNameAndNeverHandsOutDanglingOnes) {
  MenuBar bar;
  MenuItem* file = AddItem(bar, "File");
  MenuItem* recent = AddItem(*file, "Recent");
  AddItem(*recent, "Deep");
  AddItem(*file, "Save");
  AddItem(bar, "Save");  // a second item of that name, later in menu order

  EXPECT_EQ(bar.Child("File"), file);
  EXPECT_EQ(bar.Child("Recent"), nullptr) << "Child looks at direct children only";
  EXPECT_EQ(bar.Lookup("Deep")->Parent(), recent);
  EXPECT_EQ(bar.Lookup("Save")->Parent(), file) << "depth first, in menu order";
  EXPECT_EQ(bar.Lookup("Missing"), nullptr);
  EXPECT_EQ(bar.LookupAs<QuitMenuItem>("Save"), nullptr) << "wrong class is no item";
  EXPECT_EQ(bar.Item(-1), nullptr);
  EXPECT_EQ(bar.Item(2), nullptr);
}

TEST(MenuTree, InsertClampsTheIndexAndRefusesItemsThatWouldBreakTheTree) {
  MenuItem menu;
  menu.Append(Item("b"));
  menu.Insert(0, Item("a"));
  menu.Insert(-5, Item("first"));
  menu.Insert(99, Item("last"));
  menu.Insert(2, Item("middle"));
  Names texts;
  for (Integer i = 0; i < menu.Count(); ++i) texts.push_back(menu.Item(i)->Text());
  EXPECT_EQ(texts, (Names{"first", "a", "middle", "b", "last"}));

  auto owned = Item("owned");
  MenuItem* inner = menu.Append(owned)->Append(Item("inner"));
  EXPECT_EQ(menu.Append(owned), nullptr) << "already has a parent";
  EXPECT_EQ(menu.Append(nullptr), nullptr);
  EXPECT_EQ(inner->Append(owned), nullptr) << "an ancestor would make a loop";
  EXPECT_EQ(menu.Append(std::make_shared<MenuBar>()), nullptr);
  EXPECT_EQ(menu.Count(), 6);

  // Items kept elsewhere outlive their tree without a parent.
  const auto kept = Item("kept");
  std::make_unique<MenuBar>()->Append(kept);  // the bar ends with this statement
  EXPECT_EQ(kept->Parent(), nullptr);
  EXPECT_EQ(MenuBar().Append(kept), kept.get());
}

class MenuDispatchTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetActiveMenuTarget(nullptr);
    for (const char* name : {"Save", "New"}) ApplicationMenuHandlers().AddMenuHandler(name, {});
  }
  MenuHandlers::Handler Note(const std::string& text) {
    return [this, text] {
      ran.push_back(text);
      return false;
    };
  }
  Names ran;
  FakeMenuTarget window;
};

TEST_F(MenuDispatchTest, TheActiveWindowsHandlerComesBeforeTheApplicationsAndQuitRunsNone) {
  ApplicationMenuHandlers().AddMenuHandler("Save", Note("app Save"));
  ApplicationMenuHandlers().AddMenuHandler("New", Note("app New"));
  window.handlers.AddMenuHandler("Save", Note("window Save"));
  SetActiveMenuTarget(&window);
  EXPECT_TRUE(DispatchMenuItem("Save"));
  EXPECT_TRUE(DispatchMenuItem("New"));
  EXPECT_FALSE(DispatchMenuItem("Nobody"));
  SetActiveMenuTarget(nullptr);
  EXPECT_TRUE(DispatchMenuItem("Save"));
  EXPECT_EQ(ran, (Names{"window Save", "app New", "app Save"}));

  // Quit requests the quit itself, whatever its name.
  int quits = 0;
  MenuBar bar;
  MenuItem* quit = AddItem(bar, "File")->Append(std::make_shared<QuitMenuItem>([&] { ++quits; }));
  quit->SetName("New");
  quit->Choose();
  EXPECT_EQ(quits, 1);
  EXPECT_EQ(ran.size(), 3u);
}

TEST_F(MenuDispatchTest, HandlersMayRebindThemselvesAndAnEmptyHandlerUnbinds) {
  SetActiveMenuTarget(&window);
  window.handlers.AddMenuHandler("Save", [this] {
    window.handlers.AddMenuHandler("Save", Note("second"));
    ran.push_back("first");
    return false;
  });
  DispatchMenuItem("Save");
  DispatchMenuItem("Save");
  window.handlers.AddMenuHandler("Save", {});
  EXPECT_FALSE(window.handlers.Has("Save"));
  EXPECT_FALSE(DispatchMenuItem("Save"));
  EXPECT_EQ(ran, (Names{"first", "second"}));
}

QMenu* MenuOf(const MenuItem& item) { return qobject_cast<QMenu*>(item.QtAction()->parent()); }

// A window with the bar on top and a text field below it.
struct Window {
  explicit Window(MenuBar& model) : bar(CreateMenuBarWidget(model, &widget)) {
    auto* layout = new QVBoxLayout(&widget);
    layout->setMenuBar(bar);
    layout->addWidget(field);
  }
  void Activate() {
    widget.show();
    widget.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));
    field->setFocus();
  }
  QWidget widget;
  QMenuBar* bar;
  QLineEdit* field = new QLineEdit(&widget);
};

class MenuBarWidgetTest : public ::testing::Test {
 protected:
  MenuBarWidgetTest() {
    ApplicationMenuHandlers().AddMenuHandler("New", [this] { return ++news, false; });
    // The document window: Save only while its document has unsaved changes.
    document.handlers.AddMenuHandler("Save", [this] { return ++saves, false; });
    document.enableMenuItems = [this] {
      if (changed) save->SetEnabled(true);
    };
  }
  ~MenuBarWidgetTest() override {
    SetActiveMenuTarget(nullptr);
    ApplicationMenuHandlers().AddMenuHandler("New", {});
  }

  MenuBar model;
  MenuItem* file = AddItem(model, "File", "&File");
  MenuItem* fileNew = AddItem(*file, "New", "New", "Cmd+N");
  MenuItem* separator = AddItem(*file, "Separator", "-");
  MenuItem* save = AddItem(*file, "Save", "Save", "Cmd+S", false);
  MenuItem* quit = file->Append(std::make_shared<QuitMenuItem>([] {}));
  MenuItem* edit = AddItem(model, "EditMenu", "&Edit");
  MenuItem* cut = AddItem(*edit, "EditCut", "Cu&t", "Cmd+X");
  MenuItem* copy = AddItem(*edit, "EditCopy", "&Copy", "Cmd+C");
  MenuItem* paste = AddItem(*edit, "EditPaste", "&Paste", "Cmd+V");
  MenuItem* selectAll = AddItem(*edit, "EditSelectAll", "Select &All", "Cmd+A");
  FakeMenuTarget document;
  bool changed = false;
  int news = 0, saves = 0;
};

TEST_F(MenuBarWidgetTest, EveryWindowShowsTheSameItemsAndLaterChanges) {
  Window first(model), second(model);
  ASSERT_EQ(first.bar->actions(), second.bar->actions());
  QMenu* fileMenu = MenuOf(*file);
  ASSERT_EQ(fileMenu->actions().size(), 4);
  EXPECT_TRUE(fileMenu->actions()[1]->isSeparator());

  save->SetEnabled(false);
  save->SetText("Save Now");
  EXPECT_FALSE(save->QtAction()->isEnabled());
  EXPECT_EQ(save->QtAction()->text(), "Save Now");

  MenuItem* open = file->Insert(1, std::make_shared<MenuItem>("Open"));
  EXPECT_EQ(fileMenu->actions()[1], open->QtAction());
  MenuItem* help = AddItem(model, "Help");
  for (const Window* window : {&first, &second}) {
    ASSERT_EQ(window->bar->actions().size(), 3);
    EXPECT_EQ(window->bar->actions()[2], help->QtAction());
  }

  // An entry that gets entries of its own becomes a sub-menu where it stood.
  MenuItem* recent = AddItem(*fileNew, "Recent");
  ASSERT_NE(MenuOf(*fileNew), nullptr);
  EXPECT_EQ(fileMenu->actions()[0], fileNew->QtAction());
  EXPECT_EQ(MenuOf(*fileNew)->actions(), QList<QAction*>{recent->QtAction()});
}

TEST_F(MenuBarWidgetTest, ShortcutTextsBecomeCtrlShortcutsAndNonsenseBecomesNone) {
  Window window(model);
  const std::pair<const char*, QKeySequence> cases[] = {
      {"Cmd+Shift+S", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
      {"cmd+o", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"Cmd++", QKeySequence(Qt::CTRL | Qt::Key_Plus)},
      {"", QKeySequence()},
      {"Cmd+", QKeySequence()},
      {"Cmd+NoSuchKey", QKeySequence()},
      {"Cmd+N, Cmd+M", QKeySequence()},
  };
  for (const auto& [text, expected] : cases) {
    save->SetKeyboardShortcut(text);
    EXPECT_EQ(save->QtAction()->shortcut(), expected) << text;
  }
  EXPECT_EQ(fileNew->QtAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
}

TEST_F(MenuBarWidgetTest, RefreshEnablesWhatSomethingWouldAnswer) {
  Window window(model);
  SetActiveMenuTarget(&document);
  save->SetEnabled(true);  // left over from another document
  model.RefreshEnabling();
  EXPECT_TRUE(file->Enabled());
  EXPECT_TRUE(fileNew->Enabled()) << "the application's handler";
  EXPECT_FALSE(separator->QtAction()->isEnabled());
  EXPECT_FALSE(save->Enabled()) << "AutoEnable False waits for EnableMenuItems";
  EXPECT_TRUE(quit->Enabled()) << "Quit needs no handler";
  EXPECT_FALSE(cut->Enabled()) << "nothing would cut";
  EXPECT_EQ(document.enableCalls, 1);

  changed = true;
  model.RefreshEnabling();
  EXPECT_TRUE(save->Enabled());
  SetActiveMenuTarget(nullptr);
  model.RefreshEnabling();
  EXPECT_FALSE(save->Enabled()) << "no window, no document to save";
}

TEST_F(MenuBarWidgetTest, OpeningAMenuOrAShortcutRunsEnableMenuItemsFirst) {
  Window first(model), second(model);
  second.Activate();  // the shortcut must act in any window showing the bar
  SetActiveMenuTarget(&document);
  save->SetEnabled(true);  // stale: this document has nothing to save
  QTest::keyClick(second.field, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(document.enableCalls, 1) << "once per key press, not once per parent widget";

  changed = true;
  QTest::keyClick(second.field, Qt::Key_S, Qt::ControlModifier);
  QTest::keyClick(second.field, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(news, 1);

  save->SetEnabled(false);
  QTest::mouseClick(second.bar, Qt::LeftButton, {},
                    second.bar->actionGeometry(file->QtAction()).center());
  EXPECT_EQ(document.enableCalls, 4);
  EXPECT_TRUE(save->QtAction()->isEnabled());
  MenuOf(*file)->hide();
}

TEST_F(MenuBarWidgetTest, EditItemsWithoutHandlersEditTheFocusedTextField) {
  Window window(model);
  window.Activate();
  window.field->setText("hello");
  window.field->deselect();
  model.RefreshEnabling();
  EXPECT_FALSE(copy->Enabled()) << "nothing selected";
  EXPECT_TRUE(selectAll->Enabled());

  selectAll->Choose();
  EXPECT_EQ(window.field->selectedText(), "hello");
  model.RefreshEnabling();
  ASSERT_TRUE(cut->Enabled());
  cut->Choose();
  EXPECT_EQ(window.field->text(), "");
  model.RefreshEnabling();
  paste->Choose();
  EXPECT_EQ(window.field->text(), "hello");

  window.field->setReadOnly(true);
  window.field->selectAll();
  model.RefreshEnabling();
  EXPECT_FALSE(cut->Enabled());
  EXPECT_TRUE(copy->Enabled());
}

}  // namespace
}  // namespace vantrel
