// The dialog interface: scripted answers and records, the identity of a
// message dialog's buttons, and that no dialog can hang a headless run. The
// desktop side: drawn magnifier cursors, modifier keys read through the core's
// keyboard seam, and the documents folder behind GetFolderItem("", 0).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <filesystem>
#include <type_traits>

#include "platform/core/FolderItem.h"
#include "platform/core/Keyboard.h"
#include "platform/qt/Cursors.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/ScriptedDialogs.h"
#include "platform/qt/SystemServices.h"

namespace vantrel {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Failures are collected instead of failing the test, so tests can assert them.
struct CollectedDialogs {
  std::vector<std::string> reported;
  ScriptedDialogs dialogs{[this](const std::string& m) { reported.push_back(m); }};
};

MessageDialogButton* AskToSave(MessageDialog& d) {
  d.Message = "Do you want to save changes to the fractal ''Untitled*'' before closing?";
  d.Explanation = "If you don't save, your changes will be lost.";
  d.ActionButton->Caption = "Save";
  d.CancelButton->Visible = true;
  d.AlternateActionButton->Visible = true;
  d.AlternateActionButton->Caption = "Don't Save";
  return d.ShowModal();
}

TEST(MessageDialogTest, ButtonsAreTheDialogsOwnAndComparedByIdentity) {
  static_assert(!std::is_copy_constructible_v<MessageDialog>);
  MessageDialog first;
  MessageDialog second;
  EXPECT_EQ(first.ActionButton->Caption, "OK");
  EXPECT_EQ(first.CancelButton->Caption, "Cancel");
  EXPECT_TRUE(first.ActionButton->Visible);
  EXPECT_FALSE(first.CancelButton->Visible);
  EXPECT_FALSE(first.AlternateActionButton->Visible);

  CollectedDialogs scripted;
  scripted.dialogs.AnswerButton(MessageDialogChoice::Alternate);
  scripted.dialogs.AnswerButton(MessageDialogChoice::Action);
  scripted.dialogs.AnswerCancel();
  EXPECT_EQ(AskToSave(first), first.AlternateActionButton);
  EXPECT_EQ(AskToSave(second), second.ActionButton);
  EXPECT_EQ(AskToSave(first), first.CancelButton);
  EXPECT_THAT(scripted.reported, IsEmpty());
}

TEST(ScriptedDialogsTest, AnswersInTurnAndRecordsWhatWasAsked) {
  CollectedDialogs scripted;
  ScriptedDialogs& dialogs = scripted.dialogs;
  const FolderItem folder("/tmp/Saved Fractals");
  dialogs.AnswerButton(MessageDialogChoice::Action);
  dialogs.AnswerFile(folder.Child("Star.txt"));
  dialogs.AnswerColor(RGB(10, 20, 30));
  dialogs.AnswerCancel();

  MessageDialog prompt;
  EXPECT_EQ(AskToSave(prompt), prompt.ActionButton);
  MsgBox("Failed to read file.");  // needs no answer
  SaveAsDialog save;
  save.PromptText = "Enter a filename";
  save.Title = "Save your Fractal";
  EXPECT_EQ(save.ShowModal(), folder.Child("Star.txt"));
  Color c = RGB(1, 2, 3);
  EXPECT_TRUE(SelectColor(c, "Selecte a Color"));
  EXPECT_EQ(c, RGB(10, 20, 30));
  EXPECT_FALSE(SelectColor(c, "Selecte a Color"));
  EXPECT_EQ(c, RGB(10, 20, 30)) << "a cancelled picker leaves the colour alone";
  ShowURL("mailto:someone@example.org?subject=Vantrel");
  Launch(folder.Child("Guide.pdf"));

  const auto& asked = dialogs.Requests();
  std::vector<DialogKind> kinds;
  for (const DialogRequest& request : asked) kinds.push_back(request.Kind);
  using K = DialogKind;
  ASSERT_EQ(kinds, (std::vector{K::MessageDialog, K::MsgBox, K::SaveDialog, K::SelectColor,
                                K::SelectColor, K::ShowURL, K::Launch}));
  EXPECT_THAT(asked[0].Buttons, ElementsAre("Save", "Don't Save", "Cancel"));
  EXPECT_EQ(asked[0].Explanation, "If you don't save, your changes will be lost.");
  EXPECT_EQ(asked[1].Message, "Failed to read file.");
  EXPECT_EQ(asked[2].Prompt + "|" + asked[2].Title, "Enter a filename|Save your Fractal");
  EXPECT_EQ(asked[3].InitialColor, RGB(1, 2, 3));
  EXPECT_EQ(asked[3].Prompt, "Selecte a Color");
  EXPECT_EQ(asked[5].URL, "mailto:someone@example.org?subject=Vantrel");
  EXPECT_EQ(asked[6].Document, folder.Child("Guide.pdf"));
  EXPECT_EQ(dialogs.AnswersLeft(), 0u);
  EXPECT_THAT(scripted.reported, IsEmpty());
}

TEST(ScriptedDialogsTest, RunningOutOfAnswersOrAnAnswerThatDoesNotFitFailsAndCancels) {
  CollectedDialogs scripted;
  MessageDialog prompt;
  EXPECT_EQ(AskToSave(prompt), prompt.CancelButton);
  OpenDialog open;
  open.Title = "Select a Fractal";
  EXPECT_EQ(open.ShowModal(), std::nullopt);
  Color c = RGB(1, 2, 3);
  EXPECT_FALSE(SelectColor(c, "Selecte a Color"));
  EXPECT_EQ(c, RGB(1, 2, 3));
  ASSERT_EQ(scripted.reported.size(), 3u);
  EXPECT_THAT(scripted.reported[0], HasSubstr("Do you want to save changes"));
  EXPECT_THAT(scripted.reported[1], HasSubstr("Select a Fractal"));
  EXPECT_EQ(scripted.dialogs.Failures(), scripted.reported);
  EXPECT_EQ(scripted.dialogs.Requests().size(), 3u) << "unanswered dialogs are still recorded";

  const FolderItem star("/tmp/Star.txt");
  scripted.dialogs.AnswerFile(star);
  EXPECT_EQ(AskToSave(prompt), prompt.CancelButton);
  ASSERT_EQ(scripted.reported.size(), 4u);
  EXPECT_THAT(scripted.reported[3], HasSubstr("Star.txt"));
  EXPECT_EQ(OpenDialog().ShowModal(), star) << "the file stays for the open dialog";

  // The revert prompt has no alternate button: a script cannot press it.
  scripted.dialogs.AnswerButton(MessageDialogChoice::Alternate);
  MessageDialog revert;
  revert.CancelButton->Visible = true;
  EXPECT_EQ(revert.ShowModal(), revert.CancelButton);
  EXPECT_EQ(scripted.reported.size(), 5u);
}

TEST(ScriptedDialogsTest, InstallsItselfAndRestoresThePreviousDialogs) {
  EXPECT_EQ(InstalledDialogs(), nullptr);
  {
    ScriptedDialogs outer;
    {
      ScriptedDialogs inner;
      EXPECT_EQ(InstalledDialogs(), &inner);
      MsgBox("inner");
    }
    EXPECT_EQ(InstalledDialogs(), &outer);
    EXPECT_TRUE(outer.Requests().empty());
  }
  EXPECT_EQ(InstalledDialogs(), nullptr);
}

TEST(DialogsTest, NothingWaitsForAnAnswerThatCannotCome) {
  // Without dialogs installed, every dialog is cancelled at once.
  ASSERT_EQ(InstalledDialogs(), nullptr);
  MessageDialog prompt;
  EXPECT_EQ(AskToSave(prompt), prompt.CancelButton);
  EXPECT_EQ(GetSaveFolderItem("", "Untitled.JPG"), std::nullopt);
  MsgBox("nobody reads this");

  // The desktop's dialogs refuse to block on the offscreen platform.
  QtDialogs desktop;
  SetDialogs(&desktop);
  EXPECT_EQ(AskToSave(prompt), prompt.CancelButton);
  EXPECT_EQ(OpenDialog().ShowModal(), std::nullopt);
  EXPECT_EQ(SaveAsDialog().ShowModal(), std::nullopt);
  Color c = RGB(1, 2, 3);
  EXPECT_FALSE(SelectColor(c, "Selecte a Color"));
  EXPECT_EQ(c, RGB(1, 2, 3));
  MsgBox("nobody reads this either");
  SetDialogs(nullptr);
}

int Alpha(const QCursor& cursor, QPoint offset) {
  const QPoint at = cursor.hotSpot() + offset;
  return qAlpha(cursor.pixmap().toImage().pixel(at.x(), at.y()));
}

TEST(CursorsTest, MagnifiersAreDrawnWithTheHotspotOnTheirSign) {
  const QCursor larger = ToQCursor(StockCursor::MagnifyLarger);
  const QCursor smaller = ToQCursor(StockCursor::MagnifySmaller);
  for (const QCursor& cursor : {larger, smaller}) {
    const QImage image = cursor.pixmap().toImage();
    ASSERT_TRUE(image.rect().adjusted(2, 2, -2, -2).contains(cursor.hotSpot()));
    EXPECT_GT(Alpha(cursor, {0, 0}), 200) << "the sign crosses the hotspot";
    EXPECT_EQ(Alpha(cursor, {-3, -3}), 0) << "the lens stays clear";
    EXPECT_EQ(qAlpha(image.pixel(0, image.height() - 1)), 0) << "no background square";
  }
  EXPECT_GT(Alpha(larger, {0, -3}), 200) << "only the plus has a vertical bar";
  EXPECT_EQ(Alpha(smaller, {0, -3}), 0);
  EXPECT_EQ(ToQCursor(StockCursor::HandClosed).shape(), Qt::ClosedHandCursor);
}

// Gives the desktop's folders a home of their own, and puts everything back.
class DesktopServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    qputenv("HOME", home_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home_.path() + "/.config").toUtf8());
  }
  void TearDown() override {
    qputenv("HOME", savedHome_);
    qputenv("XDG_CONFIG_HOME", savedConfig_);
    SetDialogs(nullptr);
    SetKeyboardProbe(nullptr);
  }

  const QByteArray savedHome_ = qgetenv("HOME");
  const QByteArray savedConfig_ = qgetenv("XDG_CONFIG_HOME");
  QTemporaryDir home_;
};

