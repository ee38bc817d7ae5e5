// The canvas tools: Draw, Zoom, Pan, the wheel, the cursor of each tool, and
// the Select tool's picking, ranges, rectangles and moving of points, with
// the preview thread held still while a rectangle is dragged.
#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <climits>
#include <tuple>
#include <utility>

#include "DocumentWindowFixture.h"
#include "editor/DocumentSnapshot.h"
#include "editor/PreviewThreadClass.h"
#include "model/SettingSet.h"
#include "platform/core/Keyboard.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/CanvasWidget.h"
#include "platform/qt/RadioButton.h"
#include "platform/qt/Timer.h"

namespace vantrel::test {
namespace {

using namespace std::chrono_literals;

struct HeldKeys final : KeyboardProbe {
  bool shift = false;
  bool command = false;
  bool ShiftKey() const override { return shift; }
  bool CommandKey() const override { return command; }
};

class ToolsTest : public DocumentWindowFixture {
 protected:
  void SetUp() override {
    DocumentWindowFixture::SetUp();
    SetKeyboardProbe(&keys);
    w = NewDoc();
    // The tests decide when a preview runs and which cursor shows.
    w->ControlNamed<Timer>("Timer1").Mode(Timer::kOff);
    w->ControlNamed<Timer>("Timer2").Mode(Timer::kOff);
    w->CurrentSettings->Booleans[1] = false;  // no snapping unless a test asks
    Settle();
  }
  void TearDown() override {
    SetKeyboardProbe(nullptr);
    DocumentWindowFixture::TearDown();
  }

  // CanvasWidget has no meta-object of its own, so findChild cannot tell it apart.
  QWidget* Canvas() const {
    for (QWidget* child : w->Widget()->findChildren<QWidget*>()) {
      if (dynamic_cast<CanvasWidget*>(child) != nullptr) return child;
    }
    return nullptr;
  }
  void Tool(const char* name) { w->ControlNamed<RadioButton>(name).Value(true); }
  // Fractal units are canvas pixels, and snapping cannot round a point away.
  void PixelView() {
    w->X2 = w->Y2 = 315.0;
    w->CurrentSettings->Ints[1] = 8.0;
  }
  void Place(std::vector<double> xs, std::vector<double> ys, std::vector<bool> selected = {}) {
    selected.resize(xs.size());
    w->Xpoints = std::move(xs);
    w->Ypoints = std::move(ys);
    w->SelectedPoints = std::move(selected);
    w->PublishSnapshot();
  }
  std::vector<int> Selected() const {
    std::vector<int> on;
    for (std::size_t i = 0; i < w->SelectedPoints.size(); ++i) {
      if (w->SelectedPoints[i]) on.push_back(static_cast<int>(i));
    }
    return on;
  }
  // A press and release at a pixel, through the handlers.
  void Click(int x, int y) {
    if (w->FracCan_MouseDown(x, y)) w->FracCan_MouseUp(x, y);
  }
  // Pressed at from, dragged through the rest, released at the last: real mouse events.
  void Gesture(std::vector<QPoint> path) {
    QTest::mousePress(Canvas(), Qt::LeftButton, {}, path.front());
    for (const QPoint& p : path) {
      QMouseEvent move(QEvent::MouseMove, p, Canvas()->mapToGlobal(QPointF(p)), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(Canvas(), &move);
    }
    QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, path.back());
  }
  bool Shows(StockCursor c) const {
    const QCursor now = Canvas()->cursor();
    const QCursor want = ToQCursor(c);
    return now.shape() == want.shape() && now.pixmap().toImage() == want.pixmap().toImage();
  }
  std::shared_ptr<PreviewThreadClass> StartPreview() {
    w->Preview();
    const auto thread = w->PreviewThread;
    EXPECT_TRUE(QTest::qWaitFor([&] { return thread->CurrentPic() != nullptr; }, 10000));
    return thread;
  }
  Color CanvasPixel(int x, int y) const { return w->FracCan().Backing()->PixelColor(x, y); }

