// Windows built from records and control tables: building, lookup, locks,
// closing and quitting; the events reaching their handlers, values set by the
// program, the canvas's drawing, repaint and scrolling, and timers.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QWheelEvent>

#include "TestWindows.h"
#include "platform/core/Picture.h"
#include "platform/qt/MenuBar.h"

namespace vantrel::test {
namespace {

using Log = std::vector<std::string>;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_shared<DocWindow>();
    Settle();
  }
  void TearDown() override { window->Close(); }

  // The control widget at a point of the client area (no menu bar here).
  QWidget* At(int x, int y) const { return window->Widget()->childAt(x, y); }
  // What the window logged since the last call.
  Log Logged() {
    Log since(window->Log.begin() + static_cast<std::ptrdiff_t>(seen), window->Log.end());
    seen = window->Log.size();
    return since;
  }
  Canvas& FracCan() const { return window->ControlNamed<Canvas>("FracCan"); }

  std::shared_ptr<DocWindow> window;
  std::size_t seen = 0;
};

TEST_F(WindowTest, BuildsControlsThenRaisesTheirOpenThenItsOwnAndFindsThemByNameAndIndex) {
  Log built = window->Log;
  built.resize(7);  // what the first pass of the event loop added does not matter
  EXPECT_EQ(built, (Log{"FindControls", "FracCan Open", "StatusText Open", "CkBox_Open 1", "CkBox_Open 0",
                        "window Open", "constructor body: 315"}));
  EXPECT_FALSE(window->ControlNamed<ProgressBar>("ProgressBar1").Visible());
  EXPECT_TRUE(window->ControlNamed<RadioButton>("DrawBTN").Value());

  EXPECT_EQ(window->FindControl<CheckBox>("CkBox", 1)->Caption(), "Snap");
  EXPECT_EQ(window->FindControl<CheckBox>("CkBox", 0)->Caption(), "Grid");
  EXPECT_EQ(window->FindControl("CkBox"), nullptr) << "an array member needs its index";
  EXPECT_EQ(window->FindControl("CkBox", 2), nullptr);
  EXPECT_EQ(window->FindControl<StaticText>("FracCan"), nullptr) << "wrong kind";
  try {
    window->ControlNamed<EditField>("ValField", 9);
    FAIL() << "no exception";
  } catch (const MissingControl& e) {
    EXPECT_NE(std::string(e.what()).find("\"ValField\" with index 9"), std::string::npos);
  }
}

// A window whose code uses a control that its table lacks, as after a rename.
class RenamedControlWindow : public Window {
 public:
  RenamedControlWindow() { Build({.Name = "RenamedControlWindow", .Title = "Renamed"}, kControls); }
  static inline const ControlRecord<RenamedControlWindow> kControls[] = {
      {.Name = "GoButton", .Kind = ControlKind::PushButton, .Width = 80, .Height = 20}};

 protected:
  void FindControls() override { ControlNamed<PushButton>("GoBTN"); }
};

TEST(Window, AControlTheCodeUsesButTheTableLacksFailsTheBuildAndLeavesNoWindow) {
  const std::size_t before = Application::Windows().size();
  try {
    std::make_shared<RenamedControlWindow>();
    FAIL() << "the window was built";
  } catch (const MissingControl& e) {
    EXPECT_STREQ(e.what(), "window \"RenamedControlWindow\" has no control \"GoBTN\" of the "
                           "kind its code uses");
  }
  EXPECT_EQ(Application::Windows().size(), before);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (QWidget* top : QApplication::topLevelWidgets()) {
    EXPECT_NE(top->windowTitle(), "Renamed") << "its widget is gone";
  }
}

