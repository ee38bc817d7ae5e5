// The menu tree as a model and dispatch by item name, without any window.
#include <gtest/gtest.h>

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

std::shared_ptr<MenuItem> Named(const std::string& name) {
  auto item = std::make_shared<MenuItem>(name + " caption");
  item->SetName(name);
  return item;
}

std::vector<std::string> ChildNames(const MenuItem& item) {
  std::vector<std::string> names;
  for (Integer i = 0; i < item.Count(); ++i) {
    names.push_back(item.Item(i)->Name());
  }
  return names;
}

TEST(MenuTree, FindsItemsByPositionAndNameAndNeverHandsOutDanglingOnes) {
  MenuBar bar;
  MenuItem* file = bar.Append(Named("File"));
  MenuItem* recent = file->Append(Named("Recent"));
  recent->Append(Named("Deep"));
  file->Append(Named("Save"));
  bar.Append(Named("Save"));  // a second item of that name, later in menu order

  EXPECT_EQ(bar.Child("File"), file);
  EXPECT_EQ(bar.Child("Recent"), nullptr) << "Child looks at direct children only";
  EXPECT_EQ(bar.Lookup("Deep")->Parent(), recent);
  EXPECT_EQ(bar.Lookup("Save")->Parent(), file) << "depth first, in menu order";
  EXPECT_EQ(bar.Lookup("Missing"), nullptr);
  EXPECT_EQ(bar.LookupAs<QuitMenuItem>("Save"), nullptr) << "wrong class is no item";
  EXPECT_EQ(bar.Item(-1), nullptr);
  EXPECT_EQ(bar.Item(2), nullptr);
  EXPECT_EQ(file->Count(), 2);
}

TEST(MenuTree, InsertClampsTheIndexAndRefusesItemsThatWouldBreakTheTree) {
  MenuItem menu;
  menu.Append(Named("b"));
  menu.Insert(0, Named("a"));
  menu.Insert(-5, Named("first"));
  menu.Insert(99, Named("last"));
  menu.Insert(2, Named("middle"));
  EXPECT_EQ(ChildNames(menu), (std::vector<std::string>{"first", "a", "middle", "b", "last"}));

  auto owned = Named("owned");
  MenuItem* inner = menu.Append(owned)->Append(Named("inner"));
  EXPECT_EQ(menu.Append(owned), nullptr) << "already has a parent";
  EXPECT_EQ(menu.Append(nullptr), nullptr);
  EXPECT_EQ(inner->Append(owned), nullptr) << "an ancestor would make a loop";
  EXPECT_EQ(menu.Append(std::make_shared<MenuBar>()), nullptr);
  EXPECT_EQ(menu.Count(), 6);
}

TEST(MenuTree, ItemsKeptElsewhereOutliveTheirTreeWithoutAParent) {
  std::shared_ptr<MenuItem> kept = Named("kept");
  {
    MenuBar bar;
    bar.Append(kept);
  }
  EXPECT_EQ(kept->Parent(), nullptr);
  MenuBar other;
  EXPECT_EQ(other.Append(kept), kept.get());
}

class MenuDispatchTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetActiveMenuTarget(nullptr);
    for (const char* name : {"Save", "New"}) {
      ApplicationMenuHandlers().AddMenuHandler(name, {});
    }
  }
  std::vector<std::string> ran;
  FakeMenuTarget window;
};

TEST_F(MenuDispatchTest, TheActiveWindowsHandlerComesBeforeTheApplications) {
  ApplicationMenuHandlers().AddMenuHandler("Save", [this] { ran.push_back("app Save"); return false; });
  ApplicationMenuHandlers().AddMenuHandler("New", [this] { ran.push_back("app New"); return false; });
  window.handlers.AddMenuHandler("Save", [this] { ran.push_back("window Save"); return false; });

  SetActiveMenuTarget(&window);
  EXPECT_TRUE(DispatchMenuItem("Save"));
  EXPECT_TRUE(DispatchMenuItem("New"));
  EXPECT_FALSE(DispatchMenuItem("Nobody"));
  SetActiveMenuTarget(nullptr);
  EXPECT_TRUE(DispatchMenuItem("Save"));
  EXPECT_EQ(ran, (std::vector<std::string>{"window Save", "app New", "app Save"}));
}

TEST_F(MenuDispatchTest, HandlersMayRebindThemselvesAndAnEmptyHandlerUnbinds) {
  SetActiveMenuTarget(&window);
  window.handlers.AddMenuHandler("Save", [this] {
    window.handlers.AddMenuHandler("Save", [this] { ran.push_back("second"); return false; });
    ran.push_back("first");
    return false;
  });
  DispatchMenuItem("Save");
  DispatchMenuItem("Save");
  window.handlers.AddMenuHandler("Save", {});
  EXPECT_FALSE(window.handlers.Has("Save"));
  EXPECT_FALSE(DispatchMenuItem("Save"));
  EXPECT_EQ(ran, (std::vector<std::string>{"first", "second"}));
}

TEST_F(MenuDispatchTest, QuitRequestsTheQuitItselfAndNoHandlerRuns) {
  int quits = 0;
  MenuBar bar;
  MenuItem* quit =
      bar.Append(Named("File"))->Append(std::make_shared<QuitMenuItem>([&quits] { ++quits; }));
  quit->SetName("New");
  ApplicationMenuHandlers().AddMenuHandler("New", [this] { ran.push_back("app New"); return false; });

  quit->Choose();
  EXPECT_EQ(quits, 1);
  EXPECT_TRUE(ran.empty());
}

}  // namespace
}  // namespace vantrel
