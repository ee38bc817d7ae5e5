// The Help menu as the "Help" folder makes it, what its entries open, and the
// About window: one at a time, its texts, version label, buttons and backdrop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/AboutBox.h"
#include "app/App.h"
#include "app/HelpMenu.h"
#include "app/HelpMenuItem.h"
#include "app/HelpMenuLink.h"
#include "platform/core/Picture.h"
#include "platform/qt/Application.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/PushButton.h"
#include "platform/qt/ScriptedDialogs.h"
#include "platform/qt/StaticText.h"
#include "support/Settle.h"

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

// --- The About window ----------------------------------------------------------------

class AboutBoxTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (Window* open : Application::Windows()) open->Close();
    Settle();
  }
  std::string VersionShown(Integer major, Integer minor, Integer bug, Integer stage,
                           Integer nonRelease) {
    app_.MajorVersion = major;
    app_.MinorVersion = minor;
    app_.BugVersion = bug;
    app_.StageCode = stage;
    app_.NonReleaseVersion = nonRelease;
    const auto box = AboutBox();
    const std::string text = box->ControlNamed<StaticText>("StaticText4").Text();
    box->Close();
    return text;
  }
  std::string Text(const char* name) { return AboutBox()->ControlNamed<StaticText>(name).Text(); }
  PushButton& Button(const char* name) { return AboutBox()->ControlNamed<PushButton>(name); }

  class App app_;
  ScriptedDialogs dialogs_{[](const std::string& m) { ADD_FAILURE() << m; }};
};

TEST_F(AboutBoxTest, VersionLabelAddsTheStageLetterAndAlwaysTheNonReleaseNumber) {
  EXPECT_EQ(VersionShown(1, 2, 3, 2, 4), "Version: 1.2.3b4");
  EXPECT_EQ(VersionShown(1, 0, 0, 3, 0), "Version: 1.0.00");
  EXPECT_EQ(VersionShown(2, 0, 1, 0, 7), "Version: 2.0.1_7");
  EXPECT_EQ(VersionShown(3, 1, 0, 1, 2), "Version: 3.1.0a2");
  EXPECT_EQ(VersionShown(1, 0, 0, 2147483647, 5), "Version: 1.0.05");
  EXPECT_EQ(VersionShown(1, 0, 0, -1, 5), "Version: 1.0.05");
}

TEST_F(AboutBoxTest, OneWindowWhileOpenANewOneWithTheSameBackdropAfterClosing) {
  EXPECT_FALSE(app_.HelpAboutVantrel_Action());
  const auto first = AboutBox();
  EXPECT_TRUE(first->Visible());
  app_.HelpAboutVantrel_Action();
  EXPECT_EQ(AboutBox(), first);

  const auto backdrop = AboutBoxpic();
  first->Close();
  Settle();
  EXPECT_EQ(VersionShown(9, 8, 7, 3, 6), "Version: 9.8.76");
  EXPECT_NE(AboutBox(), first);
  EXPECT_EQ(AboutBoxpic(), backdrop);
}

TEST_F(AboutBoxTest, ShowsNameCreditsAndCopyrightWithThreeButtons) {
  EXPECT_EQ(AboutBox()->Title(), "About Vantrel");
  EXPECT_EQ(Text("StaticText3"), "Vantrel");
  EXPECT_NE(Text("StaticText2").find("the Vantrel developers"), std::string::npos);
  EXPECT_EQ(Text("StaticText1"), "\u00A9 2026 The Vantrel developers");
  // One-line labels show their whole text.
  for (QLabel* label : AboutBox()->Widget()->findChildren<QLabel*>()) {
    if (label->wordWrap()) continue;
    EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
  }

  EXPECT_EQ(Button("PushButton2").Caption(), "View Site");
  EXPECT_EQ(Button("PushButton3").Caption(), "Contact");
  Button("PushButton2").Push();
  Button("PushButton3").Push();
  ASSERT_EQ(dialogs_.Requests().size(), 2u);
  EXPECT_EQ(dialogs_.Requests()[0].URL, "https://vantrel.example/");
  EXPECT_EQ(dialogs_.Requests()[1].URL, "mailto:hello@vantrel.example?subject=Vantrel");

  EXPECT_EQ(Button("PushButton1").Caption(), "Close");
  const auto box = AboutBox();
  Button("PushButton1").Push();
  EXPECT_FALSE(box->IsOpen());
  // Return presses Close, the default button.
  const auto again = AboutBox();
  QTest::keyClick(again->Widget(), Qt::Key_Return);
  EXPECT_FALSE(again->IsOpen());
}

TEST_F(AboutBoxTest, BackdropIsSnowflakesOnSkyAtTheWindowsSize) {
  const auto pic = AboutBoxpic();
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->Width(), 430);
  EXPECT_EQ(pic->Height(), 270);
  const Color ink = FromRGB565(ToRGB565(Color{176, 176, 236}));
  int inked = 0;
  for (Integer y = 0; y < pic->Height(); ++y) {
    for (Integer x = 0; x < pic->Width(); ++x) inked += pic->PixelColor(x, y) == ink;
  }
  EXPECT_GT(inked, 1000);
  EXPECT_NE(pic->PixelColor(0, 0), ink);
}

}  // namespace
}  // namespace vantrel::test
