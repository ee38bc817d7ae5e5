// The application object: naming new documents, the window list, the Open
// command, one window per file, which settings windows show, the shortcuts in
// every window and where the activation goes when a dialog closes.
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <span>

#include "app/AboutBox.h"
#include "app/App.h"
#include "editor/ScaleWindow.h"
#include "editor/DocumentReadThread.h"
#include "editor/DocumentWindowFixture.h"
#include "menus/MenuBar1.h"
#include "model/Globals.h"
#include "render/RenderWindow.h"

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
  // Gives window the focus: true once it is active.
  static bool Activate(Window& window) {
    window.SetFocus();
    return QTest::qWaitForWindowActive(window.Widget());
  }
  // Open Fractal, waiting for the file to be read and its window made.
  void OpenAndWait() {
    app_.FileOpenFractal_Action();
    EXPECT_TRUE(SettleUntil([this] { return app_.Opening.empty(); }));
  }
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
  ASSERT_TRUE(SaveAs(*w, File("Star.txt")));
  w->Close();  // else Open would bring it forward

  dialogs_.AnswerFile(File("Star.txt"));
  OpenAndWait();
  const DialogRequest& asked = dialogs_.Requests().back();
  EXPECT_EQ(asked.Kind, DialogKind::OpenDialog);
  EXPECT_EQ(asked.Title, "Select a Fractal");
  EXPECT_EQ(asked.InitialDirectory, Globals::FracFolder());
  ASSERT_EQ(app_.DrawingWin.size(), 1u);
  Keep(app_.DrawingWin[0]);
  EXPECT_EQ(app_.DrawingWin[0]->Title(), "Star");

  dialogs_.AnswerCancel();
  OpenAndWait();
  EXPECT_EQ(app_.DrawingWin.size(), 1u);

  // A file that is not a document: a message, and nothing listed.
  WriteText("Picture.JPG", "\xff\xd8 not a fractal");
  dialogs_.AnswerFile(File("Picture.JPG"));
  OpenAndWait();
  EXPECT_EQ(app_.DrawingWin.size(), 1u);
  EXPECT_EQ(Messages(), (Names{kFailedReadMessage}));
}

// Open reads on a worker: meanwhile the event loop runs, a second Open of
// the same file is ignored, and the window comes with the data. A quit stops
// a read under way, and no window comes of it.
TEST_F(AppTest, OpenReadsBesideTheEventLoopAndMakesOneWindowPerFile) {
  auto w = New();
  for (int i = 0; i < 20000; ++i) w->AddPoint(i / 20000.0, 0.5, -1);
  ASSERT_TRUE(SaveAs(*w, File("Big.txt")));
  w->Close();

  for (int i = 0; i < 2; ++i) dialogs_.AnswerFile(File("Big.txt"));
  app_.FileOpenFractal_Action();
  ASSERT_EQ(app_.Opening.size(), 1u);
  app_.Opening[0]->Suspend();
  ASSERT_TRUE(SettleUntil([this] { return app_.Opening[0]->Parked(); }));
  app_.FileOpenFractal_Action();
  EXPECT_EQ(app_.Opening.size(), 1u) << "not read twice";
  bool fired = false;
  QTimer::singleShot(0, [&fired] { fired = true; });
  EXPECT_TRUE(SettleUntil([&fired] { return fired; })) << "the event loop runs during a read";
  EXPECT_TRUE(app_.DrawingWin.empty());
  app_.Opening[0]->Resume();
  ASSERT_TRUE(SettleUntil([this] { return app_.Opening.empty(); }));
  ASSERT_EQ(app_.DrawingWin.size(), 1u);
  Keep(app_.DrawingWin[0]);
  EXPECT_EQ(app_.DrawingWin[0]->Xpoints.size(), 20000u);
  app_.DrawingWin[0]->Close();

  dialogs_.AnswerFile(File("Big.txt"));
  app_.FileOpenFractal_Action();
  ASSERT_EQ(app_.Opening.size(), 1u);
  const std::shared_ptr<Thread> read = app_.Opening[0];
  app_.CancelOpens();
  EXPECT_TRUE(read->WaitUntilEnded(std::chrono::seconds(10)));
  Settle();
  EXPECT_TRUE(app_.DrawingWin.empty());
  EXPECT_TRUE(Messages().empty());
}

// Spellings of one file: a link, a climb out of a folder, a second hard link.
class OneFileTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    namespace fs = std::filesystem;
    auto writer = New();
    ASSERT_TRUE(SaveAs(*writer, File("Star.txt")));
    writer->Close();
    fs::create_directory(folder_ / "sub");
    fs::create_symlink("Star.txt", folder_ / "Link.txt");
    fs::create_hard_link(folder_ / "Star.txt", folder_ / "Hard.txt");
    star_ = ReadText("Star.txt");
  }
  std::vector<FolderItem> Spellings() const {
    return {File("Link.txt"), FolderItem(folder_ / "sub" / ".." / "Star.txt"), File("Hard.txt")};
  }
  static std::string HeldMessage(const FolderItem& f) {
    return "Failed to save file. Could not save \"" + f.NativePath() +
           "\": it is open in another window.";
  }
  std::string star_;
};