  HeldKeys keys;
  std::shared_ptr<DrawingWindow> w;
};

TEST_F(ToolsTest, DrawAddsThePressPointAndZoomCentresOnItNeitherTakingADrag) {
  Gesture({{100, 50}, {200, 250}});
  EXPECT_EQ(w->Xpoints, (std::vector<double>{w->CanToFracX(100)}));
  EXPECT_EQ(w->Ypoints, (std::vector<double>{w->CanToFracY(50)}));
  EXPECT_TRUE(w->Changed());
  w->CurrentSettings->Booleans[1] = true;
  Click(100, 50);
  Click(101, 51);  // the same grid node: AddPoint drops it again
  EXPECT_EQ(w->Xpoints, (std::vector<double>{w->CanToFracX(100), 0.375}));
  EXPECT_EQ(w->Ypoints.back(), 0.125);

  Tool("ZoomBTN");
  w->Changed(false);
  Gesture({{63, 126}, {200, 250}});
  EXPECT_NEAR(w->X1, 0.2 - 0.4, 1e-12);
  EXPECT_NEAR(w->X2, 0.2 + 0.4, 1e-12);
  EXPECT_NEAR(w->Y1, 0.4 - 0.4, 1e-12);
  EXPECT_TRUE(w->Changed());
  keys.shift = true;
  Click(0, 0);
  EXPECT_NEAR(w->X2 - w->X1, 1.0, 1e-12);
  EXPECT_NEAR(w->X1 + w->X2, 2 * (0.2 - 0.4), 1e-12) << "centred on the press";
}

TEST_F(ToolsTest, PanKeepsTheGrabbedPointUnderTheCursorAlongEitherAxis) {
  Tool("PanBTN");
  w->Changed(false);
  ASSERT_TRUE(w->FracCan_MouseDown(100, 100));
  EXPECT_TRUE(w->Panning);
  EXPECT_TRUE(Shows(StockCursor::HandClosed)) << "at once, not at the next tick";
  w->FracCan_MouseDrag(100, 100);
  EXPECT_FALSE(w->Changed()) << "a drag onto the anchor is no drag";
  w->FracCan_MouseDrag(150, 100);
  EXPECT_DOUBLE_EQ(w->X1, -50.0 / 315);
  EXPECT_EQ(w->Y1, 0.0);
  EXPECT_TRUE(w->Changed());
  w->FracCan_MouseDrag(150, 40);
  EXPECT_DOUBLE_EQ(w->X1, -50.0 / 315);
  EXPECT_DOUBLE_EQ(w->Y1, 60.0 / 315);
  EXPECT_DOUBLE_EQ(w->CanToFracX(150), w->PanX);
  w->FracCan_MouseUp(150, 40);
  EXPECT_FALSE(w->Panning);
}

TEST_F(ToolsTest, TheWheelZoomsAboutTheCursorAndLargeTurnsKeepTheViewPositive) {
  Tool("SelectBTN");
  const double fx = w->CanToFracX(63), fy = w->CanToFracY(126);
  const auto check = [&](Integer deltaY, double extent) {
    const double before = w->X2 - w->X1;
    EXPECT_FALSE(w->FracCan_MouseWheel(63, 126, 7, deltaY));
    EXPECT_NEAR((w->X2 - w->X1) / before, extent, 1e-12) << deltaY;
    EXPECT_NEAR((w->Y2 - w->Y1) / before, extent, 1e-12) << deltaY;
    const double tolerance = 1e-12 * std::max(1.0, w->X2 - w->X1);
    EXPECT_NEAR(w->CanToFracX(63), fx, tolerance) << deltaY;
    EXPECT_NEAR(w->CanToFracY(126), fy, tolerance) << deltaY;
  };
  check(-5, 1 / 1.1);
  check(5, 1 / 0.9);
  for (Integer deltaY : {49, 50, 500, INT_MAX}) check(deltaY, 50.0);
  EXPECT_TRUE(w->Changed());
  w->FracCan_MouseWheel(63, 126, 0, INT_MIN);
  EXPECT_GT(w->X2 - w->X1, 0.0);
  EXPECT_GT(w->Y2 - w->Y1, 0.0);
}

TEST_F(ToolsTest, TheCursorFollowsTheTool) {
  using enum StockCursor;
  const std::tuple<const char*, bool, StockCursor> table[] = {
      {"DrawBTN", true, StandardPointer}, {"SelectBTN", true, StandardPointer},
      {"ZoomBTN", false, MagnifyLarger},  {"ZoomBTN", true, MagnifySmaller},
      {"PanBTN", false, HandOpen},        {"PanBTN", true, HandClosed}};
  for (const auto& [tool, held, cursor] : table) {
    Tool(tool);
    keys.shift = w->Panning = held;  // held: Shift for Zoom, a pan under way for Pan
    w->SetCursor();
    EXPECT_TRUE(Shows(cursor)) << tool << held;
  }
}

TEST_F(ToolsTest, APressPicksTheHighestPointHitAndShiftOrCommandExtendTheSelection) {
  Tool("SelectBTN");
  PixelView();
  // Hit strictly within the point size, the highest index first.
  Place({100, 104, 100}, {100, 100, 108});
  Click(100, 100);
  EXPECT_EQ(Selected(), (std::vector<int>{1})) << "point 2, at exactly 8, is missed";
  EXPECT_TRUE(w->ClickedPoint);
  Click(100, 115);
  EXPECT_EQ(Selected(), (std::vector<int>{2}));
  Click(100, 116);
  EXPECT_EQ(Selected(), (std::vector<int>{})) << "empty canvas deselects";
  EXPECT_FALSE(w->ClickedPoint);

  // Shift selects ranges, Command toggles, a plain press picks one.
  std::vector<double> xs, ys;
  for (int k = 0; k < 10; ++k) {
    xs.push_back(20 + 25 * k);
    ys.push_back(100);
  }
  struct Case {
    std::vector<bool> before;
    bool shift, command;
    int x;  // pixel pressed; y is 100, or 200 off every point
    std::vector<int> after;
  };
  const std::vector<bool> two{0, 0, 1, 0, 0, 0, 0, 1}, none{}, three{0, 0, 1, 0, 0, 1, 0, 1};
  const Case cases[] = {
      {two, true, false, 4, {2, 3, 4, 5, 6, 7}}, {two, true, false, 9, {2, 3, 4, 5, 6, 7, 8, 9}},
      {none, true, false, 4, {4}},               {three, true, false, 5, {2, 7}},
      {two, true, true, 4, {2, 3, 4, 5, 6, 7}},  {two, false, true, 4, {2, 4, 7}},
      {two, false, true, 2, {7}},                {two, false, false, 4, {4}},
      {two, false, false, 7, {2, 7}},            {two, false, false, -1, {}},
      {two, true, false, -1, {2, 7}}};
  for (const Case& c : cases) {
    Place(xs, ys, c.before);
    keys.shift = c.shift;
    keys.command = c.command;
    w->Changed(false);
    Click(c.x < 0 ? 100 : 20 + 25 * c.x, c.x < 0 ? 200 : 100);
    EXPECT_EQ(Selected(), c.after) << c.shift << c.command << " on " << c.x;
    EXPECT_TRUE(w->Changed());
  }
}

TEST_F(ToolsTest, ARectangleSelectsWhatLiesStrictlyInsideWhicheverWayItIsDragged) {
  Tool("SelectBTN");
  PixelView();
  const std::vector<double> xs{100, 150, 80, 300}, ys{100, 120, 100, 300};
  const QPoint a(80, 60), b(200, 160);
  const std::pair<QPoint, QPoint> ways[] = {
      {a, b}, {b, a}, {{80, 160}, {200, 60}}, {{200, 60}, {80, 160}}};
  for (const auto& [from, to] : ways) {
    Place(xs, ys, {0, 0, 0, 1});
    Gesture({from, {140, 110}, to});
    EXPECT_EQ(Selected(), (std::vector<int>{0, 1})) << "the point on the edge stays out";
  }
  keys.shift = true;
  Place(xs, ys, {0, 1, 0, 1});
  Gesture({a, b});
  EXPECT_EQ(Selected(), (std::vector<int>{0, 3})) << "Shift inverts inside, keeps outside";
  ASSERT_TRUE(w->FracCan_MouseDown(a.x(), a.y()));
  w->FracCan_MouseDrag(b.x(), b.y());
  keys.shift = false;
  w->FracCan_MouseUp(b.x(), b.y());
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1})) << "Shift let go before the release";
  w->Changed(false);
  Gesture({{90, 90}});
  EXPECT_EQ(Selected(), (std::vector<int>{})) << "no drag, no rectangle";
  EXPECT_TRUE(w->Changed());

  // Equal neighbours, as a file may hold them, merge at the release: one
  // snapshot holds the merged path and the new selection.
  Place({100, 100, 300}, {100, 100, 300});
  ASSERT_TRUE(w->FracCan_MouseDown(a.x(), a.y()));
  w->FracCan_MouseDrag(b.x(), b.y());
  const std::uint64_t published = w->Publications();
  w->FracCan_MouseUp(b.x(), b.y());
  EXPECT_EQ(w->Publications(), published + 1);
  EXPECT_EQ(w->Snapshot()->Xpoints, (std::vector<double>{100, 300}));
  EXPECT_EQ(w->Snapshot()->SelectedPoints, (std::vector<bool>{true, false}));
}

