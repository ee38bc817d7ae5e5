// The document window: title and menus, the keyboard delete, the save prompt,
// saving, reading and reverting through the window, and fitting the canvas.
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <tuple>

#include "DocumentWindowFixture.h"
#include "editor/DocumentSnapshot.h"
#include "menus/MenuBar1.h"
#include "platform/core/FileSizeLimit.h"
#include "model/SettingSet.h"
#include "platform/core/SaveThread.h"
#include "platform/qt/Application.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/MenuDispatch.h"
#include "platform/qt/MenuItem.h"

namespace vantrel::test {
namespace {

namespace fs = std::filesystem;

class DrawingWindowTest : public DocumentWindowFixture {
 protected:
  // What the menu bar shows for w: its enabling refreshed as before a menu opens.
  static bool Enabled(DrawingWindow& w, const std::string& item) {
    SetActiveMenuTarget(&w);
    MenuBar1().RefreshEnabling();
    return MenuBar1().Named(item).Enabled();
  }
  static void Press(DrawingWindow& w, Qt::Key key) { QTest::keyClick(w.Widget(), key); }
  // A close by the close box, which asks the window first.
  static void CloseBox(DrawingWindow& w) {
    ASSERT_NE(w.Widget(), nullptr) << "already closed";
    w.Widget()->close();
    Settle();
  }
  const DialogRequest& LastRequest() const { return dialogs_.Requests().back(); }
};

TEST_F(DrawingWindowTest, ChangedSetsTheStarAndSaveAndRevertNeedAFile) {
  auto w = NewDoc();
  EXPECT_EQ(w->Title(), "Untitled");
  ASSERT_EQ(settingsMade_.size(), 1u);
  EXPECT_TRUE(settingsMade_[0]->madeForNewDocument);
  EXPECT_FALSE(w->LoadDefaulySettings);
  w->Changed(true);
  EXPECT_EQ(w->Title(), "Untitled*");
  EXPECT_TRUE(Enabled(*w, "FileSaveAs"));
  EXPECT_FALSE(Enabled(*w, "FileSave")) << "no file yet";
  EXPECT_FALSE(Enabled(*w, "FileRevertToSaved"));

  ASSERT_TRUE(w->WriteFile(File("Star.txt")));
  EXPECT_EQ(w->Title(), "Untitled") << "the name changes only with Save As";
  EXPECT_FALSE(Enabled(*w, "FileSave")) << "a file, but no changes";

  w->AddPoint(0.5, 0.5, -1);
  EXPECT_EQ(w->Title(), "Untitled*");
  EXPECT_TRUE(w->FileSave().Enabled()) << "Changed enables at once";
  EXPECT_TRUE(Enabled(*w, "FileSave"));
  EXPECT_TRUE(Enabled(*w, "FileRevertToSaved"));

  w->FileSave_Action();
  w->FinishSave();
  EXPECT_EQ(w->Title(), "Untitled");
  EXPECT_FALSE(w->FileSave().Enabled());
  EXPECT_FALSE(Enabled(*w, "FileRevertToSaved"));
  SetActiveMenuTarget(nullptr);
}

TEST_F(DrawingWindowTest, DeleteKeysRemoveTheSelectedPointsAndAnyKeyRestartsThePreview) {
  auto w = NewDoc();
  for (int i = 0; i < 5; ++i) w->AddPoint(i * 0.1, 0.5, -1);
  w->SelectedPoints = {false, true, false, true, true};
  w->Changed(false);
  Press(*w, Qt::Key_Backspace);
  EXPECT_EQ(w->Xpoints, (std::vector<double>{0.0, 0.2}));
  EXPECT_EQ(w->SelectedPoints, (std::vector<bool>{false, false}));
  EXPECT_TRUE(w->Changed());
  EXPECT_EQ(w->Snapshot()->Xpoints, w->Xpoints) << "the restarted preview sees the result";

  w->SelectedPoints = {true, false};
  Press(*w, Qt::Key_Delete);
  EXPECT_EQ(w->Xpoints, (std::vector<double>{0.2}));

  // Nothing selected: nothing goes. Every key restarts the preview, which
  // fits the canvas to the render proportions switched on meanwhile.
  Press(*w, Qt::Key_Backspace);
  EXPECT_EQ(w->Xpoints.size(), 1u);
  w->CurrentSettings->Booleans[2] = true;
  w->CurrentSettings->Ints[6] = 300;
  w->CurrentSettings->Ints[7] = 630;
  Press(*w, Qt::Key_A);
  EXPECT_EQ(w->FracCan().Width(), 150);
  EXPECT_EQ(w->Snapshot()->View.Width, 150) << "published after the canvas was fitted";
}

// Closing is only safe once the changes are on disk.
TEST_F(DrawingWindowTest, TheSavePromptClosesOnlyWhatIsSavedOrGivenUp) {
  auto w = NewDoc();
  w->AddPoint(0.5, 0.5, -1);
  dialogs_.AnswerButton(MessageDialogChoice::Cancel);
  CloseBox(*w);
  EXPECT_TRUE(w->IsOpen());
  const DialogRequest& prompt = LastRequest();
  EXPECT_EQ(prompt.Kind, DialogKind::MessageDialog);
  EXPECT_EQ(prompt.Message, "Do you want to save changes to the fractal ''Untitled*'' before closing?");
  EXPECT_EQ(prompt.Buttons, (std::vector<std::string>{"Save", "Don't Save", "Cancel"}));

  // Save, then the save dialog cancelled: by the close box and by a quit.
  dialogs_.AnswerButton(MessageDialogChoice::Action);
  dialogs_.AnswerCancel();
  CloseBox(*w);
  EXPECT_TRUE(w->IsOpen());
  EXPECT_TRUE(w->Changed());
  EXPECT_EQ(LastRequest().Title, "Save your Fractal");
  dialogs_.AnswerButton(MessageDialogChoice::Action);
  dialogs_.AnswerCancel();
  RequestQuit();
  EXPECT_TRUE(w->IsOpen()) << "the quit stops at this document";

  dialogs_.AnswerButton(MessageDialogChoice::Action);
  dialogs_.AnswerFile(File("Kept.txt"));
  CloseBox(*w);
  EXPECT_FALSE(w->IsOpen());
  EXPECT_NE(ReadText("Kept.txt").find("0.5,0.5"), std::string::npos);
  EXPECT_TRUE(settingsMade_[0]->closed);
  EXPECT_EQ(w->SettingsWin, nullptr);

  auto dropped = NewDoc();
  dropped->Changed(true);
  dialogs_.AnswerButton(MessageDialogChoice::Alternate);
  CloseBox(*dropped);
  EXPECT_FALSE(dropped->IsOpen()) << "Don't Save drops the changes";
  auto unchanged = NewDoc();
  const std::size_t asked = dialogs_.Requests().size();
  CloseBox(*unchanged);
  EXPECT_FALSE(unchanged->IsOpen());
  EXPECT_EQ(dialogs_.Requests().size(), asked) << "no prompt";
}

TEST_F(DrawingWindowTest, AFailedSaveIsReportedAndChangesNothing) {
  auto w = NewDoc();
  ASSERT_TRUE(SaveAs(*w, File("Star.txt")));
  EXPECT_EQ(w->Title(), "Star.txt");
  EXPECT_EQ(settingsMade_[0]->Title(), "Settings for: Star.txt");
  w->AddPoint(0.25, 0.75, -1);

  // Save As into a "folder" that is a file: nothing can be created there.
  WriteText("NotAFolder", "x");
  EXPECT_FALSE(SaveAs(*w, File("NotAFolder/Other.txt")));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("Failed to save file."), std::string::npos);
  EXPECT_NE(Messages()[0].find("Other.txt"), std::string::npos) << "names the file";
  EXPECT_EQ(w->Name, "Star.txt") << "named only once written";
  EXPECT_EQ(w->Title(), "Star.txt*");
  EXPECT_EQ(w->CurrentFile, File("Star.txt"));

