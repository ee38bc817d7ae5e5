// The About window: one at a time, its version label, buttons and backdrop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <memory>
#include <string>

#include "app/AboutBox.h"
#include "app/App.h"
#include "platform/core/Picture.h"
#include "platform/qt/Application.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/PushButton.h"
#include "platform/qt/ScriptedDialogs.h"
#include "platform/qt/StaticText.h"
#include "support/Settle.h"

namespace vantrel::test {
namespace {

class AboutBoxTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (Window* open : Application::Windows()) open->Close();
    Settle();
  }
  std::string VersionShown(Integer major, Integer minor, Integer bug, Integer stage,
                           Integer nonRelease) {
    app_.MajorVersion = major;
    app_.MinorVersion = minor;
    app_.BugVersion = bug;
    app_.StageCode = stage;
    app_.NonReleaseVersion = nonRelease;
    const auto box = AboutBox();
    const std::string text = box->ControlNamed<StaticText>("StaticText4").Text();
    box->Close();
    return text;
  }
  PushButton& Button(const char* name) { return AboutBox()->ControlNamed<PushButton>(name); }

  class App app_;
  ScriptedDialogs dialogs_{[](const std::string& m) { ADD_FAILURE() << m; }};
};

TEST_F(AboutBoxTest, VersionLabelAddsTheStageLetterAndAlwaysTheNonReleaseNumber) {
  EXPECT_EQ(VersionShown(1, 2, 3, 2, 4), "Version: 1.2.3b4");
  EXPECT_EQ(VersionShown(1, 0, 0, 3, 0), "Version: 1.0.00");
  EXPECT_EQ(VersionShown(2, 0, 1, 0, 7), "Version: 2.0.1_7");
  EXPECT_EQ(VersionShown(3, 1, 0, 1, 2), "Version: 3.1.0a2");
  EXPECT_EQ(VersionShown(1, 0, 0, 2147483647, 5), "Version: 1.0.05");
  EXPECT_EQ(VersionShown(1, 0, 0, -1, 5), "Version: 1.0.05");
}

TEST_F(AboutBoxTest, OneWindowWhileOpenANewOneWithTheSameBackdropAfterClosing) {
  EXPECT_FALSE(app_.HelpAboutVantrel_Action());
  const auto first = AboutBox();
  EXPECT_TRUE(first->Visible());
  app_.HelpAboutVantrel_Action();
  EXPECT_EQ(AboutBox(), first);

  const auto backdrop = AboutBoxpic();
  first->Close();
  Settle();
  EXPECT_EQ(VersionShown(9, 8, 7, 3, 6), "Version: 9.8.76");
  EXPECT_NE(AboutBox(), first);
  EXPECT_EQ(AboutBoxpic(), backdrop);
}

TEST_F(AboutBoxTest, TheButtonsOpenTheSiteAndAMailAndClose) {
  Button("PushButton2").Push();
  Button("PushButton3").Push();
  ASSERT_EQ(dialogs_.Requests().size(), 2u);
  EXPECT_EQ(dialogs_.Requests()[0].URL, "https://vantrel.example/");
  EXPECT_EQ(dialogs_.Requests()[1].URL, "mailto:hello@vantrel.example?subject=Vantrel");

  const auto box = AboutBox();
  Button("PushButton1").Push();
  EXPECT_FALSE(box->IsOpen());
  // Return presses Close, the default button.
  const auto again = AboutBox();
  QTest::keyClick(again->Widget(), Qt::Key_Return);
  EXPECT_FALSE(again->IsOpen());
}

TEST_F(AboutBoxTest, CreditsKeepClearOfTheWindowsSides) {
  const auto box = AboutBox();
  QLabel* credits = nullptr;
  for (QLabel* label : box->Widget()->findChildren<QLabel*>()) {
    if (label->wordWrap()) credits = label;
  }
  ASSERT_NE(credits, nullptr);
  ASSERT_EQ(credits->width(), box->Width()) << "the label spans the window";
  // The backdrop is all light; the text is the only dark ink on it.
  const QImage shown = credits->grab().toImage();
  auto inked = [&shown](int x) {
    for (int y = 0; y < shown.height(); ++y) {
      if (qGray(shown.pixel(x, y)) < 96) return true;
    }
    return false;
  };
  int first = 0;
  while (first < shown.width() && !inked(first)) ++first;
  int last = shown.width() - 1;
  while (last >= 0 && !inked(last)) --last;
  ASSERT_LT(first, last) << "no text drawn";
  EXPECT_GE(first, 8);
  EXPECT_LE(last, shown.width() - 1 - 8);
}

TEST_F(AboutBoxTest, BackdropIsSnowflakesOnSkyAtTheWindowsSize) {
  const auto pic = AboutBoxpic();
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->Width(), AboutBox()->Width());
  EXPECT_EQ(pic->Height(), AboutBox()->Height());
  const Color ink = FromRGB565(ToRGB565(Color{176, 176, 236}));
  int inked = 0;
  for (Integer y = 0; y < pic->Height(); ++y) {
    for (Integer x = 0; x < pic->Width(); ++x) inked += pic->PixelColor(x, y) == ink;
  }
  EXPECT_GT(inked, 1000);
  EXPECT_NE(pic->PixelColor(0, 0), ink);
}

}  // namespace
}  // namespace vantrel::test
