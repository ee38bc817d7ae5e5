// The settings window on real document windows, offscreen, with scripted dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWindow>
#include <filesystem>
#include <functional>

#include "editor/DocumentSnapshot.h"
#include "editor/DrawingWindow.h"
#include "editor/PreviewThreadClass.h"
#include "model/SettingSet.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/CheckBox.h"
#include "platform/qt/EditField.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/MenuDispatch.h"
#include "platform/qt/Rectangle.h"
#include "platform/qt/Timer.h"
#include "platform/qt/ScriptedDialogs.h"
#include "settings/SettingsWindow.h"
#include "support/Settle.h"

namespace vantrel {
namespace {

using test::Settle;
using test::SettleUntil;

class SettingsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder);
    SetDocumentsFolder(folder);
    SettingsWindow::InstallFactory();
    Services().HideOtherSettingsWins = [this](SettingsWindowBase* keep) {
      for (const auto& d : docs) {
        if (d->SettingsWin && d->SettingsWin.get() != keep) d->SettingsWin->Hide();
      }
    };
  }
  void TearDown() override {
    for (const auto& d : docs) d->Close();
    docs.clear();
    Settle();
    Services() = DocumentServices{};
  }

  // A new document once its first preview has run to its end: the test
  // starts it at once rather than after the window's opening delay.
  DrawingWindow& NewDoc(const std::string& name = "Untitled") {
    DrawingWindow& d = *docs.emplace_back(DrawingWindow::NewDocument(name));
    d.ControlNamed<Timer>("Timer2").Mode(Timer::kOff);
    d.Timer2_Action();
    EXPECT_TRUE(SettleUntil([&d] {
      return !d.PreviewThread || d.PreviewThread->WaitUntilEnded(std::chrono::milliseconds(0));
    }));
    Settle();
    return d;
  }
  static SettingsWindow& SettingsOf(DrawingWindow& d) {
    return dynamic_cast<SettingsWindow&>(*d.SettingsWin);
  }
  static QWidget* WidgetOf(SettingsWindow& w, const char* name, Integer i) {
    const Control& c = *w.FindControl(name, i);
    return w.Widget()->childAt(c.Left() + 5, c.Top() + c.Height() / 2);
  }
  // A restart fits the canvas to the window again; one left at an odd size
  // shows that none happened.
  static bool Restarts(DrawingWindow& d, const std::function<void()>& edit) {
    Canvas& canvas = d.ControlNamed<Canvas>("FracCan");
    const Integer w = canvas.Width(), h = canvas.Height();
    canvas.Width(7);
    canvas.Height(7);
    edit();
    if (canvas.Width() != 7 || canvas.Height() != 7) return true;
    canvas.Width(w);
    canvas.Height(h);
    return false;
  }
  static bool Type(DrawingWindow& d, QWidget* edit, Qt::Key key) {
    return Restarts(d, [&] { QTest::keyClick(edit, key); });
  }
  static void Press(QWidget* target) { QTest::mouseClick(target, Qt::LeftButton, {}, {5, 5}); }
  static bool Click(DrawingWindow& d, QWidget* target) {
    return Restarts(d, [&] { Press(target); });
  }

  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vantrel-settings";
  ScriptedDialogs dialogs{[](const std::string& m) { ADD_FAILURE() << m; }};
  std::vector<std::shared_ptr<DrawingWindow>> docs;
};

constexpr std::array<Color, 8> kDesignColors{{{255, 255, 255}, {0, 0, 0}, {255, 0, 0},
                                              {122, 122, 122}, {0, 0, 0}, {0, 255, 0},
                                              {0, 0, 0}, {255, 176, 0}}};

