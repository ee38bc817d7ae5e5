// The point commands of the document window (Split, Clear, Render, Select
// All) and the shared Scale dialog.
#include <cmath>
#include <limits>

#include "DocumentWindowFixture.h"
#include "editor/DocumentSnapshot.h"
#include "editor/ScaleWindow.h"
#include "model/SettingSet.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/CheckBox.h"
#include "platform/qt/EditField.h"
#include "platform/qt/PushButton.h"
#include "platform/qt/RadioButton.h"
#include "platform/qt/Timer.h"

namespace vantrel::test {
namespace {

using Points = std::vector<double>;
using Flags = std::vector<bool>;

class CommandsTest : public DocumentWindowFixture {
 protected:
  void SetUp() override { DocumentWindowFixture::SetUp(), w = Open(); }
  void TearDown() override { ScaleWindow().Close(), DocumentWindowFixture::TearDown(); }
  std::shared_ptr<DrawingWindow> Open() {
    auto doc = NewDoc();
    for (const char* timer : {"Timer1", "Timer2"}) doc->ControlNamed<Timer>(timer).Mode(Timer::kOff);
    return doc;
  }
  static void Place(DrawingWindow& d, Points xs, Points ys, Flags sel = {}) {
    sel.resize(xs.size());
    d.Xpoints = std::move(xs), d.Ypoints = std::move(ys), d.SelectedPoints = std::move(sel);
    d.Changed(false);
  }
  // Points the dialog at d with these texts typed in, then presses "Scale".
  static void Scale(DrawingWindow& d, bool uniform, const std::string& u, const std::string& h = "",
                    const std::string& v = "") {
    d.ScaleBTN_Action();
    class ScaleWindow& s = ScaleWindow();
    s.ControlNamed<RadioButton>("UScaleBTN").Value(uniform);
    s.ControlNamed<RadioButton>("NonUScaleBTN").Value(!uniform);
    s.ControlNamed<EditField>("UScaleField").Text(u);
    s.ControlNamed<EditField>("HScaleField").Text(h);
    s.ControlNamed<EditField>("VScaleField").Text(v);
    d.Changed(false);
    s.ControlNamed<PushButton>("PushButton1").Push();
  }
  std::shared_ptr<DrawingWindow> w;
};

TEST_F(CommandsTest, SplitHalvesSelectedSegmentsOnlyAndKeepsTheHalvesSelected) {
  Place(*w, {0, 1, 2, 3}, {0, 0, 0, 0}, Flags(4, true));
  w->SplitBTN_Action();
  EXPECT_EQ(w->Xpoints, (Points{0, 0.5, 1, 1.5, 2, 2.5, 3}));
  EXPECT_EQ(w->SelectedPoints, Flags(7, true));
  EXPECT_TRUE(w->Changed());
  w->SplitBTN_Action();
  EXPECT_EQ(w->Snapshot()->Xpoints.size(), 13u) << "workers see the split path";

  Place(*w, {0, 1, 2, 3, 4}, {0, 2, 4, 6, 8}, {false, true, true, false, true});
  w->SplitBTN_Action();
  EXPECT_EQ(w->SelectedPoints, (Flags{false, true, true, true, false, true}));

  Place(*w, {0, 1, 2}, {0, 0, 0}, {true, false, true});
  const auto before = w->PreviewThread;
  w->SplitBTN_Action();
  EXPECT_EQ(w->Xpoints.size(), 3u);
  EXPECT_FALSE(w->Changed());
  EXPECT_NE(w->PreviewThread, before) << "the preview restarts all the same";
}

TEST_F(CommandsTest, SplitStaysSoundWithEqualNeighboursAndMidpointsThatRoundOntoAnEnd) {
  Place(*w, {0, 0, 1, 2}, {0, 0, 0, 0}, {true, true, true, false});
  w->SplitBTN_Action();
  EXPECT_EQ(w->Xpoints, (Points{0, 0.5, 1, 2}));
  EXPECT_EQ(w->SelectedPoints, (Flags{true, true, true, false}));
  Place(*w, {1.0, std::nextafter(1.0, 2.0)}, {0, 0}, {true, true});
  w->SplitBTN_Action();
  EXPECT_EQ(w->SelectedPoints, (Flags{true, true}));
  // Ends as far out as a coordinate may lie, where both the sum and the
  // difference of the ends overflow: the midpoint still lies between them.
  const double big = std::numeric_limits<double>::max();
  Place(*w, {big, big / 2}, {-big, big}, {true, true});
  w->SplitBTN_Action();
  ASSERT_EQ(w->Xpoints.size(), 3u);
  EXPECT_DOUBLE_EQ(w->Xpoints[1], 0.75 * big);
  EXPECT_EQ(w->Ypoints[1], 0.0);
}

// Split and clicks stop where the document is full, with a message; a split
// that fits exactly goes ahead.
TEST_F(CommandsTest, NoCommandTakesTheDocumentPastItsLargestSize) {
  Points xs(kMaxDocumentPoints - 1);
  for (std::size_t i = 0; i < xs.size(); ++i) xs[i] = static_cast<double>(i);
  Flags sel(xs.size());
  sel[xs.size() - 3] = sel[xs.size() - 2] = sel[xs.size() - 1] = true;  // two midpoints
  Place(*w, xs, Points(xs.size()), sel);
  w->SplitBTN_Action();
  EXPECT_EQ(w->Xpoints.size(), kMaxDocumentPoints - 1);
  w->SelectedPoints[xs.size() - 3] = false;  // one midpoint: exactly full
  w->SplitBTN_Action();
  EXPECT_EQ(w->Xpoints.size(), kMaxDocumentPoints);
  w->FracCan_MouseDown(10, 10);
  EXPECT_EQ(w->Xpoints.size(), kMaxDocumentPoints);
  const std::string full = "Can not add points. A document can hold at most " +
                           std::to_string(kMaxDocumentPoints) + " points.";
  EXPECT_EQ(Messages(), (std::vector<std::string>{full, full}));
}

TEST_F(CommandsTest, ClearAndSelectAll) {
  w->X2 = w->Y2 = 315.0;
  w->CurrentSettings->Ints[1] = 8.0;
  w->CurrentSettings->Colors[7] = Color{0, 0, 255};
  Place(*w, {50, 100, 150}, {60, 60, 60}, {false, true, false});
  ASSERT_TRUE(w->Handlers().Run("EditSelectAll")) << "bound by its item name";
  Settle();
  EXPECT_EQ(w->Snapshot()->SelectedPoints, Flags(3, true));
  EXPECT_EQ(w->FracCan().Backing()->PixelColor(50, 60), (Color{0, 0, 255})) << "marker redrawn";
  EXPECT_FALSE(w->Changed());

  w->ClearBTN_Action();
  EXPECT_TRUE(w->Snapshot()->Xpoints.empty() && w->SelectedPoints.empty());
  EXPECT_TRUE(w->Changed() && w->X2 == 315.0) << "the view stays";
}

TEST_F(CommandsTest, RenderNeedsAPositiveSizeAndListsEveryWindowItOpens) {
  int asked = 0;
  // Any window stands in for a render window; the third press makes none.
  Services().NewRenderWindow = [&](DrawingWindow& d) -> std::shared_ptr<Window> {
    return ++asked == 3 ? nullptr : std::make_shared<StandInSettings>(d);
  };
  auto& ints = w->CurrentSettings->Ints;
  // A size above 0 that rounds to no pixels is refused like 0.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (auto [width, height] : {std::pair{800.0, 0.0}, {800.0, -5.0}, {800.0, nan}, {0.3, 800.0},
                               {800.0, 0.49}}) {
    ints[6] = width, ints[7] = height;
    w->RenderBTN_Action();
  }
  EXPECT_EQ(Messages(), std::vector<std::string>(5, "Can not render. Rendering height and width "
                                                    "need to be greater than 0. Edit the rendering "
                                                    "dimensions in the settings window."));
  EXPECT_EQ(asked, 0);
  // Sides a picture could not be saved at are refused before any window.
  for (auto [width, height] : {std::pair{65500.5, 600.0}, {800.0, 1e300}}) {
    ints[6] = width, ints[7] = height;
    w->RenderBTN_Action();
  }
  EXPECT_EQ(Messages().back(), "Can not render. A rendering can be saved at most 65500 pixels wide "
                               "and high. Edit the rendering dimensions in the settings window.");
  EXPECT_EQ(Messages().size(), 7u);
  EXPECT_EQ(asked, 0);
  // The largest side with the smallest, 1 pixel, either way round.
  for (int press = 0; press < 3; ++press) {
    ints[6] = press == 1 ? 0.5 : 65500.4;
    ints[7] = press == 1 ? 65500.4 : 0.5;
    w->RenderBTN_Action();
  }
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(w->RenderWin.size(), 2u);
  for (const auto& render : w->RenderWin) render->Close();
}

