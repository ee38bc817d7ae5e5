// The dialog interface: scripted answers and records, the identity of a
// message dialog's buttons, and that no dialog can hang a headless run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <type_traits>

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
  EXPECT_TRUE(first.ActionButton->Visible);
  EXPECT_EQ(first.CancelButton->Caption, "Cancel");
  EXPECT_FALSE(first.CancelButton->Visible);
  EXPECT_FALSE(first.AlternateActionButton->Visible);
  EXPECT_NE(first.ActionButton, second.ActionButton);

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
  save.InitialDirectory = folder;
  save.PromptText = "Enter a filename";
  save.SuggestedFileName = "Untitled Fractal.txt";
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
  ASSERT_EQ(asked.size(), 7u);
  EXPECT_EQ(asked[0].Kind, DialogKind::MessageDialog);
  EXPECT_THAT(asked[0].Message, HasSubstr("''Untitled*''"));
  EXPECT_EQ(asked[0].Explanation, "If you don't save, your changes will be lost.");
  EXPECT_THAT(asked[0].Buttons, ElementsAre("Save", "Don't Save", "Cancel"));
  EXPECT_EQ(asked[1].Kind, DialogKind::MsgBox);
  EXPECT_EQ(asked[1].Message, "Failed to read file.");
  EXPECT_EQ(asked[2].Kind, DialogKind::SaveDialog);
  EXPECT_EQ(asked[2].InitialDirectory, folder);
  EXPECT_EQ(asked[2].Prompt, "Enter a filename");
  EXPECT_EQ(asked[2].SuggestedFileName, "Untitled Fractal.txt");
  EXPECT_EQ(asked[2].Title, "Save your Fractal");
  EXPECT_EQ(asked[3].Kind, DialogKind::SelectColor);
  EXPECT_EQ(asked[3].InitialColor, RGB(1, 2, 3));
  EXPECT_EQ(asked[3].Prompt, "Selecte a Color");
  EXPECT_EQ(asked[5].URL, "mailto:someone@example.org?subject=Vantrel");
  EXPECT_EQ(asked[6].Document, folder.Child("Guide.pdf"));
  EXPECT_EQ(dialogs.AnswersLeft(), 0u);
  EXPECT_THAT(scripted.reported, IsEmpty());
}

TEST(ScriptedDialogsTest, RunningOutOfAnswersFailsAndCancels) {
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
}

TEST(ScriptedDialogsTest, AnswerThatDoesNotFitFailsAndWaitsForItsDialog) {
  CollectedDialogs scripted;
  const FolderItem star("/tmp/Star.txt");
  scripted.dialogs.AnswerFile(star);
  MessageDialog prompt;
  EXPECT_EQ(AskToSave(prompt), prompt.CancelButton);
  ASSERT_EQ(scripted.reported.size(), 1u);
  EXPECT_THAT(scripted.reported[0], HasSubstr("Star.txt"));
  EXPECT_EQ(OpenDialog().ShowModal(), star) << "the file stays for the open dialog";

  // The revert prompt has no alternate button: a script cannot press it.
  scripted.dialogs.AnswerButton(MessageDialogChoice::Alternate);
  MessageDialog revert;
  revert.ActionButton->Caption = "Revert";
  revert.CancelButton->Visible = true;
  EXPECT_EQ(revert.ShowModal(), revert.CancelButton);
  EXPECT_EQ(scripted.reported.size(), 2u);
  EXPECT_THAT(scripted.dialogs.Requests().back().Buttons, ElementsAre("Revert", "Cancel"));
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

}  // namespace
}  // namespace vantrel