  // A disk that fills: the document's text goes out as the file is closed,
  // and that failure keeps the "*" and the file on disk as it was.
  const std::string before = ReadText("Star.txt");
  {
    const FileSizeLimit limit(16);
    ASSERT_TRUE(limit.Active());
    w->FileSave_Action();
    w->FinishSave();
  }
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[1], "Failed to save file. Could not write \"" +
                               (folder_ / "Star.txt").string() + "\": File too large.");
  EXPECT_EQ(w->Title(), "Star.txt*");
  EXPECT_TRUE(w->Changed());
  EXPECT_EQ(w->CurrentFile, File("Star.txt"));
  EXPECT_EQ(ReadText("Star.txt"), before);
  EXPECT_TRUE(w->FileSave().Enabled());

  // The prompt's Save fails too, over a file that became a folder: the
  // window stays.
  fs::remove(folder_ / "Star.txt");
  fs::create_directories(folder_ / "Star.txt");
  dialogs_.AnswerButton(MessageDialogChoice::Action);
  CloseBox(*w);
  EXPECT_TRUE(w->IsOpen());
  ASSERT_EQ(Messages().size(), 3u);
  EXPECT_NE(Messages()[2].find((folder_ / "Star.txt").string()), std::string::npos);
}

// The menu's Save writes a snapshot on a save thread. Held half-way, the
// window goes on handling events and edits; the file then holds the document
// as it stood at the press, and the "*" stays for the edit made meanwhile.
// The file being written belongs to the window before the save ends.
TEST_F(DrawingWindowTest, SaveWritesTheDocumentAsAtThePressWhileTheWindowGoesOn) {
  auto w = NewDoc();
  for (int i = 0; i < 20000; ++i) w->AddPoint(i / 20000.0, 0.25, -1);
  dialogs_.AnswerFile(File("Star.txt"));
  w->FileSaveAs_Action();
  ASSERT_NE(w->DocumentSave, nullptr);
  w->DocumentSave->Suspend();
  ASSERT_TRUE(SettleUntil([&w] { return w->DocumentSave->Parked(); }));
  EXPECT_TRUE(w->HoldsFile(File("Star.txt")));
  EXPECT_EQ(w->Title(), "Untitled*") << "named only once written";
  bool fired = false;
  QTimer::singleShot(0, [&fired] { fired = true; });
  EXPECT_TRUE(SettleUntil([&fired] { return fired; })) << "the event loop runs during a save";
  w->AddPoint(0.5, 0.875, -1);
  w->DocumentSave->Resume();
  ASSERT_TRUE(SettleUntil([&w] { return w->DocumentSave == nullptr; }));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(w->Title(), "Star.txt*") << "named, and changed since the press";
  EXPECT_EQ(w->CurrentFile, File("Star.txt"));
  EXPECT_EQ(ReadText("Star.txt").find("0.5,0.875"), std::string::npos);
  EXPECT_NE(ReadText("Star.txt").find("0.99995,0.25"), std::string::npos);

  // Saved again with nothing changed meanwhile, the "*" goes.
  w->FileSave_Action();
  w->FinishSave();
  EXPECT_EQ(w->Title(), "Star.txt");
  EXPECT_NE(ReadText("Star.txt").find("0.5,0.875"), std::string::npos);
}

