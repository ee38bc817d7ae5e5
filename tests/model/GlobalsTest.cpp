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

TEST(GlobalsTest, LimitAndIsBetween) {
  const double limits[][4] = {{200, 50, 500, 200},   {200, 800, 500, 500},
                              {200, 300, 500, 300},  {5, 3, 1, 5},  // lo wins over hi
                              {200, kNaN, 500, 200}, {200, kInf, 500, 500}};
  for (const auto& [lo, value, hi, expected] : limits) {
    EXPECT_EQ(Globals::Limit(lo, value, hi), expected) << value;
  }
  EXPECT_TRUE(Globals::IsBetween(1, 3, 2) && Globals::IsBetween(3, 1, 2));
  // Strictly between: the bounds themselves, and NaN anywhere, are not.
  const double outside[][3] = {{1, 3, 1}, {1, 3, 3},    {2, 2, 2},
                               {1, 3, 4}, {1, 3, kNaN}, {kNaN, 3, 2}};
  for (const auto& [b1, b2, value] : outside) {
    EXPECT_FALSE(Globals::IsBetween(b1, b2, value)) << b1 << " " << b2 << " " << value;
  }
}

struct Rect {
  double X1, X2, Y1, Y2;
};

Rect Resized(Rect r, Integer newWidth, Integer newHeight, double oldWidth, double oldHeight) {
  Globals::Resize(r.X1, r.X2, r.Y1, r.Y2, newWidth, newHeight, oldWidth, oldHeight);
  return r;
}

void ExpectRect(const Rect& r, const Rect& expected) {
  EXPECT_DOUBLE_EQ(r.X1, expected.X1);
  EXPECT_DOUBLE_EQ(r.X2, expected.X2);
  EXPECT_DOUBLE_EQ(r.Y1, expected.Y1);
  EXPECT_DOUBLE_EQ(r.Y2, expected.Y2);
}

TEST(GlobalsTest, ResizeKeepsTheCentreAndSquarePixels) {
  ExpectRect(Resized({0, 1, 0, 1}, 630, 630, 315, 315), {0, 1, 0, 1});
  ExpectRect(Resized({0, 1, 0, 1}, 630, 315, 315, 315), {-1.0 / 6, 7.0 / 6, 1.0 / 6, 5.0 / 6});
  // The old y extent is not used: the new one follows from x.
  Rect tall = Resized({-2, 2, 10, 11}, 100, 300, 200, 200);
  EXPECT_DOUBLE_EQ(tall.Y1 + tall.Y2, 21);
  EXPECT_DOUBLE_EQ((tall.X2 - tall.X1) / 100, (tall.Y2 - tall.Y1) / 300);
  // Sizes at the ends of the Integer range neither overflow nor change the centre.
  const Integer big = std::numeric_limits<Integer>::max();
  Rect huge = Resized({0.25, 0.75, -1, 1}, big, big, 315, 315);
  EXPECT_DOUBLE_EQ(huge.X1 + huge.X2, 1.0);
  EXPECT_TRUE(std::isfinite(huge.Y1));
  // No scale to keep: the rectangle stays as it was.
  const Rect start{0.25, 0.75, -1, 1};
  for (const Rect& r : {Resized(start, 0, 300, 315, 315), Resized(start, 300, 0, 315, 315),
                        Resized(start, 300, 300, 0, 315), Resized(start, 300, 300, 315, 0),
                        Resized(start, -5, 300, 315, 315), Resized(start, 300, 300, kNaN, 315),
                        Resized(start, 300, 300, 1e-320, 315)}) {
    ExpectRect(r, start);
  }
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
  EXPECT_EQ(first.Path(), documents / "Saved Fractals");
  EXPECT_TRUE(first.Directory());
  std::ofstream(first.Path() / "kept.txt") << "x";
  EXPECT_EQ(Globals::FracFolder(), first);
  EXPECT_TRUE(fs::exists(first.Path() / "kept.txt"));

  // A folder that cannot be made is still returned, not created.
  fs::remove_all(documents);
  std::ofstream(documents) << "a file where the folder should be";
  EXPECT_FALSE(Globals::FracFolder().Exists());
  fs::remove_all(documents);
}

}  // namespace
}  // namespace vantrel