TEST_F(WindowTest, LocksKeepDistancesToTheEdgesAndOnlyTheUsersResizeIsReported) {
  window->Width(475);
  window->Height(450);
  Canvas& canvas = FracCan();
  EXPECT_EQ(canvas.Width(), 415);
  EXPECT_EQ(canvas.Height(), 415);
  EXPECT_EQ(canvas.Backing()->Width(), 415) << "the backing follows the canvas";
  auto& label = window->ControlNamed<StaticText>("StaticText1");
  EXPECT_EQ(Pt(label.Left(), label.Top()), "0,415") << "locked to the left and the bottom";
  auto& ok = window->ControlNamed<PushButton>("OkBTN");
  EXPECT_EQ(Pt(ok.Left(), ok.Top()), "420,250") << "locked to the top and the right";

  window->Width(100);
  EXPECT_EQ(window->Width(), 375) << "the minimum size holds";
  EXPECT_EQ(canvas.Width(), 315);
  EXPECT_FALSE(Contains(window->Log, "Resized")) << "sizes the program sets are not reported";

  // A size the program gave a control is the new reference for its locks.
  canvas.Width(300);
  window->Width(400);
  EXPECT_EQ(canvas.Width(), 325);

  window->Widget()->resize(500, 400);
  Settle();
  EXPECT_EQ(window->Width(), 500);
  EXPECT_EQ(canvas.Width(), 425);
  EXPECT_TRUE(Contains(window->Log, "Resized"));
}

TEST(Window, TheMenuBarSitsAboveTheClientArea) {
  MenuBar bar;
  auto window = std::make_shared<DocWindow>(true, &bar);
  QWidget* top = window->Widget();
  const auto* menu = top->findChild<QMenuBar*>();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(window->Height(), 350);
  EXPECT_EQ(top->height(), 350 + menu->sizeHint().height());
  QWidget* canvas = top->childAt(10, menu->sizeHint().height() + 10);
  ASSERT_NE(canvas, nullptr);
  EXPECT_EQ(canvas->mapTo(top, QPoint(0, 0)).y(), menu->sizeHint().height());
  window->Close();
}

TEST(Window, AWindowOfTheDefaultPlacementIsLeftForTheDesktopToPlace) {
  // A window Qt has not been told to move carries no position hint, so the
  // window manager places it clear of the windows already there.
  auto dialog = std::make_shared<FrameWindow>(kDialogFrame);
  EXPECT_FALSE(dialog->Widget()->testAttribute(Qt::WA_Moved));
  dialog->Top(80);
  EXPECT_TRUE(dialog->Widget()->testAttribute(Qt::WA_Moved));
  EXPECT_EQ(dialog->Widget()->pos().y(), 80);
  dialog->Close();
}

TEST_F(WindowTest, CloseByTheProgramDoesNotAskButTheCloseBoxDoes) {
  window->SetFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
  EXPECT_EQ(ActiveMenuTarget(), window.get()) << "the active window is the menu target";
  EXPECT_EQ(Application::FrontWindow(), window.get());
  EXPECT_TRUE(Contains(Logged(), "Activate"));
  window->Refuse = true;
  window->Widget()->close();  // the close box
  EXPECT_TRUE(window->IsOpen());
  EXPECT_EQ(Logged(), Log{"CancelClose user"});

  window->Close();
  EXPECT_FALSE(window->IsOpen());
  EXPECT_FALSE(window->Visible());
  EXPECT_EQ(Logged(), Log{"Close"});
  EXPECT_EQ(window->Widget(), nullptr);
  EXPECT_EQ(ActiveMenuTarget(), nullptr);

  // Everything on a closed window is harmless.
  window->Close();
  window->Show();
  window->Title("after");
  window->Width(600);
  auto& status = window->ControlNamed<StaticText>("StatusText");
  status.Text("late");
  status.Visible(true);
  FracCan().Graphics().FillRect(0, 0, 10, 10);
  FracCan().Refresh();
  Settle();
  EXPECT_EQ(Logged(), Log{});
}

bool BecomesActive(const Window& window) {
  return QTest::qWaitForWindowActive(window.Widget(), 1000);
}

// Closes window as its Close button does when the user clicks it right after
// a click elsewhere: that click's activation has not arrived yet, and no
// window of the program is active.
void CloseAfterAClickElsewhere(Window& window) {
  QApplication::setActiveWindow(nullptr);
  window.Close();
}

