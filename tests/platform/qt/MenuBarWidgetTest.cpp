// Menu bars shown in windows: one shared state for all windows, shortcuts,
// enabling before a menu opens and before a shortcut acts, and the focused
// text field's own editing.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <string>

#include "FakeMenuTarget.h"
#include "platform/qt/MenuBar.h"
#include "platform/qt/MenuDispatch.h"
#include "platform/qt/QuitMenuItem.h"

namespace vantrel {
namespace {

using testing::FakeMenuTarget;

MenuItem* AddItem(MenuItem& parent, const std::string& name, const std::string& text,
                  const std::string& shortcut = "", bool autoEnable = true) {
  auto item = std::make_shared<MenuItem>(text);
  item->SetName(name);
  item->SetKeyboardShortcut(shortcut);
  item->SetAutoEnable(autoEnable);
  return parent.Append(item);
}

QMenu* MenuOf(const MenuItem& item) { return qobject_cast<QMenu*>(item.QtAction()->parent()); }

// A window with the bar on top and a text field below it.
struct Window {
  explicit Window(MenuBar& model) {
    auto* layout = new QVBoxLayout(&widget);
    bar = CreateMenuBarWidget(model, &widget);
    layout->setMenuBar(bar);
    field = new QLineEdit(&widget);
    layout->addWidget(field);
  }
  void Activate() {
    widget.show();
    widget.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));
    field->setFocus();
  }
  QWidget widget;
  QMenuBar* bar = nullptr;
  QLineEdit* field = nullptr;
};

class MenuBarWidgetTest : public ::testing::Test {
 protected:
  MenuBarWidgetTest() {
    file = AddItem(model, "File", "&File");
    fileNew = AddItem(*file, "New", "New", "Cmd+N");
    AddItem(*file, "Separator", "-");
    save = AddItem(*file, "Save", "Save", "Cmd+S", false);
    quit = file->Append(std::make_shared<QuitMenuItem>([this] { ++quits; }));
    edit = AddItem(model, "EditMenu", "&Edit");
    cut = AddItem(*edit, "EditCut", "Cu&t", "Cmd+X");
    copy = AddItem(*edit, "EditCopy", "&Copy", "Cmd+C");
    paste = AddItem(*edit, "EditPaste", "&Paste", "Cmd+V");
    selectAll = AddItem(*edit, "EditSelectAll", "Select &All", "Cmd+A");
    ApplicationMenuHandlers().AddMenuHandler("New", [this] { ++news; return false; });
    // The document window: Save only while its document has unsaved changes.
    document.handlers.AddMenuHandler("Save", [this] { ++saves; return false; });
    document.enableMenuItems = [this] {
      if (changed) {
        save->SetEnabled(true);
      }
    };
  }
  ~MenuBarWidgetTest() override {
    SetActiveMenuTarget(nullptr);
    ApplicationMenuHandlers().AddMenuHandler("New", {});
  }

  MenuBar model;
  MenuItem *file, *fileNew, *save, *quit, *edit, *cut, *copy, *paste, *selectAll;
  FakeMenuTarget document;
  bool changed = false;
  int news = 0, saves = 0, quits = 0;
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
  MenuItem* help = AddItem(model, "Help", "Help");
  for (const Window* window : {&first, &second}) {
    ASSERT_EQ(window->bar->actions().size(), 3);
    EXPECT_EQ(window->bar->actions()[2], help->QtAction());
  }

  // An entry that gets entries of its own becomes a sub-menu where it stood.
  MenuItem* recent = AddItem(*fileNew, "Recent", "Recent");
  QAction* shownNew = fileMenu->actions()[0];
  ASSERT_NE(MenuOf(*fileNew), nullptr);
  EXPECT_EQ(shownNew, fileNew->QtAction());
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
  EXPECT_FALSE(MenuOf(*file)->actions()[1]->isEnabled()) << "separator";
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

TEST_F(MenuBarWidgetTest, OpeningAMenuRunsEnableMenuItemsFirst) {
  Window window(model);
  window.Activate();
  SetActiveMenuTarget(&document);
  changed = true;
  QTest::mouseClick(window.bar, Qt::LeftButton, {},
                    window.bar->actionGeometry(file->QtAction()).center());
  EXPECT_EQ(document.enableCalls, 1);
  EXPECT_TRUE(save->QtAction()->isEnabled());
  MenuOf(*file)->hide();
}

TEST_F(MenuBarWidgetTest, AShortcutActsOnlyWhenEnableMenuItemsAllowsIt) {
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