TEST_F(SettingsWindowTest, BindsDesignValuesInForANewDocumentAndTheSettingsOutOtherwise) {
  DrawingWindow& d = NewDoc();
  SettingsWindow& w = SettingsOf(d);
  EXPECT_EQ(w.Title(), "Settings for: Untitled");
  EXPECT_FALSE(d.Changed());
  EXPECT_EQ(w.Frame(), kFloatingFrame);
  EXPECT_EQ(w.Widget()->pos(), QPoint(0, 80));
  EXPECT_EQ(w.Widget()->minimumSize(), w.Widget()->maximumSize()) << "a fixed size";
  EXPECT_FALSE(w.Widget()->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  // What keeps it above its document under a window manager.
  EXPECT_EQ(w.Widget()->windowHandle()->transientParent(), d.Widget()->windowHandle());

  // The binding itself, on a cleared set: design values in while asked ...
  w.Close();
  EXPECT_EQ(d.SettingsWin, nullptr);
  *d.CurrentSettings = SettingSet();
  d.LoadDefaulySettings = true;
  d.SettingsWin = SettingsWindow::Create(d);
  EXPECT_EQ(d.CurrentSettings->Colors, kDesignColors);
  EXPECT_EQ(d.CurrentSettings->Ints, (std::array<double, 8>{2, 8, 1, 8, 8, 1, 800, 800}));
  EXPECT_EQ(d.CurrentSettings->Booleans, (std::array<bool, 3>{true, true, false}));

  // ... the settings out otherwise (as for a document read from a file),
  // raising no edit.
  d.SettingsWin->Close();
  d.LoadDefaulySettings = false;
  d.CurrentSettings->Ints[3] = 2.5;
  d.CurrentSettings->Booleans[0] = false;
  d.CurrentSettings->Colors[7] = Color{10, 20, 30};
  d.SettingsWin = SettingsWindow::Create(d);
  SettingsWindow& again = SettingsOf(d);
  EXPECT_EQ(again.ControlNamed<EditField>("ValField", 3).Text(), "2.5");
  EXPECT_FALSE(again.ControlNamed<CheckBox>("CkBox", 0).Value());
  EXPECT_EQ(again.ControlNamed<Rectangle>("ColorRec", 7).FillColor(), (Color{10, 20, 30}));
  EXPECT_EQ(d.CurrentSettings->Ints[3], 2.5);
  EXPECT_FALSE(d.Changed());
}

TEST_F(SettingsWindowTest, NumberFieldsStoreEveryKeystrokeAndRestartWhatTheyShow) {
  DrawingWindow& d = NewDoc();
  SettingsWindow& w = SettingsOf(d);
  QWidget* lineWidth = WidgetOf(w, "ValField", 0);
  std::vector<double> stored;
  for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_1, Qt::Key_2}) {
    QTest::keyClick(lineWidth, key);
    stored.push_back(d.CurrentSettings->Ints[0]);
  }
  EXPECT_EQ(stored, (std::vector<double>{0, 1, 12}));
  EXPECT_TRUE(d.Changed());

  // The grid densities take fractions; 0 is accepted (and snaps nothing).
  QWidget* vertical = WidgetOf(w, "ValField", 3);
  QTest::keyClick(vertical, Qt::Key_Backspace);
  EXPECT_EQ(d.CurrentSettings->Ints[3], 0);
  QTest::keyClicks(vertical, "2.5");
  EXPECT_EQ(d.CurrentSettings->Ints[3], 2.5);

  // The widths, the point size and both grid densities restart the preview;
  // the render fields only while the canvas is framed to them. Every edit
  // is published.
  for (Integer i = 0; i < 8; ++i) {
    EXPECT_EQ(Type(d, WidgetOf(w, "ValField", i), Qt::Key_Backspace), i <= 4) << i;
    EXPECT_EQ(d.Snapshot()->Settings->Ints, d.CurrentSettings->Ints) << i;
  }
  EXPECT_TRUE(Click(d, WidgetOf(w, "CkBox", 2)));
  for (const Integer i : {6, 7}) EXPECT_TRUE(Type(d, WidgetOf(w, "ValField", i), Qt::Key_0)) << i;
}