TEST_F(ToolsTest, ARectangleHoldsThePreviewStillAndAlwaysLetsItGo) {
  Tool("SelectBTN");
  w->CurrentSettings->Booleans[0] = false;
  // Every segment as long as the chord: the rounds never end by themselves.
  Place({0.1, 0.9, 0.9, 0.1}, {0.1, 0.1, 0.9, 0.9});
  const auto thread = StartPreview();
  ASSERT_TRUE(w->FracCan_MouseDown(150, 150));
  EXPECT_EQ(thread->State(), Thread::Suspended);
  w->Preview();
  EXPECT_EQ(w->PreviewThread, thread) << "no restart while the rectangle is out";

  const Color line = w->CurrentSettings->Colors[1];
  const Color blank = thread->CurrentPic()->PixelColor(199, 175);
  w->FracCan_MouseDrag(200, 200);
  EXPECT_EQ(CanvasPixel(199, 175), line);
  w->FracCan_MouseDrag(100, 100);
  EXPECT_EQ(CanvasPixel(199, 175), blank) << "the picture erased the last rectangle";
  EXPECT_EQ(CanvasPixel(100, 120), line) << "dragged up and left";
  w->FracCan_MouseUp(100, 100);
  EXPECT_EQ(thread->State(), Thread::Running);
  EXPECT_FALSE(w->InhibitPreview);

  // A release that never came: the next press lets the thread go first.
  w->FracCan_MouseDown(150, 150);
  Tool("DrawBTN");
  w->FracCan_MouseDown(150, 150);
  EXPECT_NE(thread->State(), Thread::Suspended);
  EXPECT_FALSE(w->InhibitPreview);

  // A window closed mid-drag ends its thread.
  Tool("SelectBTN");
  const auto last = StartPreview();
  ASSERT_TRUE(w->FracCan_MouseDown(200, 60));
  EXPECT_EQ(last->State(), Thread::Suspended);
  w->Close();
  EXPECT_TRUE(last->WaitUntilEnded(10s));
}

