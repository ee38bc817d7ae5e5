// The application object: naming new documents, the window list, the Open
// command and which settings windows show.
#include <QGuiApplication>
#include <QTest>
#include <QWidget>

#include "app/App.h"
#include "editor/DocumentWindowFixture.h"
#include "model/Globals.h"

namespace vantrel::test {
namespace {

using Names = std::vector<std::string>;

class AppTest : public DocumentWindowFixture {
 protected:
  void SetUp() override {
    DocumentWindowFixture::SetUp();
    InstallAppServices();
  }
  void TearDown() override {
    // Close what is still listed while the application object exists.
    const auto listed = app_.DrawingWin;
    for (const auto& window : listed) window->Close();
    DocumentWindowFixture::TearDown();
  }

  std::shared_ptr<DrawingWindow> New() { return Keep(app_.AddNewWin(std::nullopt)); }
  Names Titles() const {
    Names titles;
    for (const auto& window : app_.DrawingWin) titles.push_back(window->Title());
    return titles;
  }

  class App app_;
};

TEST_F(AppTest, NewDocumentsTakeTheFirstUntitledNameNoListedWindowShows) {
  auto first = New();
  New();
  New();
  EXPECT_EQ(Titles(), (Names{"Untitled", "Untitled1", "Untitled2"}));

  // A closed window leaves the list, and its name is free again.
  first->Close();
  EXPECT_EQ(Titles(), (Names{"Untitled1", "Untitled2"}));
  New();
  EXPECT_EQ(Titles().back(), "Untitled");

  // Untitled1 listed before Untitled: the scan starts over after each match.
  app_.DrawingWin[1]->Close();
  EXPECT_EQ(Titles(), (Names{"Untitled1", "Untitled"}));
  EXPECT_EQ(New()->Title(), "Untitled2");

  // "Untitled*" is not "Untitled".
  app_.DrawingWin[1]->Changed(true);
  app_.DrawingWin[0]->Close();
  app_.DrawingWin[1]->Close();
  EXPECT_EQ(Titles(), (Names{"Untitled*"}));
  EXPECT_EQ(New()->Title(), "Untitled");
}

TEST_F(AppTest, MessagesAndDialogsCarryTheProgramsName) {
  EXPECT_EQ(QGuiApplication::applicationDisplayName().toStdString(), "Vantrel");
}

TEST_F(AppTest, OpenFractalAsksInTheSavedFractalsFolderAndListsWhatItReads) {
  auto w = New();
  dialogs_.AnswerFile(File("Star.txt"));
  ASSERT_TRUE(w->SaveAs());

  dialogs_.AnswerFile(File("Star.txt"));
  app_.FileOpenFractal_Action();
  const DialogRequest& asked = dialogs_.Requests().back();
  EXPECT_EQ(asked.Kind, DialogKind::OpenDialog);
  EXPECT_EQ(asked.Title, "Select a Fractal");
  EXPECT_EQ(asked.InitialDirectory, Globals::FracFolder());
  ASSERT_EQ(app_.DrawingWin.size(), 2u);
  Keep(app_.DrawingWin[1]);
  EXPECT_EQ(app_.DrawingWin[1]->Title(), "Star");

  dialogs_.AnswerCancel();
  app_.FileOpenFractal_Action();
  EXPECT_EQ(app_.DrawingWin.size(), 2u);

  // A file that is not a document: a message, and nothing listed.
  WriteText("Picture.JPG", "\xff\xd8 not a fractal");
  dialogs_.AnswerFile(File("Picture.JPG"));
  app_.FileOpenFractal_Action();
  EXPECT_EQ(app_.DrawingWin.size(), 2u);
  EXPECT_EQ(Messages(), (Names{kFailedReadMessage}));
}

TEST_F(AppTest, ActivatingADocumentHidesTheOtherDocumentsSettingsWindows) {
  auto a = New();
  auto b = New();
  // Let the windows finish showing first: a window that shows may take the
  // activation on some platforms.
  QTest::qWait(50);
  b->SetFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(b->Widget()));
  EXPECT_FALSE(a->SettingsWin->Visible());
  EXPECT_TRUE(b->SettingsWin->Visible());
  EXPECT_TRUE(a->SettingsWin->WasVisible) << "hiding for another document is remembered apart";

  auto c = New();
  c->SettingsWin->Close();  // closed for good: skipped
  ASSERT_EQ(c->SettingsWin, nullptr);
  a->SettingsWin->Show();
  app_.HideOtherSettingsWins(b->SettingsWin.get());
  EXPECT_FALSE(a->SettingsWin->Visible());
  EXPECT_TRUE(b->SettingsWin->Visible());
  app_.HideOtherSettingsWins(nullptr);
  EXPECT_FALSE(b->SettingsWin->Visible());
}

}  // namespace
}  // namespace vantrel::test
