// Events reaching the window's handlers, values set by the program, the
// canvas's drawing, repaint and scrolling, and timers.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QWheelEvent>
#include <algorithm>

#include "TestWindows.h"
#include "platform/core/Picture.h"

namespace vantrel::test {
namespace {

// The control widget at a point of the client area (the test window has no menu bar).
QWidget* WidgetAt(Window& window, int x, int y) { return window.Widget()->childAt(x, y); }

std::vector<std::string> Since(const std::vector<std::string>& log, std::size_t from) {
  return {log.begin() + static_cast<std::ptrdiff_t>(from), log.end()};
}

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_shared<DocWindow>();
    Settle();
  }
  void TearDown() override { window->Close(); }

  std::shared_ptr<DocWindow> window;
};

TEST_F(Controls, APressThatDeclinesGetsNoDragNorRelease) {
  QWidget* canvas = WidgetAt(*window, 100, 100);
  window->Follow = false;
  std::size_t from = window->Log.size();
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(10, 20));
  QTest::mouseMove(canvas, QPoint(30, 40));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(30, 40));
  EXPECT_EQ(Since(window->Log, from), std::vector<std::string>{"down 10,20"});

  window->Follow = true;
  from = window->Log.size();
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(10, 20));
  QMouseEvent move(QEvent::MouseMove, QPointF(30, 40), canvas->mapToGlobal(QPointF(30, 40)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(canvas, &move);
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(31, 41));
  const std::vector<std::string> expected = {"down 10,20", "drag 30,40", "up 31,41"};
  EXPECT_EQ(Since(window->Log, from), expected);
}

TEST_F(Controls, TheWheelCountsNotchesPositiveTowardsTheUser) {
  QWidget* canvas = WidgetAt(*window, 100, 100);
  auto wheel = [&](int angle) {
    QWheelEvent event(QPointF(5, 5), canvas->mapToGlobal(QPointF(5, 5)), QPoint(),
                      QPoint(0, angle), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &event);
  };
  const std::size_t from = window->Log.size();
  wheel(-240);  // two notches towards the user
  wheel(60);    // half a notch away: nothing yet
  wheel(60);
  const std::vector<std::string> expected = {"wheel 0,2", "wheel 0,-1"};
  EXPECT_EQ(Since(window->Log, from), expected);
}

TEST_F(Controls, KeysReachKeyDownAndReturnAndEscapePressTheButtons) {
  QWidget* top = window->Widget();
  window->ClearFocus();
  const std::size_t from = window->Log.size();
  QTest::keyClick(top, Qt::Key_Backspace);
  QTest::keyClick(top, Qt::Key_Delete);
  QTest::keyClick(top, Qt::Key_Left);
  QTest::keyClick(top, Qt::Key_Down);
  QTest::keyClick(top, Qt::Key_A);
  QTest::keyClick(top, Qt::Key_Return);
  QTest::keyClick(top, Qt::Key_Escape);
  window->HandleKeys = true;
  QTest::keyClick(top, Qt::Key_Return);  // handled by KeyDown: no button
  const std::vector<std::string> expected = {
      "KeyDown 8",  "KeyDown 127",  "KeyDown 28",      "KeyDown 31",       "KeyDown 97",
      "KeyDown 13", "OkBTN_Action", "KeyDown 27",      "CancelBTN_Action", "KeyDown 13"};
  EXPECT_EQ(Since(window->Log, from), expected);
}

TEST_F(Controls, ValuesTheProgramSetsRaiseNoUserEvents) {
  auto& snap = window->ControlNamed<CheckBox>("CkBox", 1);
  auto& field = window->ControlNamed<EditField>("ValField", 2);
  const std::size_t from = window->Log.size();
  snap.Value(false);
  field.Text("12");
  window->ControlNamed<RadioButton>("PanBTN").Value(true);
  EXPECT_EQ(Since(window->Log, from), std::vector<std::string>{});
  EXPECT_FALSE(snap.Value());
  EXPECT_EQ(field.Text(), "12");
  EXPECT_FALSE(window->ControlNamed<RadioButton>("DrawBTN").Value()) << "one group per window";

  // A click raises the array handler with the member's index.
  QTest::mouseClick(window->Widget()->findChildren<QCheckBox*>().front(), Qt::LeftButton);
  EXPECT_EQ(window->Log.back(), "CkBox_Action 1");
  EXPECT_TRUE(snap.Value());
}