TEST_F(OneFileTest, OpeningAnOpenFileBringsItsWindowForwardInsteadOfASecondCopy) {
  auto star = Keep(app_.AddNewWin(File("Star.txt")));
  ASSERT_TRUE(star);
  star->AddPoint(10, 10, -1);  // unsaved work that a fresh read would not show
  auto other = New();
  // Offscreen, a settings window that shows takes the activation.
  for (const auto& window : {star, other}) window->SettingsWin->Close();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(star->Widget()));
  for (const FolderItem& spelling : Spellings()) {
    ASSERT_TRUE(Activate(*other));
    star->Widget()->showMinimized();
    dialogs_.AnswerFile(spelling);
    app_.FileOpenFractal_Action();
    EXPECT_EQ(app_.DrawingWin.size(), 2u) << spelling.NativePath();
    EXPECT_TRUE(QTest::qWaitForWindowActive(star->Widget(), 1000)) << spelling.NativePath();
    EXPECT_FALSE(star->Widget()->isMinimized());
  }
  EXPECT_TRUE(star->Changed()) << "the window comes forward as it was, not read again";
  EXPECT_EQ(app_.AddNewWin(File("Hard.txt")), star);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OneFileTest, SaveOntoAFileAnotherWindowHoldsIsRefusedByName) {
  auto star = Keep(app_.AddNewWin(File("Star.txt")));
  auto other = New();
  other->AddPoint(10, 10, -1);
  const std::string title = other->Title();
  for (const FolderItem& spelling : Spellings()) {
    EXPECT_FALSE(SaveAs(*other, spelling));
    EXPECT_EQ(Messages().back(), HeldMessage(spelling));
  }
  EXPECT_EQ(Messages().size(), 3u);
  EXPECT_EQ(ReadText("Star.txt"), star_);
  EXPECT_FALSE(other->CurrentFile);
  EXPECT_TRUE(other->Changed());
  EXPECT_EQ(other->Title(), title);

  // A window may save onto its own file, however spelt.
  star->AddPoint(20, 20, -1);
  EXPECT_TRUE(SaveAs(*star, File("Link.txt")));
  EXPECT_FALSE(star->Changed());

  // Should a window's file become another's behind its back (a file replaced
  // by a link on disk), Save refuses too, and closing keeps the window.
  ASSERT_TRUE(SaveAs(*other, File("Other.txt")));
  other->AddPoint(30, 30, -1);
  std::filesystem::remove(folder_ / "Other.txt");
  std::filesystem::create_symlink("Star.txt", folder_ / "Other.txt");
  star_ = ReadText("Star.txt");
  other->FileSave_Action();
  dialogs_.AnswerButton(MessageDialogChoice::Action);  // "Save"
  other->Widget()->close();  // the close box, which asks first
  Settle();
  EXPECT_TRUE(other->IsOpen());
  EXPECT_EQ(Messages().back(), HeldMessage(File("Other.txt")));
  EXPECT_EQ(Messages().size(), 5u);
  EXPECT_EQ(ReadText("Star.txt"), star_);
  EXPECT_TRUE(other->Changed());

  // Once the holder closes, the file is free.
  star->Close();
  EXPECT_TRUE(SaveAs(*other, File("Hard.txt")));
}

TEST_F(AppTest, ActivatingADocumentHidesTheOtherDocumentsSettingsWindows) {
  auto a = New();
  auto b = New();
  // Let the windows finish showing first: a window that shows may take the
  // activation on some platforms.
  ASSERT_TRUE(QTest::qWaitForWindowExposed(a->Widget()));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(b->Widget()));
  test::Settle();
  ASSERT_TRUE(Activate(*b));
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

// Presses a Ctrl shortcut where the user's keys go in window.
void PressCtrl(const Window& window, Qt::Key key, Qt::KeyboardModifiers more = {}) {
  QWidget* top = window.Widget();
  QWidget* focus = top->focusWidget();
  QTest::keyClick(focus != nullptr ? focus : top, key, Qt::ControlModifier | more);
}

TEST_F(AppTest, ShortcutsWorkInWindowsWithoutABarAndTheSettingsWindowPassesDocumentCommandsOn) {
  MenuBar1();
  app_.AddMenuHandlers();
  auto doc = New();
  doc->AddPoint(10, 10, -1);
  ASSERT_TRUE(Activate(*doc));
  Window& settings = *doc->SettingsWin;
  ASSERT_TRUE(Activate(settings));
  settings.ClearFocus();

  dialogs_.AnswerCancel();
  PressCtrl(settings, Qt::Key_S, Qt::ShiftModifier);
  ASSERT_EQ(dialogs_.Requests().size(), 1u) << "Save As reaches the document";
  EXPECT_EQ(dialogs_.Requests().back().Kind, DialogKind::SaveDialog);
  dialogs_.AnswerCancel();
  PressCtrl(settings, Qt::Key_O);
  EXPECT_EQ(dialogs_.Requests().back().Kind, DialogKind::OpenDialog);
  PressCtrl(settings, Qt::Key_N);
  EXPECT_EQ(app_.DrawingWin.size(), 2u);
  for (const auto& window : app_.DrawingWin) Keep(window);

  // A modeless dialog passes the document commands on too.
  auto about = AboutBox();
  ASSERT_TRUE(Activate(*about));
  dialogs_.AnswerCancel();
  PressCtrl(*about, Qt::Key_S, Qt::ShiftModifier);
  ASSERT_EQ(dialogs_.Requests().size(), 3u);
  EXPECT_EQ(dialogs_.Requests().back().Kind, DialogKind::SaveDialog);
  PressCtrl(*about, Qt::Key_N);
  EXPECT_EQ(app_.DrawingWin.size(), 3u);
  for (const auto& window : app_.DrawingWin) Keep(window);
  dialogs_.AnswerButton(MessageDialogChoice::Alternate);  // "Don't Save"
  PressCtrl(*about, Qt::Key_Q);
  EXPECT_TRUE(app_.DrawingWin.empty());
  EXPECT_FALSE(about->IsOpen());
}