TEST(Window, FloatingWindowsAndDialogsPassTheCommandsTheyLackToTheLastDocumentWindow) {
  const std::vector<std::string> save{"FileSave"};
  auto older = std::make_shared<FrameWindow>(kDocumentFrame, save);
  auto document = std::make_shared<FrameWindow>(kDocumentFrame, save);
  document->SetFocus();
  ASSERT_TRUE(BecomesActive(*document));
  auto dialog = std::make_shared<FrameWindow>(kDialogFrame, std::vector<std::string>{"Own"});
  ASSERT_TRUE(BecomesActive(*dialog));
  EXPECT_TRUE(DispatchMenuItem("FileSave"));
  EXPECT_TRUE(DispatchMenuItem("Own"));
  EXPECT_EQ(dialog->Log, Log{"Own"}) << "what the active window handles stays with it";

  // A floating window opened over the dialog: still the document, not the dialog.
  auto floating = std::make_shared<FrameWindow>(kFloatingFrame);
  floating->SetFocus();
  ASSERT_TRUE(BecomesActive(*floating));
  EXPECT_TRUE(DispatchMenuItem("FileSave"));
  EXPECT_FALSE(DispatchMenuItem("Own"));
  EXPECT_EQ(document->Log, (Log{"FileSave", "FileSave"}));
  EXPECT_EQ(older->Log, Log{});
  for (auto* window : {floating.get(), dialog.get(), document.get(), older.get()}) window->Close();
}

TEST(Window, AWindowClosingWhileNoneIsActiveActivatesItsOpenerElseTheLastDocumentWindow) {
  auto opener = std::make_shared<FrameWindow>(kDocumentFrame);
  opener->SetFocus();
  ASSERT_TRUE(BecomesActive(*opener));
  auto dialog = std::make_shared<FrameWindow>(kDialogFrame);
  ASSERT_TRUE(BecomesActive(*dialog));
  auto later = std::make_shared<FrameWindow>(kDocumentFrame);  // opened from the dialog
  ASSERT_TRUE(BecomesActive(*later));
  dialog->SetFocus();
  ASSERT_TRUE(BecomesActive(*dialog));
  CloseAfterAClickElsewhere(*dialog);
  EXPECT_TRUE(BecomesActive(*opener)) << "the opener, not the document active last";

  // Its opener gone, a closing window hands the activation to the document
  // window active last; a document window closing does the same.
  auto floating = std::make_shared<FrameWindow>(kFloatingFrame);  // opened from opener
  later->SetFocus();
  ASSERT_TRUE(BecomesActive(*later));
  opener->Close();
  EXPECT_TRUE(later->Widget()->isActiveWindow());
  floating->SetFocus();
  ASSERT_TRUE(BecomesActive(*floating));
  CloseAfterAClickElsewhere(*floating);
  EXPECT_TRUE(BecomesActive(*later));

  // A press on a window's Close button asks for the focus for it, and the
  // focus goes with it when it closes, while Qt still names the window
  // clicked before active.
  auto pressed = std::make_shared<FrameWindow>(kDialogFrame);  // opened from later
  floating = std::make_shared<FrameWindow>(kFloatingFrame);
  floating->SetFocus();
  ASSERT_TRUE(BecomesActive(*floating));
  QTest::mouseClick(pressed->Widget(), Qt::LeftButton);
  ASSERT_TRUE(floating->Widget()->isActiveWindow());
  pressed->Close();
  EXPECT_TRUE(BecomesActive(*later));
  floating->Close();

  // While another window is active, a closing window leaves it so.
  auto second = std::make_shared<FrameWindow>(kDocumentFrame);  // opened from later
  auto third = std::make_shared<FrameWindow>(kDocumentFrame);   // opened from second
  ASSERT_TRUE(BecomesActive(*third));
  second->Close();
  Settle();
  EXPECT_TRUE(third->Widget()->isActiveWindow());
  CloseAfterAClickElsewhere(*third);
  EXPECT_TRUE(BecomesActive(*later)) << "the opener gone, the document active last";
  later->Close();
}

TEST(Window, AClosedWindowStaysAliveUntilItsOwnersLetGo) {
  std::weak_ptr<DocWindow> weak;
  {
    auto window = std::make_shared<DocWindow>();
    weak = window;
    Settle();  // from the first pass of the event loop on
  }
  Settle();
  ASSERT_FALSE(weak.expired()) << "an open window keeps itself";
  weak.lock()->Close();
  Settle();
  EXPECT_TRUE(weak.expired());
}

