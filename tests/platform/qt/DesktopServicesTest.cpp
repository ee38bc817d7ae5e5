// The desktop side: drawn magnifier cursors, modifier keys read through the
// core's keyboard seam, and the documents folder behind GetFolderItem("", 0).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <filesystem>

#include "platform/core/FolderItem.h"
#include "platform/core/Keyboard.h"
#include "platform/qt/Cursors.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/ScriptedDialogs.h"
#include "platform/qt/SystemServices.h"

namespace vantrel {
namespace {

int Alpha(const QImage& image, int x, int y) { return qAlpha(image.pixel(x, y)); }

TEST(CursorsTest, MagnifiersAreDrawnWithTheHotspotOnTheirSign) {
  const QCursor larger = ToQCursor(StockCursor::MagnifyLarger);
  const QCursor smaller = ToQCursor(StockCursor::MagnifySmaller);
  for (const QCursor& cursor : {larger, smaller}) {
    const QImage image = cursor.pixmap().toImage();
    ASSERT_FALSE(image.isNull());
    const QPoint hot = cursor.hotSpot();
    ASSERT_TRUE(image.rect().adjusted(2, 2, -2, -2).contains(hot));
    EXPECT_GT(Alpha(image, hot.x(), hot.y()), 200) << "the sign crosses the hotspot";
    EXPECT_EQ(Alpha(image, hot.x() - 3, hot.y() - 3), 0) << "the lens stays clear";
    EXPECT_EQ(Alpha(image, 0, image.height() - 1), 0) << "no background square";
  }
  // Only the plus has a vertical bar.
  const QPoint hot = larger.hotSpot();
  EXPECT_GT(Alpha(larger.pixmap().toImage(), hot.x(), hot.y() - 3), 200);
  EXPECT_EQ(Alpha(smaller.pixmap().toImage(), hot.x(), hot.y() - 3), 0);
  EXPECT_EQ(ToQCursor(StockCursor::HandClosed).shape(), Qt::ClosedHandCursor);
}

// Saves and restores the environment the desktop's folders are read from.
class DesktopServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) {
      saved_.emplace_back(name, qgetenv(name));
    }
    ASSERT_TRUE(home_.isValid());
    qputenv("HOME", home_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home_.path() + "/.config").toUtf8());
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      qputenv(name, value);
    }
    SetDialogs(nullptr);
    SetKeyboardProbe(nullptr);
  }

  QTemporaryDir home_;
  std::vector<std::pair<const char*, QByteArray>> saved_;
};

TEST_F(DesktopServicesTest, DocumentsFolderIsTheOneTheDesktopNames) {
  // A desktop whose documents live in "Papers", which does not exist yet.
  QDir(home_.path()).mkpath(".config");
  QFile dirs(home_.path() + "/.config/user-dirs.dirs");
  ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
  dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
  dirs.close();

  InstallDesktopServices();
  const std::filesystem::path documents = home_.path().toStdString() + "/Papers";
  EXPECT_EQ(GetFolderItem("", 0).Path(), documents);
  EXPECT_FALSE(std::filesystem::exists(documents)) << "made only when something is saved";

  // The render window's save dialog starts there.
  ScriptedDialogs dialogs;
  dialogs.AnswerCancel();
  EXPECT_EQ(GetSaveFolderItem("", "Untitled.JPG"), std::nullopt);
  ASSERT_EQ(dialogs.Requests().size(), 1u);
  EXPECT_EQ(dialogs.Requests()[0].InitialDirectory, FolderItem(documents));
  EXPECT_EQ(dialogs.Requests()[0].SuggestedFileName, "Untitled.JPG");
}

TEST_F(DesktopServicesTest, ModifierKeysAreReadFromTheDesktop) {
  InstallDesktopServices();
  QWindow window;
  window.show();
  EXPECT_FALSE(AsyncShiftKey());
  EXPECT_FALSE(AsyncCommandKey());

  QTest::keyPress(&window, Qt::Key_Shift, Qt::ShiftModifier);
  EXPECT_TRUE(AsyncShiftKey());
  EXPECT_FALSE(AsyncCommandKey());
  QTest::keyRelease(&window, Qt::Key_Shift, Qt::NoModifier);
  QTest::keyPress(&window, Qt::Key_Control, Qt::ControlModifier);
  EXPECT_FALSE(AsyncShiftKey());
  EXPECT_TRUE(AsyncCommandKey()) << "Ctrl stands for Command";
  QTest::keyRelease(&window, Qt::Key_Control, Qt::NoModifier);
  EXPECT_FALSE(AsyncCommandKey());
}

}  // namespace
}  // namespace vantrel