// Opens the Scale dialog on doc (which marks it changed), the About window,
// or a render window of doc; the window opened.
using Opener = std::function<std::shared_ptr<Window>(DrawingWindow& doc)>;
const std::pair<const char*, Opener> kOpeners[] = {
    {"Scale", [](DrawingWindow& doc) -> std::shared_ptr<Window> {
       doc.ScaleBTN_Action();
       return ScaleWindow().shared_from_this();
     }},
    {"About", [](DrawingWindow& doc) -> std::shared_ptr<Window> {
       doc.Changed(true);
       return AboutBox();
     }},
    {"Render", [](DrawingWindow& doc) -> std::shared_ptr<Window> {
       doc.RenderBTN_Action();
       return doc.RenderWin.empty() ? nullptr : doc.RenderWin.back();
     }}};

TEST_F(AppTest, WithScaleOrAboutOpenTheSettingsWindowPassesSaveAndSelectAllToItsDocument) {
  MenuBar1();
  app_.AddMenuHandlers();
  auto doc = New();
  doc->AddPoint(10, 10, -1);
  ASSERT_TRUE(SaveAs(*doc, File("Kept.txt")));
  doc->FinishSave();
  Window& settings = *doc->SettingsWin;
  for (const auto& [name, open] : std::span(kOpeners).first(2)) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(Activate(*doc));
    const std::shared_ptr<Window> dialog = open(*doc);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog->Widget()));
    ASSERT_TRUE(doc->Changed());
    ASSERT_TRUE(Activate(settings));
    settings.ClearFocus();

    PressCtrl(settings, Qt::Key_S);
    doc->FinishSave();
    EXPECT_FALSE(doc->Changed()) << "saved";
    EXPECT_EQ(doc->Title(), "Kept.txt");
    doc->SelectedPoints.assign(doc->Xpoints.size(), false);
    PressCtrl(settings, Qt::Key_A);
    EXPECT_EQ(doc->SelectedPoints, std::vector<bool>(doc->Xpoints.size(), true));
    dialog->Close();
  }
}

// The document is active again, and its settings window shows (hidden while
// a render window was active). Offscreen, a window that shows takes the
// activation: the settings window may have it then.
bool DocumentGetsTheKeys(const DrawingWindow& doc) {
  return SettleUntil(
      [&doc] {
        const QWidget* active = QApplication::activeWindow();
        return active != nullptr &&
               (active == doc.Widget() || active == doc.SettingsWin->Widget()) &&
               doc.SettingsWin->Visible();
      },
      1000);
}

// A window closed by a click on its Close button right after a click
// elsewhere, or a quit stopped at the save dialog: the activation of that
// click has not arrived, and no window of the program is active.
TEST_F(AppTest, AWindowClosedWhileNoneIsActiveGivesTheDocumentAndItsSettingsBack) {
  RenderWindow::InstallFactory();
  auto doc = New();
  doc->AddPoint(10, 10, -1);
  doc->AddPoint(50, 50, -1);
  for (const auto& [name, open] : kOpeners) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(Activate(*doc));
    const std::shared_ptr<Window> window = open(*doc);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
    QApplication::setActiveWindow(nullptr);
    window->Close();
    EXPECT_TRUE(DocumentGetsTheKeys(*doc));
  }

  doc->Changed(true);
  dialogs_.AnswerButton(MessageDialogChoice::Action);  // "Save"
  dialogs_.AnswerCancel();                             // and no file
  QApplication::setActiveWindow(nullptr);
  RequestQuit();
  ASSERT_TRUE(doc->IsOpen());
  EXPECT_TRUE(DocumentGetsTheKeys(*doc));
}

TEST_F(AppTest, AClosingDialogHandsTheActivationBackToTheWindowItWasOpenedFrom) {
  auto doc = New();
  ASSERT_TRUE(Activate(*doc));
  auto about = AboutBox();
  ASSERT_TRUE(QTest::qWaitForWindowActive(about->Widget()));
  about->Close();
  EXPECT_TRUE(QTest::qWaitForWindowActive(doc->Widget(), 1000));
}

}  // namespace
}  // namespace vantrel::test