TEST_F(WindowTest, QuitAsksEveryWindowAndOneRefusalStopsIt) {
  auto second = std::make_shared<DocWindow>();
  second->Refuse = true;
  RequestQuit();  // the front window is asked first; its refusal ends the asking
  EXPECT_TRUE(Contains(second->Log, "CancelClose quitting"));
  EXPECT_FALSE(Contains(window->Log, "CancelClose quitting"));
  EXPECT_TRUE(window->IsOpen());
  EXPECT_TRUE(second->IsOpen());

  second->Refuse = false;
  RequestQuit();
  EXPECT_TRUE(Contains(window->Log, "CancelClose quitting"));
  EXPECT_TRUE(Contains(window->Log, "Close"));
  EXPECT_FALSE(second->IsOpen());
  EXPECT_TRUE(Application::Windows().empty());
}

class QuittingApp : public Application {
 public:
  std::shared_ptr<DocWindow> Document;

 protected:
  void OnOpen() override {
    Document = std::make_shared<DocWindow>();
    // The user closes the only document: the program ends.
    PostToEventThread([this] { Document->Close(); });
  }
};

TEST(Application, RaisesOpenAndEndsWhenTheLastDocumentCloses) {
  QuittingApp app;
  EXPECT_EQ(RunApplication(app), 0);
  ASSERT_NE(app.Document, nullptr);
  EXPECT_FALSE(app.Document->IsOpen());
  EXPECT_TRUE(Application::Windows().empty());
}

TEST_F(WindowTest, APressThatDeclinesGetsNoDragNorReleaseAndTheWheelCountsNotches) {
  QWidget* canvas = At(100, 100);
  window->Follow = false;
  Logged();
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(10, 20));
  QTest::mouseMove(canvas, QPoint(30, 40));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(30, 40));
  EXPECT_EQ(Logged(), Log{"down 10,20"});

  window->Follow = true;
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(10, 20));
  QMouseEvent move(QEvent::MouseMove, QPointF(30, 40), canvas->mapToGlobal(QPointF(30, 40)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(canvas, &move);
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(31, 41));
  EXPECT_EQ(Logged(), (Log{"down 10,20", "drag 30,40", "up 31,41"}));

  // Positive towards the user; half notches add up.
  for (const int angle : {-240, 60, 60}) {
    QWheelEvent event(QPointF(5, 5), canvas->mapToGlobal(QPointF(5, 5)), QPoint(),
                      QPoint(0, angle), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &event);
  }
  EXPECT_EQ(Logged(), (Log{"wheel 0,2", "wheel 0,-1"}));
}

TEST_F(WindowTest, KeysReachKeyDownAndReturnAndEscapePressTheButtons) {
  QWidget* top = window->Widget();
  window->ClearFocus();
  Logged();
  for (const auto key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_Down,
                         Qt::Key_A, Qt::Key_Return, Qt::Key_Escape}) {
    QTest::keyClick(top, key);
  }
  window->HandleKeys = true;
  QTest::keyClick(top, Qt::Key_Return);  // handled by KeyDown: no button
  EXPECT_EQ(Logged(), (Log{"KeyDown 8", "KeyDown 127", "KeyDown 28", "KeyDown 31", "KeyDown 97",
                           "KeyDown 13", "OkBTN_Action", "KeyDown 27", "CancelBTN_Action",
                           "KeyDown 13"}));
}

TEST_F(WindowTest, ValuesTheProgramSetsRaiseNoUserEvents) {
  auto& snap = window->ControlNamed<CheckBox>("CkBox", 1);
  auto& draw = window->ControlNamed<RadioButton>("DrawBTN");
  auto& pan = window->ControlNamed<RadioButton>("PanBTN");
  Logged();
  snap.Value(false);
  window->ControlNamed<EditField>("ValField", 2).Text("12");
  pan.Value(true);
  EXPECT_EQ(Logged(), Log{});
  EXPECT_FALSE(snap.Value());
  EXPECT_FALSE(draw.Value()) << "one group per window";
  pan.Value(false);  // the program may turn every tool off
  EXPECT_FALSE(draw.Value());

  // A click raises the array handler with the member's index.
  QTest::mouseClick(window->Widget()->findChildren<QCheckBox*>().front(), Qt::LeftButton);
  EXPECT_EQ(Logged(), Log{"CkBox_Action 1"});
  EXPECT_TRUE(snap.Value());
}