TEST_F(ToolsTest, DraggedPointsSnapKeepTheirOffsetsAndMergeWithTheirPredecessor) {
  Tool("SelectBTN");
  w->CurrentSettings->Booleans[1] = true;
  Place({0.125, 0.5, 0.53}, {0.125, 0.5, 0.61}, {0, 1, 1});
  Gesture({{167, 192}, {180, 200}, {220, 220}});
  // The grabbed point lands exactly on the node; the other keeps its offset.
  EXPECT_EQ(w->Xpoints[2], 0.75);
  EXPECT_EQ(w->Ypoints[2], 0.75);
  EXPECT_DOUBLE_EQ(w->Xpoints[1], 0.5 + 0.75 - 0.53);
  EXPECT_DOUBLE_EQ(w->Ypoints[1], 0.5 + 0.75 - 0.61);
  EXPECT_EQ(w->Xpoints[0], 0.125);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2}));

  Place({0.125, 0.5}, {0.125, 0.5}, {0, 1});
  ASSERT_TRUE(w->FracCan_MouseDown(158, 158));
  w->FracCan_MouseDrag(39, 39);
  EXPECT_EQ(w->Xpoints.size(), 2u) << "kept until the release";
  const std::uint64_t published = w->Publications();
  w->FracCan_MouseUp(39, 39);
  EXPECT_EQ(w->Publications(), published + 1);
  EXPECT_EQ(w->Xpoints, (std::vector<double>{0.125}));
  EXPECT_EQ(Selected(), (std::vector<int>{0})) << "the merged point keeps the selection";
  EXPECT_EQ(w->Snapshot()->Xpoints, w->Xpoints) << "workers see the merged path";
  EXPECT_EQ(w->Snapshot()->SelectedPoints, w->SelectedPoints);
}

}  // namespace
}  // namespace vantrel::test