TEST_F(SettingsWindowTest, CheckBoxesAndColoursRestartOnlyWhatTheyAffect) {
  DrawingWindow& d = NewDoc();
  SettingsWindow& w = SettingsOf(d);
  EXPECT_FALSE(Click(d, WidgetOf(w, "CkBox", 1)));
  EXPECT_FALSE(d.CurrentSettings->Booleans[1]);
  EXPECT_FALSE(d.Snapshot()->Settings->Booleans[1]);
  EXPECT_TRUE(d.Changed());
  EXPECT_TRUE(Click(d, WidgetOf(w, "CkBox", 0)));

  // A cancelled pick leaves everything as it was.
  d.Changed(false);
  dialogs.AnswerCancel();
  EXPECT_FALSE(Click(d, WidgetOf(w, "ColorRec", 0)));
  EXPECT_EQ(dialogs.Requests().back().Prompt, "Selecte a Color");
  EXPECT_EQ(w.ControlNamed<Rectangle>("ColorRec", 0).FillColor(), kDesignColors[0]);
  EXPECT_FALSE(d.Changed());

  const Color blue{0, 0, 255};
  for (const Integer i : {0, 1, 3, 6}) {
    dialogs.AnswerColor(blue);
    EXPECT_TRUE(Click(d, WidgetOf(w, "ColorRec", i))) << i;
    EXPECT_EQ(d.CurrentSettings->Colors[static_cast<std::size_t>(i)], blue);
  }
  EXPECT_TRUE(d.Changed());

  // Marker and render colours redraw the markers straight onto the canvas.
  d.AddPoint(0.5, 0.5, -1);
  d.Changed(false);
  for (const Integer i : {7, 4, 5, 2}) {
    dialogs.AnswerColor(blue);
    EXPECT_FALSE(Click(d, WidgetOf(w, "ColorRec", i))) << i;
  }
  EXPECT_TRUE(d.Changed());
  // The probe above resized the canvas, which cleared it: pick once more.
  dialogs.AnswerColor(blue);
  Press(WidgetOf(w, "ColorRec", 2));
  const auto backing = d.ControlNamed<Canvas>("FracCan").Backing();
  ASSERT_NE(backing, nullptr);
  EXPECT_EQ(backing->PixelColor(d.FracToCanX(0.5), d.FracToCanY(0.5)), blue);
}

TEST_F(SettingsWindowTest, OnlyTheActiveDocumentShowsItsSettingsUnlessTheUserClosedThem) {
  DrawingWindow& a = NewDoc("Untitled");
  DrawingWindow& b = NewDoc("Untitled1");
  SettingsWindow& sa = SettingsOf(a);
  SettingsWindow& sb = SettingsOf(b);
  // Offscreen, activation moves on when a window shows or hides; what counts
  // is that the document's activation ran.
  const auto activate = [](Window& window) {
    window.SetFocus();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.Widget()));
    Settle();
  };
  activate(a);
  EXPECT_TRUE(sa.Visible());
  EXPECT_FALSE(sb.Visible());

  sa.Widget()->close();  // the close box
  EXPECT_TRUE(sa.IsOpen());
  EXPECT_FALSE(sa.Visible());
  activate(b);
  EXPECT_TRUE(sb.Visible());
  activate(a);
  EXPECT_FALSE(sa.Visible()) << "closed by the user";
  EXPECT_FALSE(sb.Visible());
  a.SettingsBTN_Action();
  EXPECT_TRUE(SettleUntil([&sa] { return sa.Visible() && sa.WasVisible; })) << "activated again";

  // Quitting closes them all, and each window lets go of its document.
  const std::weak_ptr<SettingsWindowBase> gone = a.SettingsWin;
  RequestQuit();
  Settle();
  EXPECT_EQ(a.SettingsWin, nullptr);
  EXPECT_EQ(b.SettingsWin, nullptr);
  EXPECT_TRUE(gone.expired());
  const std::weak_ptr<DrawingWindow> document = docs.front();
  docs.clear();
  Settle();
  EXPECT_TRUE(document.expired());
}

}  // namespace
}  // namespace vantrel