// Closing waits for a save under way: one that succeeds leaves nothing to
// ask; one that fails is told first and the prompt then asks as before.
TEST_F(DrawingWindowTest, CloseWaitsForTheSaveUnderWayBeforeItAsks) {
  auto w = NewDoc();
  w->AddPoint(0.5, 0.5, -1);
  dialogs_.AnswerFile(File("Star.txt"));
  w->FileSaveAs_Action();
  const std::size_t asked = dialogs_.Requests().size();
  CloseBox(*w);
  EXPECT_FALSE(w->IsOpen());
  EXPECT_EQ(dialogs_.Requests().size(), asked) << "no prompt for saved work";
  EXPECT_NE(ReadText("Star.txt").find("0.5,0.5"), std::string::npos);

  auto failing = NewDoc();
  failing->AddPoint(0.5, 0.5, -1);
  fs::create_directories(folder_ / "Folder.txt");
  dialogs_.AnswerFile(File("Folder.txt"));
  failing->FileSaveAs_Action();
  dialogs_.AnswerButton(MessageDialogChoice::Cancel);
  CloseBox(*failing);
  EXPECT_TRUE(failing->IsOpen());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("Folder.txt"), std::string::npos);
  EXPECT_EQ(LastRequest().Kind, DialogKind::MessageDialog) << "then the prompt";
  EXPECT_EQ(failing->Title(), "Untitled*");
}

// Reading itself, and what a missing file says, are the document file's
// test; here, what the window adds.
TEST_F(DrawingWindowTest, OpenMakesAWindowOnlyForAFileItCanRead) {
  auto w = NewDoc();
  w->AddPoint(0.125, 0.25, -1);
  w->SelectedPoints[0] = true;
  ASSERT_TRUE(w->WriteFile(File("Star.txt")));
  auto read = Keep(DrawingWindow::OpenDocument(File("Star.txt")));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Title(), "Star") << "without its .txt";
  EXPECT_FALSE(read->Changed());
  EXPECT_EQ(read->Xpoints, w->Xpoints);
  EXPECT_EQ(read->SelectedPoints, std::vector<bool>{false});
  ASSERT_EQ(settingsMade_.size(), 2u);
  EXPECT_FALSE(settingsMade_[1]->madeForNewDocument) << "shows the settings read";

  const std::size_t windowsBefore = Application::Windows().size();
  WriteText("Picture.JPG", "\xff\xd8\xff\xe0 not text at all");
  EXPECT_EQ(DrawingWindow::OpenDocument(File("Picture.JPG")), nullptr);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kFailedReadMessage}));
  EXPECT_EQ(Application::Windows().size(), windowsBefore);
  EXPECT_EQ(settingsMade_.size(), 2u);
}