TEST_F(DesktopServicesTest, DocumentsFolderIsTheOneTheDesktopNames) {
  // A desktop whose documents live in "Papers", which does not exist yet.
  QDir(home_.path()).mkpath(".config");
  QFile dirs(home_.path() + "/.config/user-dirs.dirs");
  ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
  dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
  dirs.close();
  InstallDesktopServices();
  const std::filesystem::path documents = home_.path().toStdString() + "/Papers";
  EXPECT_EQ(GetFolderItem("", 0).Path(), documents);
  EXPECT_FALSE(std::filesystem::exists(documents)) << "made only when something is saved";

  // The render window's save dialog starts there, made first so the dialog
  // does not fall back to the home folder.
  ScriptedDialogs dialogs;
  dialogs.AnswerCancel();
  EXPECT_EQ(GetSaveFolderItem("", "Untitled.JPG"), std::nullopt);
  ASSERT_EQ(dialogs.Requests().size(), 1u);
  EXPECT_EQ(dialogs.Requests()[0].InitialDirectory, FolderItem(documents));
  EXPECT_EQ(dialogs.Requests()[0].SuggestedFileName, "Untitled.JPG");
  EXPECT_TRUE(std::filesystem::is_directory(documents));
}

TEST_F(DesktopServicesTest, ModifierKeysAreReadFromTheDesktop) {
  InstallDesktopServices();
  QWindow window;
  window.show();
  EXPECT_FALSE(AsyncShiftKey() || AsyncCommandKey());
  QTest::keyPress(&window, Qt::Key_Shift, Qt::ShiftModifier);
  EXPECT_TRUE(AsyncShiftKey());
  EXPECT_FALSE(AsyncCommandKey());
  QTest::keyRelease(&window, Qt::Key_Shift, Qt::NoModifier);
  QTest::keyPress(&window, Qt::Key_Control, Qt::ControlModifier);
  EXPECT_FALSE(AsyncShiftKey());
  EXPECT_TRUE(AsyncCommandKey()) << "Ctrl stands for Command";
  QTest::keyRelease(&window, Qt::Key_Control, Qt::NoModifier);
  EXPECT_FALSE(AsyncCommandKey());
}

}  // namespace
}  // namespace vantrel
