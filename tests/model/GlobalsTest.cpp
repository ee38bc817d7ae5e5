// The geometry and folder functions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "model/Globals.h"
#include "platform/core/Keyboard.h"

namespace vantrel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(GlobalsTest, Limit) {
  EXPECT_EQ(Globals::Limit(200, 50, 500), 200);
  EXPECT_EQ(Globals::Limit(200, 800, 500), 500);
  EXPECT_EQ(Globals::Limit(200, 300, 500), 300);
  EXPECT_EQ(Globals::Limit(5, 3, 1), 5);
  EXPECT_EQ(Globals::Limit(200, kNaN, 500), 200);
  EXPECT_EQ(Globals::Limit(200, kInf, 500), 500);
}

TEST(GlobalsTest, IsBetween) {
  EXPECT_TRUE(Globals::IsBetween(1, 3, 2));
  EXPECT_TRUE(Globals::IsBetween(3, 1, 2));
  EXPECT_FALSE(Globals::IsBetween(1, 3, 1));
  EXPECT_FALSE(Globals::IsBetween(1, 3, 3));
  EXPECT_FALSE(Globals::IsBetween(2, 2, 2));
  EXPECT_FALSE(Globals::IsBetween(1, 3, 4));
  EXPECT_FALSE(Globals::IsBetween(1, 3, kNaN));
  EXPECT_FALSE(Globals::IsBetween(kNaN, 3, 2));
}

struct Rect {
  double X1, X2, Y1, Y2;
};

Rect Resized(Rect r, Integer newWidth, Integer newHeight, double oldWidth, double oldHeight) {
  Globals::Resize(r.X1, r.X2, r.Y1, r.Y2, newWidth, newHeight, oldWidth, oldHeight);
  return r;
}

TEST(GlobalsTest, ResizeKeepsTheCentreAndSquarePixels) {
  Rect same = Resized({0, 1, 0, 1}, 630, 630, 315, 315);
  EXPECT_DOUBLE_EQ(same.X1, 0);
  EXPECT_DOUBLE_EQ(same.X2, 1);
  EXPECT_DOUBLE_EQ(same.Y1, 0);
  EXPECT_DOUBLE_EQ(same.Y2, 1);

  Rect wide = Resized({0, 1, 0, 1}, 630, 315, 315, 315);
  EXPECT_DOUBLE_EQ(wide.X1, -1.0 / 6.0);
  EXPECT_DOUBLE_EQ(wide.X2, 7.0 / 6.0);
  EXPECT_DOUBLE_EQ(wide.Y1, 1.0 / 6.0);
  EXPECT_DOUBLE_EQ(wide.Y2, 5.0 / 6.0);
  EXPECT_DOUBLE_EQ((wide.X2 - wide.X1) / 630, (wide.Y2 - wide.Y1) / 315);

  // The old y extent is not used: the new one follows from x.
  Rect tall = Resized({-2, 2, 10, 11}, 100, 300, 200, 200);
  EXPECT_DOUBLE_EQ(tall.Y1 + tall.Y2, 21);
  EXPECT_DOUBLE_EQ((tall.X2 - tall.X1) / 100, (tall.Y2 - tall.Y1) / 300);
}

TEST(GlobalsTest, ResizeLeavesTheRectangleWhenThereIsNoScale) {
  const Rect start{0.25, 0.75, -1, 1};
  for (const Rect& r : {Resized(start, 0, 300, 315, 315), Resized(start, 300, 0, 315, 315),
                        Resized(start, 300, 300, 0, 315), Resized(start, 300, 300, 315, 0),
                        Resized(start, -5, 300, 315, 315), Resized(start, 300, 300, kNaN, 315),
                        Resized(start, 300, 300, 1e-320, 315)}) {
    EXPECT_EQ(r.X1, start.X1);
    EXPECT_EQ(r.X2, start.X2);
    EXPECT_EQ(r.Y1, start.Y1);
    EXPECT_EQ(r.Y2, start.Y2);
  }
  // Sizes at the ends of the Integer range neither overflow nor change the centre.
  const Integer big = std::numeric_limits<Integer>::max();
  Rect huge = Resized(start, big, big, 315, 315);
  EXPECT_DOUBLE_EQ(huge.X1 + huge.X2, 1.0);
  EXPECT_TRUE(std::isfinite(huge.Y1));
}

class FakeKeys : public KeyboardProbe {
 public:
  bool command = false;
  bool ShiftKey() const override { return false; }
  bool CommandKey() const override { return command; }
};

TEST(GlobalsTest, DiscontinousSelectKeyFollowsTheCommandKey) {
  FakeKeys keys;
  SetKeyboardProbe(&keys);
  EXPECT_FALSE(Globals::DiscontinousSelectKey());
  keys.command = true;
  EXPECT_TRUE(Globals::DiscontinousSelectKey());
  SetKeyboardProbe(nullptr);
  EXPECT_FALSE(Globals::DiscontinousSelectKey());
}

TEST(GlobalsTest, FracFolderIsCreatedOnceAndFoundAgain) {
  namespace fs = std::filesystem;
  const fs::path documents =
      fs::temp_directory_path() / ("vantrel-globals-" + std::to_string(::getpid()));
  fs::remove_all(documents);
  fs::create_directories(documents);
  SetDocumentsFolder(documents);

  const FolderItem first = Globals::FracFolder();
  EXPECT_EQ(first.Name(), "Saved Fractals");
  EXPECT_TRUE(first.Exists());
  EXPECT_TRUE(first.Directory());
  fs::path marker = first.Path() / "kept.txt";
  { std::ofstream(marker) << "x"; }

  const FolderItem second = Globals::FracFolder();
  EXPECT_EQ(second, first);
  EXPECT_TRUE(fs::exists(marker));

  // A folder that cannot be made is still returned, not created.
  fs::remove_all(documents);
  { std::ofstream(documents) << "a file where the folder should be"; }
  const FolderItem blocked = Globals::FracFolder();
  EXPECT_FALSE(blocked.Exists());
  fs::remove_all(documents);
}

}  // namespace
}  // namespace vantrel