TEST_F(Controls, EditFieldsRaiseTextChangeForEveryKeyTheirMaskAdmits) {
  auto* edit = static_cast<QLineEdit*>(WidgetAt(*window, 320, 105));
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  const std::size_t from = window->Log.size();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, "1x2-34");  // "#99": up to three digits, nothing else
  const std::vector<std::string> expected = {"TextChange 2 ", "TextChange 2 1",
                                             "TextChange 2 12", "TextChange 2 123"};
  EXPECT_EQ(Since(window->Log, from), expected);
  EXPECT_EQ(window->ControlNamed<EditField>("ValField", 2).Text(), "123");
}

TEST_F(Controls, AHandlerThatThrowsIsReportedAndTheWindowGoesOn) {
  std::vector<std::string> reported;
  SetUnhandledExceptionHandler([&](std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      reported.push_back(e.what());
    }
  });
  auto& canvas = window->ControlNamed<Canvas>("FracCan");
  canvas.Events.MouseDown = [](Integer, Integer) -> bool { throw std::runtime_error("nil object"); };
  QWidget* view = WidgetAt(*window, 100, 100);
  QTest::mousePress(view, Qt::LeftButton, {}, QPoint(1, 1));
  QTest::mouseMove(view, QPoint(5, 5));
  QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(5, 5));
  PostToEventThread([] { throw std::runtime_error("queued"); });
  canvas.Events.MouseDown = [](Integer, Integer) { return false; };
  Settle();
  SetUnhandledExceptionHandler(nullptr);
  EXPECT_EQ(reported, (std::vector<std::string>{"nil object", "queued"}));
  QTest::keyClick(window->Widget(), Qt::Key_Escape);
  EXPECT_EQ(window->Log.back(), "CancelBTN_Action") << "events still arrive";
}

TEST_F(Controls, TheProgramMayTurnEveryToolOff) {
  auto& draw = window->ControlNamed<RadioButton>("DrawBTN");
  draw.Value(false);
  EXPECT_FALSE(draw.Value());
  EXPECT_FALSE(window->ControlNamed<RadioButton>("PanBTN").Value());
  window->ControlNamed<RadioButton>("PanBTN").Value(true);
  EXPECT_FALSE(draw.Value());
}

TEST(EditFieldMask, AdmitsDigitPositionsAndAnOptionalFraction) {
  EXPECT_EQ(EditField::MaskPattern("#99"), "\\d{0,3}");
  EXPECT_EQ(EditField::MaskPattern("#9999"), "\\d{0,5}");
  EXPECT_EQ(EditField::MaskPattern("999999.9999999999"), "\\d{0,6}(\\.\\d{0,10})?");
  EXPECT_EQ(EditField::MaskPattern(""), "");
}

TEST_F(Controls, CanvasDrawingStaysUntilTheNextRepaintWhichRunsPaintFirst) {
  auto& canvas = window->ControlNamed<Canvas>("FracCan");
  QWidget* view = WidgetAt(*window, 100, 100);
  view->grab();  // the first paint runs Paint
  const auto paints = [&] { return std::count(window->Log.begin(), window->Log.end(), "Paint"); };
  const auto before = paints();
  EXPECT_GE(before, 1);

  canvas.Graphics().ForeColor = RGB(255, 0, 0);
  canvas.Graphics().FillRect(0, 0, 20, 20);
  QImage shown = view->grab().toImage();
  EXPECT_EQ(paints(), before) << "drawing does not run Paint";
  EXPECT_EQ(shown.pixelColor(2, 2), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(12, 12), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(30, 30), QColor(255, 255, 255));

  canvas.Refresh();
  shown = view->grab().toImage();
  EXPECT_EQ(paints(), before + 1);
  EXPECT_EQ(shown.pixelColor(2, 2), QColor(0, 0, 255)) << "Paint drew onto the backing";
  EXPECT_EQ(shown.pixelColor(12, 12), QColor(255, 0, 0)) << "the rest of the drawing stays";
}

TEST_F(Controls, ScrollMovesTheBackingsPixels) {
  auto& canvas = window->ControlNamed<Canvas>("FracCan");
  canvas.Graphics().ForeColor = RGB(0, 255, 0);
  canvas.Graphics().FillRect(10, 10, 5, 5);
  canvas.Scroll(20, -5);
  const auto backing = canvas.Backing();
  EXPECT_EQ(backing->PixelColor(30, 5), RGB(0, 255, 0));
  EXPECT_EQ(backing->PixelColor(34, 9), RGB(0, 255, 0));
  EXPECT_EQ(backing->PixelColor(10, 10), RGB(255, 255, 255));
  EXPECT_EQ(backing->PixelColor(314, 312), RGB(255, 255, 255)) << "uncovered strip";
  canvas.Scroll(-2000000000, 2000000000);  // far beyond: all clear, no overflow
  EXPECT_EQ(backing->PixelColor(30, 5), RGB(255, 255, 255));
}