TEST_F(WindowTest, EditFieldsRaiseTextChangeForEveryKeyTheirMaskAdmits) {
  auto* edit = static_cast<QLineEdit*>(At(320, 105));
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  Logged();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, "1x2-34");  // "#99": up to three digits, nothing else
  EXPECT_EQ(Logged(),
            (Log{"TextChange 2 ", "TextChange 2 1", "TextChange 2 12", "TextChange 2 123"}));
  EXPECT_EQ(window->ControlNamed<EditField>("ValField", 2).Text(), "123");

  EXPECT_EQ(EditField::MaskPattern("999999.9999999999"), "\\d{0,6}(\\.\\d{0,10})?");
  EXPECT_EQ(EditField::MaskPattern(""), "") << "no mask admits everything";
}

TEST_F(WindowTest, AHandlerThatThrowsIsReportedAndTheWindowGoesOn) {
  Log reported;
  SetUnhandledExceptionHandler([&](std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      reported.push_back(e.what());
    }
  });
  FracCan().Events.MouseDown = [](Integer, Integer) -> bool {
    throw std::runtime_error("nil object");
  };
  QWidget* view = At(100, 100);
  QTest::mousePress(view, Qt::LeftButton, {}, QPoint(1, 1));
  QTest::mouseMove(view, QPoint(5, 5));
  QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(5, 5));
  PostToEventThread([] { throw std::runtime_error("queued"); });
  Settle();
  SetUnhandledExceptionHandler(nullptr);
  EXPECT_EQ(reported, (Log{"nil object", "queued"}));
  QTest::keyClick(window->Widget(), Qt::Key_Escape);
  EXPECT_EQ(window->Log.back(), "CancelBTN_Action") << "events still arrive";
}

TEST_F(WindowTest, CanvasDrawingStaysUntilTheNextRepaintWhichRunsPaintFirst) {
  QWidget* view = At(100, 100);
  view->grab();  // the first paint runs Paint
  const auto paints = [&] { return std::count(window->Log.begin(), window->Log.end(), "Paint"); };
  const auto before = paints();
  EXPECT_GE(before, 1);

  FracCan().Graphics().ForeColor = RGB(255, 0, 0);
  FracCan().Graphics().FillRect(0, 0, 20, 20);
  QImage shown = view->grab().toImage();
  EXPECT_EQ(paints(), before) << "drawing does not run Paint";
  EXPECT_EQ(shown.pixelColor(2, 2), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(30, 30), QColor(255, 255, 255));

  FracCan().Refresh();
  shown = view->grab().toImage();
  EXPECT_EQ(paints(), before + 1);
  EXPECT_EQ(shown.pixelColor(2, 2), QColor(0, 0, 255)) << "Paint drew onto the backing";
  EXPECT_EQ(shown.pixelColor(12, 12), QColor(255, 0, 0)) << "the rest of the drawing stays";
}

TEST_F(WindowTest, ScrollMovesTheBackingAndTheWindowsSurfaceDrawsOntoItTranslated) {
  Canvas& canvas = FracCan();
  const auto backing = canvas.Backing();
  canvas.Graphics().ForeColor = RGB(0, 255, 0);
  canvas.Graphics().FillRect(0, 0, 315, 315);
  canvas.Graphics().ForeColor = RGB(255, 0, 0);
  canvas.Graphics().FillRect(10, 10, 5, 5);
  canvas.Scroll(20, -5);
  EXPECT_EQ(backing->PixelColor(30, 5), RGB(255, 0, 0));
  EXPECT_EQ(backing->PixelColor(34, 9), RGB(255, 0, 0));
  EXPECT_EQ(backing->PixelColor(10, 10), RGB(255, 255, 255)) << "uncovered strips";
  EXPECT_EQ(backing->PixelColor(314, 312), RGB(255, 255, 255));
  canvas.Scroll(-2000000000, 2000000000);  // far beyond: all clear, no overflow
  EXPECT_EQ(backing->PixelColor(100, 100), RGB(255, 255, 255));

  window->Graphics().ForeColor = RGB(255, 0, 0);
  window->Graphics().FillRect(310, 100, 10, 3);  // reaches past the canvas's right edge
  EXPECT_EQ(backing->PixelColor(314, 101), RGB(255, 0, 0));
  EXPECT_EQ(backing->PixelColor(309, 101), RGB(255, 255, 255));
  EXPECT_EQ(window->Graphics().Width(), 375);
}