TEST_F(CommandsTest, TheDialogScalesAboutTheBoxCentreAndComesBackFreshAfterClose) {
  Place(*w, {0, 2, 5}, {0, 2, 5}, {true, true, false});
  w->ScaleBTN_Action();
  EXPECT_TRUE(w->Changed()) << "modified as soon as the dialog opens";
  class ScaleWindow& s = ScaleWindow();
  s.ControlNamed<EditField>("UScaleField").Text("50");
  for (int press = 0; press < 2; ++press) s.ControlNamed<PushButton>("PushButton1").Push();
  EXPECT_EQ(w->Xpoints, (Points{0.75, 1.25, 5})) << "selected only, and presses compound";

  s.ControlNamed<CheckBox>("SelectedBox").Value(false);
  Scale(*w, false, "ignored", "200", "-100");
  EXPECT_EQ(w->Xpoints, (Points{-1.375, -0.375, 7.125}));
  EXPECT_EQ(w->Ypoints, (Points{5, 4.5, 0.75})) << "a negative percentage mirrors";

  ScaleWindow().ControlNamed<PushButton>("PushButton2").Push();
  Settle();
  w->ScaleBTN_Action();
  EXPECT_EQ(ScaleWindow().ControlNamed<EditField>("HScaleField").Text(), "100");
}