TEST_F(Controls, TheWindowsSurfaceDrawsOntoItsCanvasesTranslated) {
  auto& canvas = window->ControlNamed<Canvas>("FracCan");
  window->Graphics().ForeColor = RGB(255, 0, 0);
  window->Graphics().FillRect(310, 100, 10, 3);  // reaches past the canvas's right edge
  EXPECT_EQ(canvas.Backing()->PixelColor(314, 101), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Backing()->PixelColor(309, 101), RGB(255, 255, 255));
  EXPECT_EQ(window->Graphics().Width(), 375);
}

TEST_F(Controls, TimersFireOnceOrRepeatAndStopWhenTheWindowCloses) {
  Settle(150);
  EXPECT_EQ(window->OnceTicks, 1);
  EXPECT_EQ(window->ControlNamed<Timer>("Timer2").Mode(), Timer::kOff);
  EXPECT_GE(window->Ticks, 2);
  window->Close();
  const int ticks = window->Ticks;
  Settle(100);
  EXPECT_EQ(window->Ticks, ticks);
}

TEST(StandaloneTimer, RunsItsActionAndStopsWithModeZero) {
  auto timer = std::make_shared<Timer>();
  int fired = 0;
  timer->Events.Action = [&] { ++fired; };
  timer->Period(10);
  timer->Mode(Timer::kRepeating);
  Settle(80);
  EXPECT_GE(fired, 2);
  timer->Mode(Timer::kOff);
  const int count = fired;
  Settle(50);
  EXPECT_EQ(fired, count);
}

TEST(ViewControls, ScrollBarsReportValuesTheProgramSetsToo) {
  auto window = std::make_shared<ViewWindow>();
  auto& bar = window->ControlNamed<ScrollBar>("ScrollBarY");
  bar.Value(30);
  bar.Value(30);    // no change, no event
  bar.Maximum(10);  // the value follows the range
  bar.Value(-5);
  const std::vector<std::string> expected = {"ValueChanged 30", "ValueChanged 10",
                                             "ValueChanged 0"};
  EXPECT_EQ(window->Log, expected);
  window->Close();
}

TEST(ViewControls, ComboBoxesSplitTheirItemsAndReportOnlyTheUser) {
  auto window = std::make_shared<ViewWindow>();
  auto& box = window->ControlNamed<ComboBox>("ScaleBox");
  EXPECT_EQ(box.ListCount(), 4);
  EXPECT_EQ(box.Text(), "100%");
  box.ListIndex(1);
  box.ListIndex(99);  // no such item: nothing changes
  box.Text("75%");
  EXPECT_TRUE(window->Log.empty());
  EXPECT_EQ(box.ListIndex(), 1);
  EXPECT_EQ(box.Text(), "75%");

  auto* view = window->Widget()->findChild<QComboBox*>();
  view->setCurrentIndex(3);
  emit view->activated(3);  // what choosing an item from the list does
  view->lineEdit()->selectAll();
  QTest::keyClicks(view->lineEdit(), "15");
  const std::vector<std::string> expected = {"Change 200%", "TextChanged 1", "TextChanged 15"};
  EXPECT_EQ(window->Log, expected);
  window->Close();
}

TEST(ViewControls, ArraySwatchesGetTheirIndexAndTheBackdropShows) {
  std::shared_ptr<Picture> backdrop = NewPicture(300, 300, 16);
  backdrop->Graphics().ForeColor = RGB(200, 200, 255);
  backdrop->Graphics().FillRect(0, 0, 300, 300);
  auto window = std::make_shared<ViewWindow>(backdrop);
  QWidget* top = window->Widget();
  QTest::mouseClick(top->childAt(160, 110), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(window->Log, std::vector<std::string>{"ColorRec 4 10,10"});

  auto& swatch = window->ControlNamed<vantrel::Rectangle>("ColorRec", 4);
  swatch.FillColor(RGB(255, 0, 0));
  const QImage shown = top->grab().toImage();
  EXPECT_EQ(shown.pixelColor(180, 110), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(150, 100), QColor(0, 0, 0)) << "the border";
  const Color back = FromRGB565(ToRGB565(RGB(200, 200, 255)));
  EXPECT_EQ(shown.pixelColor(20, 200), QColor(back.Red, back.Green, back.Blue)) << "the backdrop";
  window->Close();
}

}  // namespace
}  // namespace vantrel::test