TEST_F(WindowTest, TimersFireOnceOrRepeatAndStopWithModeZeroOrTheirWindow) {
  auto standalone = std::make_shared<Timer>();
  int fired = 0;
  standalone->Events.Action = [&] { ++fired; };
  standalone->Period(10);
  standalone->Mode(Timer::kRepeating);
  ASSERT_TRUE(SettleUntil([&] { return window->Ticks >= 2 && fired >= 2; }));
  ASSERT_TRUE(TwoPeriodsPass(20));
  EXPECT_EQ(window->OnceTicks, 1);
  EXPECT_EQ(window->ControlNamed<Timer>("Timer2").Mode(), Timer::kOff);
  EXPECT_GE(window->Ticks, 2);
  EXPECT_GE(fired, 2);

  window->Close();
  standalone->Mode(Timer::kOff);
  const int ticks = window->Ticks;
  const int count = fired;
  ASSERT_TRUE(TwoPeriodsPass(20));
  EXPECT_EQ(window->Ticks, ticks);
  EXPECT_EQ(fired, count);
}

TEST_F(WindowTest, ScrollBarsReportEveryChangeAndComboBoxesOnlyTheUsers) {
  auto& bar = window->ControlNamed<ScrollBar>("ScrollBarY");
  Logged();
  bar.Value(30);
  bar.Value(30);    // no change, no event
  bar.Maximum(10);  // the value follows the range
  bar.Value(-5);
  EXPECT_EQ(Logged(), (Log{"ValueChanged 30", "ValueChanged 10", "ValueChanged 0"}));

  auto& box = window->ControlNamed<ComboBox>("ScaleBox");
  EXPECT_EQ(box.ListCount(), 4);
  EXPECT_EQ(box.Text(), "100%");
  box.ListIndex(1);
  box.ListIndex(99);  // no such item: nothing changes
  box.Text("75%");
  EXPECT_EQ(Logged(), Log{});
  EXPECT_EQ(box.ListIndex(), 1);
  EXPECT_EQ(box.Text(), "75%");

  auto* view = window->Widget()->findChild<QComboBox*>();
  view->setCurrentIndex(3);
  emit view->activated(3);  // what choosing an item from the list does
  view->lineEdit()->selectAll();
  QTest::keyClicks(view->lineEdit(), "15");
  EXPECT_EQ(Logged(), (Log{"Change 200%", "TextChanged 1", "TextChanged 15"}));
}

TEST(Window, ArraySwatchesGetTheirIndexAndTheBackdropShows) {
  std::shared_ptr<Picture> backdrop = NewPicture(375, 350, 16);
  backdrop->Graphics().ForeColor = RGB(200, 200, 255);
  backdrop->Graphics().FillRect(0, 0, 375, 350);
  auto window = std::make_shared<DocWindow>(true, nullptr, backdrop);
  QWidget* top = window->Widget();
  const std::size_t from = window->Log.size();
  QTest::mouseClick(top->childAt(320, 160), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(window->Log.at(from), "ColorRec 4 10,10");

  window->ControlNamed<vantrel::Rectangle>("ColorRec", 4).FillColor(RGB(255, 0, 0));
  const QImage shown = top->grab().toImage();
  EXPECT_EQ(shown.pixelColor(335, 160), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(315, 150), QColor(0, 0, 0)) << "the border";
  const Color back = FromRGB565(ToRGB565(RGB(200, 200, 255)));
  EXPECT_EQ(shown.pixelColor(320, 200), QColor(back.Red, back.Green, back.Blue)) << "the backdrop";
  window->Close();
}

}  // namespace
}  // namespace vantrel::test