TEST_F(CommandsTest, PercentagesWithoutANumberOrBeyondRangeScaleNothing) {
  // 1e400 reads as the largest Double: the far point would leave the range.
  for (const std::string text : {"", "  ", "abc", ".", "-", "nan", "1e400"}) {
    Place(*w, {0, 2e10}, {0, 2}, {true, true});
    Scale(*w, true, text);
    EXPECT_EQ(w->Xpoints, (Points{0, 2e10})) << '"' << text << '"';
    EXPECT_FALSE(w->Changed()) << '"' << text << '"';
  }
  EXPECT_EQ(Messages().size(), 7u);
  Scale(*w, true, " 0 %");
  EXPECT_EQ(w->Xpoints, (Points{1e10, 1e10})) << "a typed 0 is meant";
  EXPECT_EQ(ScaleWindow::Factor("+.5e2abc"), 0.5);
}

TEST_F(CommandsTest, TheDialogActsOnTheLastDocumentPointedAtAndNeverOnAClosedOne) {
  auto other = Open();
  Place(*w, {0, 2}, {0, 2}, {true, true});
  Place(*other, {0, 2}, {0, 2}, {true, true});
  w->ScaleBTN_Action();
  Scale(*other, true, "50");
  EXPECT_EQ(w->Xpoints, (Points{0, 2}));
  EXPECT_EQ(other->Xpoints, (Points{0.5, 1.5}));
  other->Close();
  Settle();
  ScaleWindow().ControlNamed<PushButton>("PushButton1").Push();
  EXPECT_EQ(other->Xpoints, (Points{0.5, 1.5}));
  EXPECT_EQ(w->Xpoints, (Points{0, 2}));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace vantrel::test