TEST_F(DrawingWindowTest, RevertToSavedAsksThenDropsEveryChangeOrNone) {
  auto w = NewDoc();
  w->AddPoint(0.1, 0.1, -1);
  w->AddPoint(0.9, 0.9, -1);
  ASSERT_TRUE(SaveAs(*w, File("Star.txt")));
  w->AddPoint(0.5, 0.2, -1);
  w->SelectedPoints[0] = true;

  dialogs_.AnswerCancel();
  w->FileRevertToSaved_Action();
  EXPECT_EQ(LastRequest().Message, "Do you want to revert to the saved version of ''Star.txt*''?");
  EXPECT_EQ(LastRequest().Buttons, (std::vector<std::string>{"Revert", "Cancel"}));
  EXPECT_EQ(w->Xpoints.size(), 3u);
  EXPECT_TRUE(w->SelectedPoints[0]);

  // A file gone bad since the save, or gone: the document stays as it is.
  const std::string saved = ReadText("Star.txt");
  WriteText("Star.txt", "not a fractal\n");
  dialogs_.AnswerButton(MessageDialogChoice::Action);
  w->FileRevertToSaved_Action();
  EXPECT_EQ(Messages(), (std::vector<std::string>{kFailedReadMessage}));
  fs::remove(folder_ / "Star.txt");
  dialogs_.AnswerButton(MessageDialogChoice::Action);
  w->FileRevertToSaved_Action();
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_NE(Messages()[1].find((folder_ / "Star.txt").string()), std::string::npos);
  EXPECT_EQ(w->Xpoints.size(), 3u);
  EXPECT_EQ(w->Title(), "Star.txt*");

  WriteText("Star.txt", saved);
  dialogs_.AnswerButton(MessageDialogChoice::Action);
  const std::uint64_t published = w->Publications();
  w->FileRevertToSaved_Action();
  EXPECT_EQ(w->Publications(), published + 1) << "one snapshot, as for any edit";
  EXPECT_EQ(w->Snapshot()->Xpoints, (std::vector<double>{0.1, 0.9}));
  EXPECT_EQ(w->Xpoints, (std::vector<double>{0.1, 0.9}));
  EXPECT_EQ(w->SelectedPoints, (std::vector<bool>{false, false}));
  EXPECT_FALSE(w->Changed());
  EXPECT_EQ(w->Title(), "Star") << "named from the file again";
  ASSERT_EQ(settingsMade_.size(), 2u) << "the settings window is made anew";
  EXPECT_TRUE(settingsMade_[0]->closed);
  EXPECT_EQ(w->SettingsWin, settingsMade_[1]);
}

TEST_F(DrawingWindowTest, PreviewFramesTheCanvasInTheRenderProportions) {
  auto w = NewDoc();
  SettingSet& s = *w->CurrentSettings;
  const auto canvas = [&] { return std::pair(w->FracCan().Width(), w->FracCan().Height()); };
  s.Booleans[2] = true;
  // A side never goes below one pixel; a size of 0 fills the space.
  const std::tuple<double, double, std::pair<Integer, Integer>> cases[] = {
      {630, 300, {315, 150}}, {300, 630, {150, 315}}, {9999, 1, {315, 1}}, {0, 1, {315, 315}}};
  for (const auto& [width, height, expected] : cases) {
    s.Ints[6] = width;
    s.Ints[7] = height;
    w->Preview();
    EXPECT_EQ(canvas(), expected) << width << " x " << height;
    // The view is refitted to the new size, for square pixels.
    EXPECT_EQ(w->OldCanSizeY, expected.second);
    const double ratio = static_cast<double>(expected.second) / expected.first;
    EXPECT_NEAR((w->Y2 - w->Y1) / (w->X2 - w->X1), ratio, ratio * 1e-9);
  }
  // While inhibited, nothing moves.
  s.Ints[6] = 630;
  const double y2 = w->Y2;
  w->InhibitPreview = true;
  w->Preview();
  EXPECT_EQ(canvas(), std::pair(315, 315));
  EXPECT_EQ(w->Y2, y2);
  w->InhibitPreview = false;
  s.Booleans[2] = false;
  w->Preview();
  EXPECT_EQ(canvas(), std::pair(315, 315)) << "switched off, the canvas fills the space";
}

}  // namespace
}  // namespace vantrel::test
