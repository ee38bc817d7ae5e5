// Windows built from records and control tables: order of building, lookup,
// resizing with locks, closing, quitting.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QWidget>
#include <algorithm>

#include "TestWindows.h"
#include "platform/qt/MenuBar.h"

namespace vantrel::test {
namespace {

bool Contains(const std::vector<std::string>& log, const std::string& entry) {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

TEST(Window, BuildsControlsThenRaisesTheirOpenThenItsOwn) {
  auto window = std::make_shared<DocWindow>();
  const std::vector<std::string> expected = {"FracCan Open", "StatusText Open", "CkBox_Open 1",
                                             "CkBox_Open 0", "window Open",
                                             "constructor body: 315"};
  EXPECT_EQ(window->Log, expected);
  EXPECT_TRUE(window->Visible());
  EXPECT_EQ(window->Title(), "Vantrel: Untitled");
  EXPECT_EQ(window->Controls().size(), 14u);
  EXPECT_FALSE(window->ControlNamed<ProgressBar>("ProgressBar1").Visible());
  EXPECT_EQ(window->ControlNamed<StaticText>("StatusText").Text(), "Waiting");
  EXPECT_TRUE(window->ControlNamed<RadioButton>("DrawBTN").Value());
  EXPECT_FALSE(window->ControlNamed<RadioButton>("PanBTN").Value());
  window->Close();
}

TEST(Window, FindsControlsByNameAndIndexAndReportsMissingOnes) {
  auto window = std::make_shared<DocWindow>(false);
  EXPECT_NE(window->FindControl<Canvas>("FracCan"), nullptr);
  EXPECT_EQ(window->FindControl<CheckBox>("CkBox", 1)->Caption(), "Snap");
  EXPECT_EQ(window->FindControl<CheckBox>("CkBox", 0)->Caption(), "Grid");
  EXPECT_EQ(window->FindControl("CkBox"), nullptr) << "an array member needs its index";
  EXPECT_EQ(window->FindControl("CkBox", 2), nullptr);
  EXPECT_EQ(window->FindControl("Nothing"), nullptr);
  EXPECT_EQ(window->FindControl<StaticText>("FracCan"), nullptr) << "wrong kind";
  try {
    window->ControlNamed<EditField>("ValField", 9);
    FAIL() << "no exception";
  } catch (const MissingControl& e) {
    EXPECT_NE(std::string(e.what()).find("\"ValField\" with index 9"), std::string::npos);
  }
  window->Close();
}

TEST(Window, LocksKeepDistancesToTheEdgesWhenTheWindowGrows) {
  auto window = std::make_shared<DocWindow>();
  window->Width(475);
  window->Height(450);
  auto& canvas = window->ControlNamed<Canvas>("FracCan");
  EXPECT_EQ(canvas.Width(), 415);
  EXPECT_EQ(canvas.Height(), 415);
  EXPECT_EQ(canvas.Backing()->Width(), 415) << "the backing follows the canvas";
  auto& label = window->ControlNamed<StaticText>("StaticText1");
  EXPECT_EQ(label.Left(), 0);
  EXPECT_EQ(label.Top(), 415);
  EXPECT_EQ(label.Width(), 51);
  auto& status = window->ControlNamed<StaticText>("StatusText");
  EXPECT_EQ(status.Left(), 63);
  EXPECT_EQ(status.Width(), 412);
  auto& ok = window->ControlNamed<PushButton>("OkBTN");
  EXPECT_EQ(ok.Left(), 420);
  EXPECT_EQ(ok.Top(), 250);

  // The minimum size holds.
  window->Width(100);
  EXPECT_EQ(window->Width(), 375);
  EXPECT_EQ(canvas.Width(), 315);
  EXPECT_FALSE(Contains(window->Log, "Resized")) << "sizes the program sets are not reported";

  // A size the program gave a control is the new reference for its locks.
  canvas.Width(300);
  window->Width(400);
  EXPECT_EQ(canvas.Width(), 325);
  window->Close();
}

TEST(Window, AResizeByTheUserRaisesResized) {
  auto window = std::make_shared<DocWindow>();
  window->Widget()->resize(500, 400);
  Settle();
  EXPECT_EQ(window->Width(), 500);
  EXPECT_EQ(window->ControlNamed<Canvas>("FracCan").Width(), 440);
  EXPECT_TRUE(Contains(window->Log, "Resized"));
  window->Close();
}

TEST(Window, TheMenuBarSitsAboveTheClientArea) {
  MenuBar bar;
  auto window = std::make_shared<DocWindow>(true, &bar);
  QWidget* top = window->Widget();
  const auto* menu = top->findChild<QMenuBar*>();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(window->Width(), 375);
  EXPECT_EQ(window->Height(), 350);
  EXPECT_EQ(top->height(), 350 + menu->sizeHint().height());
  QWidget* canvas = top->childAt(10, menu->sizeHint().height() + 10);
  ASSERT_NE(canvas, nullptr);
  EXPECT_EQ(canvas->mapTo(top, QPoint(0, 0)).y(), menu->sizeHint().height());
  EXPECT_EQ(canvas->width(), 315);
  window->Close();
}

TEST(Window, TheActiveWindowIsTheMenuTarget) {
  auto window = std::make_shared<DocWindow>();
  window->SetFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
  EXPECT_EQ(ActiveMenuTarget(), window.get());
  EXPECT_EQ(Application::FrontWindow(), window.get());
  EXPECT_TRUE(Contains(window->Log, "Activate"));
  window->Close();
  EXPECT_EQ(ActiveMenuTarget(), nullptr);
}

TEST(Window, CloseByTheProgramDoesNotAskButTheCloseBoxDoes) {
  auto window = std::make_shared<DocWindow>();
  QWidget* widget = window->Widget();
  window->Refuse = true;
  widget->close();  // the close box
  EXPECT_TRUE(window->IsOpen());
  EXPECT_TRUE(Contains(window->Log, "CancelClose user"));
  EXPECT_FALSE(Contains(window->Log, "Close"));

  window->Close();
  EXPECT_FALSE(window->IsOpen());
  EXPECT_FALSE(window->Visible());
  EXPECT_EQ(std::count(window->Log.begin(), window->Log.end(), "CancelClose user"), 1);
  EXPECT_TRUE(Contains(window->Log, "Close"));
  EXPECT_EQ(window->Widget(), nullptr);

  // Everything on a closed window is harmless.
  window->Close();
  window->Show();
  window->Title("after");
  window->Width(600);
  auto& status = window->ControlNamed<StaticText>("StatusText");
  status.Text("late");
  status.Visible(true);
  window->ControlNamed<Canvas>("FracCan").Graphics().FillRect(0, 0, 10, 10);
  window->ControlNamed<Canvas>("FracCan").Refresh();
  EXPECT_EQ(std::count(window->Log.begin(), window->Log.end(), "Close"), 1);
  Settle();
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

TEST(Window, QuitAsksEveryWindowAndOneRefusalStopsIt) {
  auto first = std::make_shared<DocWindow>();
  auto second = std::make_shared<DocWindow>();
  second->Refuse = true;
  RequestQuit();  // the front window is asked first; its refusal ends the asking
  EXPECT_TRUE(Contains(second->Log, "CancelClose quitting"));
  EXPECT_FALSE(Contains(first->Log, "CancelClose quitting"));
  EXPECT_TRUE(first->IsOpen());
  EXPECT_TRUE(second->IsOpen());
  EXPECT_FALSE(Contains(first->Log, "Close"));

  second->Refuse = false;
  first->Refuse = false;
  RequestQuit();
  EXPECT_TRUE(Contains(first->Log, "CancelClose quitting"));
  EXPECT_FALSE(first->IsOpen());
  EXPECT_FALSE(second->IsOpen());
  EXPECT_TRUE(Contains(first->Log, "Close"));
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

}  // namespace
}  // namespace vantrel::test
