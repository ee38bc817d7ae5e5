// The Help menu as the "Help" folder makes it, and what its entries open.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "menus/HelpMenu.h"
#include "menus/HelpMenuItem.h"
#include "menus/HelpMenuLink.h"
#include "platform/core/FolderItem.h"
#include "platform/qt/ScriptedDialogs.h"

namespace vantrel::test {
namespace {

namespace fs = std::filesystem;
using Captions = std::vector<std::string>;

class HelpMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() /
            ("vantrel-help-" + std::to_string(getpid()) + "-" + info->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "bin");
    SetDocumentsFolder(root_ / "documents");
  }
  void TearDown() override { fs::remove_all(root_); }

  // A file, or with a trailing "/" a folder, in the Help folder under bin or documents.
  void Put(const std::string& name, const std::string& text = "", const char* under = "bin") {
    const fs::path path = root_ / under / "Help" / name;
    fs::create_directories(name.ends_with('/') ? path : path.parent_path());
    if (!name.ends_with('/')) std::ofstream(path, std::ios::binary) << text;
  }
  // A fresh Help menu holding only the About item, built as if the program lay in bin.
  Captions Build() {
    menu_ = std::make_shared<HelpMenu>();
    menu_->Append(std::make_shared<MenuItem>("About Vantrel"));
    menu_->BuildMenu(FolderItem(root_ / "bin"));
    Captions captions;
    for (Integer i = 0; i < menu_->Count(); ++i) captions.push_back(menu_->Item(i)->Text());
    return captions;
  }
  const HelpMenuLink& LinkAt(Integer i) { return dynamic_cast<HelpMenuLink&>(*menu_->Item(i)); }

  fs::path root_;
  std::shared_ptr<HelpMenu> menu_;
  ScriptedDialogs dialogs_{[](const std::string& m) { ADD_FAILURE() << m; }};
};

TEST_F(HelpMenuTest, DocumentsAndLinksMakeTwoGroupsAboveAbout) {
  Put("Tutorial.rtf");
  Put("Guide.pdf");
  Put("notes.txt");
  Put("Extras/");
  EXPECT_EQ(Build(), (Captions{"Guide", "Tutorial", "-", "About Vantrel"}));
  // The group separator goes with the file, even an empty one.
  Put("Links.txt");
  EXPECT_EQ(Build(), (Captions{"Guide", "Tutorial", "-", "-", "About Vantrel"}));
  Put("Links.txt", "Qt\thttps://www.qt.io/\nKoch\thttps://en.wikipedia.org/wiki/Koch_snowflake\n");
  EXPECT_EQ(Build(), (Captions{"Guide", "Tutorial", "-", "Qt", "Koch", "-", "About Vantrel"}));
  fs::remove(root_ / "bin/Help/Guide.pdf");
  fs::remove(root_ / "bin/Help/Tutorial.rtf");
  EXPECT_EQ(Build(), (Captions{"Qt", "Koch", "-", "About Vantrel"}));
}

TEST_F(HelpMenuTest, LinkLinesAreTakenAsTheyStand) {
  Put("Links.txt", "No tab here\r\n-\r\nA\tB\tC\n\nLast\tx");
  EXPECT_EQ(Build(), (Captions{"No tab here", "-", "A", "", "Last", "-", "About Vantrel"}));
  EXPECT_EQ(LinkAt(0).Link, "");
  EXPECT_TRUE(LinkAt(1).IsSeparator());
  EXPECT_EQ(LinkAt(2).Link, "B");
  EXPECT_EQ(LinkAt(4).Link, "x");
}

TEST_F(HelpMenuTest, DocumentsAreJudgedByTheirNameAlone) {
  for (const char* name : {".pdf", "MANUAL.RTF", "Folder.rtf/", "pdf", "Guide.pdf.txt"}) Put(name);
  EXPECT_EQ(Build(), (Captions{"", "Folder", "MANUAL", "-", "About Vantrel"}));
}

TEST_F(HelpMenuTest, TheDocumentsFolderStandsInOnlyWhenNoHelpFolderIsBesideTheProgram) {
  EXPECT_EQ(Build(), (Captions{"-", "About Vantrel"}));
  Put("Elsewhere.pdf", "", "documents");
  EXPECT_EQ(Build(), (Captions{"Elsewhere", "-", "About Vantrel"}));
  Put("Beside.pdf");
  EXPECT_EQ(Build(), (Captions{"Beside", "-", "About Vantrel"}));

  // Without a folder given, it looks beside the test program, which has no Help folder.
  menu_ = std::make_shared<HelpMenu>();
  menu_->BuildMenu();
  EXPECT_EQ(menu_->Item(0)->Text(), "Elsewhere");
}

TEST_F(HelpMenuTest, AHugeLinksFileIsCutShort) {
  std::string lines;
  for (int i = 0; i < 3000; ++i) lines += "L\tu\n";
  Put("Links.txt", lines);
  EXPECT_EQ(static_cast<Integer>(Build().size()), HelpMenu::kMostEntries + 2);
}

TEST_F(HelpMenuTest, EntriesOpenTheirDocumentOrLinkThroughTheDesktop) {
  Put("Guide.pdf");
  Put("Links.txt", "Qt\thttps://www.qt.io/\nBare");
  Build();
  for (Integer i : {0, 2, 3}) menu_->Item(i)->Choose();
  const auto& asked = dialogs_.Requests();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].Kind, DialogKind::Launch);
  EXPECT_EQ(asked[0].Document, FolderItem(root_ / "bin/Help/Guide.pdf"));
  EXPECT_EQ(asked[1].Kind, DialogKind::ShowURL);
  EXPECT_EQ(asked[1].URL, "https://www.qt.io/");
  EXPECT_EQ(asked[2].URL, "");

  // A desktop without a program for them: a message names what stayed closed.
  dialogs_.DesktopOpens = false;
  for (Integer i : {0, 2}) menu_->Item(i)->Choose();
  ASSERT_EQ(asked.size(), 7u);
  EXPECT_EQ(asked[4].Kind, DialogKind::MsgBox);
  EXPECT_NE(asked[4].Message.find((root_ / "bin/Help/Guide.pdf").string()), std::string::npos);
  EXPECT_NE(asked[6].Message.find("\"https://www.qt.io/\""), std::string::npos);
}

}  // namespace
}  // namespace vantrel::test
