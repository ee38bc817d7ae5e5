// Pictures and drawing, checked pixel by pixel. Expected pictures are rows of
// '.' (white) and '#' (anything else).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <set>

#include "platform/core/Graphics.h"
#include "platform/core/Picture.h"
#include "platform/core/Thread.h"

namespace vantrel {
namespace {

constexpr Integer kMax = std::numeric_limits<Integer>::max();
constexpr Integer kMin = std::numeric_limits<Integer>::min();
using Pixels = std::set<std::pair<long long, long long>>;

std::shared_ptr<Picture> Blank(Integer width, Integer height, Integer pw = 1, Integer ph = 1) {
  auto picture = NewPicture(width, height, 16);
  picture->Graphics().ForeColor = Color{0, 0, 0};
  picture->Graphics().PenWidth = pw;
  picture->Graphics().PenHeight = ph;
  return picture;
}

Pixels Inked(const Picture& picture, long long shift = 0) {
  Pixels pixels;
  for (Integer y = 0; y < picture.Height(); ++y) {
    for (Integer x = 0; x < picture.Width(); ++x) {
      if (picture.Pixel(x, y) != 0xFFFF) {
        pixels.insert({x + shift, y + shift});
      }
    }
  }
  return pixels;
}

std::string Art(const Picture& picture) {
  std::string art;
  for (Integer y = 0; y < picture.Height(); ++y) {
    for (Integer x = 0; x < picture.Width(); ++x) {
      art += picture.Pixel(x, y) == 0xFFFF ? '.' : '#';
    }
    art += '\n';
  }
  return art;
}

// The documented pixels of a line, worked out independently in doubles: one
// per step along the major axis from the end with the smaller major
// coordinate, the minor offset rounded with halves going onward.
Pixels LinePixels(long long x1, long long y1, long long x2, long long y2) {
  const bool xMajor = std::llabs(x2 - x1) >= std::llabs(y2 - y1);
  if ((xMajor && x2 < x1) || (!xMajor && y2 < y1)) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const long long major = xMajor ? x2 - x1 : y2 - y1;
  const double minor = xMajor ? y2 - y1 : x2 - x1;
  Pixels pixels;
  for (long long t = 0; t <= major; ++t) {
    const double offset = major == 0 ? 0 : std::floor(t * std::fabs(minor) / major + 0.5);
    const auto m = static_cast<long long>(std::copysign(offset, minor));
    pixels.insert(xMajor ? std::pair{x1 + t, y1 + m} : std::pair{x1 + m, y1 + t});
  }
  return pixels;
}

TEST(NewPicture, IsWhiteOrNothing) {
  auto picture = NewPicture(7, 3, 16);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Graphics().Width(), 7);
  EXPECT_EQ(picture->Graphics().Height(), 3);
  EXPECT_TRUE(Inked(*picture).empty());
  // No side, a negative side, another depth, and more than Picture::kMaxPixels.
  // clang-format off
  const Integer refused[][3] = {{0, 9, 16}, {-1, 9, 16}, {9, kMin, 16}, {9, 9, 32},
                                {99999, 99999, 16}, {kMax, kMax, 16}, {1 << 15, (1 << 14) + 1, 16}};
  // clang-format on
  for (const auto& [w, h, depth] : refused) {
    EXPECT_EQ(NewPicture(w, h, depth), nullptr) << w << "x" << h << "x" << depth;
    EXPECT_EQ(NewUnpaintedPicture(w, h, depth), nullptr) << w << "x" << h << "x" << depth;
  }
}

TEST(NewPicture, AnUnpaintedPictureIsPaintedWholeOnce) {
  EXPECT_TRUE(NewPicture(2, 2, 16)->Painted());
  auto picture = NewUnpaintedPicture(5, 4, 16);
  ASSERT_NE(picture, nullptr);
  EXPECT_FALSE(picture->Painted());
  const Color blue{0, 0, 255};
  picture->Paint(blue);
  EXPECT_TRUE(picture->Painted());
  EXPECT_EQ(picture->PixelColor(0, 0), blue);
  EXPECT_EQ(picture->PixelColor(4, 3), blue);
  picture->Paint(Color{255, 255, 255});  // a painted picture repaints whole too
  EXPECT_TRUE(Inked(*picture).empty());
}

// Every line, clipped or not, with any pen, covers exactly the pen boxes
// (top-left corner on the pixel) along its pixels: checked on a picture that
// holds it whole and on a small one that cuts it.
TEST(DrawLine, CoversThePenBoxesAlongTheLinePixels) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(-39, 59);
  std::uniform_int_distribution<int> pen(1, 12);
  for (int i = 0; i < 600; ++i) {
    const int x1 = coordinate(random), y1 = coordinate(random);
    // Every fifth line is one step long, the renderer's usual line.
    const int x2 = i % 5 == 0 ? x1 + i % 3 - 1 : coordinate(random);
    const int y2 = i % 5 == 0 ? y1 + i / 5 % 3 - 1 : coordinate(random);
    const int pw = i < 200 ? 1 : pen(random), ph = i < 200 ? 1 : pen(random);
    Pixels stamped, visible;
    for (const auto& [x, y] : LinePixels(x1, y1, x2, y2)) {
      for (int dy = 0; dy < ph; ++dy) {
        for (int dx = 0; dx < pw; ++dx) {
          stamped.insert({x + dx, y + dy});
          if (x + dx >= 0 && y + dy >= 0 && x + dx < 20 && y + dy < 15) {
            visible.insert({x + dx, y + dy});
          }
        }
      }
    }
    auto whole = Blank(120, 120, pw, ph);
    whole->Graphics().DrawLine(x2 + 40, y2 + 40, x1 + 40, y1 + 40);
    ASSERT_EQ(Inked(*whole, -40), stamped) << x1 << "," << y1 << " " << x2 << "," << y2;
    auto cut = Blank(20, 15, pw, ph);
    cut->Graphics().DrawLine(x1, y1, x2, y2);
    ASSERT_EQ(Inked(*cut), visible) << x1 << "," << y1 << " " << x2 << "," << y2;
  }
}

TEST(DrawLine, AnyIntegerCoordinatesAreClippedAndPensOfNoSizeDrawNothing) {
  auto picture = Blank(50, 40);
  picture->Graphics().DrawLine(-2000000000, -2000000000, 2000000000, 2000000000);
  Pixels diagonal;
  for (int i = 0; i < 40; ++i) {
    diagonal.insert({i, i});
  }
  EXPECT_EQ(Inked(*picture), diagonal);
  picture = Blank(50, 40);
  picture->Graphics().DrawLine(kMin, -1, kMax, -1);
  picture->Graphics().DrawLine(kMax, kMin, kMax, kMax);
  EXPECT_TRUE(Inked(*picture).empty());
  // Pens with a side of 0 or less, on lines inside and across the edge.
  Graphics& g = picture->Graphics();
  for (const auto& [w, h] : {std::pair{0, 0}, {0, 3}, {3, 0}, {-1, 2}, {kMin, kMin}}) {
    g.PenWidth = w;
    g.PenHeight = h;
    g.DrawLine(1, 1, 8, 6);
    g.DrawLine(41, 31, 48, 36);
  }
  EXPECT_TRUE(Inked(*picture).empty());
  picture = Blank(50, 40, kMax, kMax);
  picture->Graphics().DrawLine(kMin, kMin, kMax, kMax);
  EXPECT_EQ(Inked(*picture).size(), 50u * 40u);
}

TEST(DrawRect, OutlineWithThePenInsideAndNegativeSizes) {
  auto picture = Blank(7, 5, 2, 1);
  picture->Graphics().DrawRect(0, 0, 7, 4);
  EXPECT_EQ(Art(*picture), "#######\n##...##\n##...##\n#######\n.......\n");
  auto forward = Blank(12, 12);
  forward->Graphics().DrawRect(2, 3, 6, 5);
  for (const auto& [x, y, w, h] : {std::tuple{8, 3, -6, 5}, {2, 8, 6, -5}, {8, 8, -6, -5}}) {
    auto dragged = Blank(12, 12);
    dragged->Graphics().DrawRect(x, y, w, h);
    EXPECT_EQ(Art(*dragged), Art(*forward)) << x << "," << y << " " << w << "x" << h;
  }
  picture = Blank(10, 10, 3, 3);
  Graphics& g = picture->Graphics();
  g.DrawRect(2, 2, 0, 5);
  g.DrawRect(kMin, kMin, kMax, kMax);  // ends at -1
  g.DrawRect(-20, -20, kMax, -kMax);
  EXPECT_TRUE(Inked(*picture).empty());
  g.DrawRect(2, 2, 5, 6);  // a pen wider than half the rectangle fills it
  EXPECT_EQ(Inked(*picture).size(), 30u);
}

TEST(FillRect, FillsClippedAndClearRectWhitens) {
  auto picture = Blank(6, 4);
  Graphics& g = picture->Graphics();
  g.FillRect(-2, 1, 4, kMax);
  g.FillRect(4, -3, kMax, 4);
  g.FillRect(3, 0, -2, 3);
  g.FillRect(kMin, kMin, kMax, kMax);
  g.ClearRect(0, 1, 1, 1);
  EXPECT_EQ(Art(*picture), "....##\n.#....\n##....\n##....\n");
}

TEST(Ovals, CoverThePixelsWhoseCentresLieInTheEllipse) {
  auto picture = Blank(8, 8);
  picture->Graphics().FillOval(0, 0, 8, 8);
  EXPECT_EQ(Art(*picture),
            "..####..\n.######.\n########\n########\n########\n########\n.######.\n..####..\n");
  const int counts[][3] = {{1, 1, 1}, {3, 3, 9}, {4, 4, 12}, {1, 5, 5}, {2, 7, 14}};
  for (const auto& [w, h, count] : counts) {
    auto small = Blank(10, 10);
    small->Graphics().FillOval(0, 0, w, h);
    EXPECT_EQ(Inked(*small).size(), static_cast<std::size_t>(count)) << w << "x" << h;
  }
  picture = Blank(8, 6);
  picture->Graphics().DrawOval(0, 0, 8, 6);
  EXPECT_EQ(Art(*picture), "..####..\n.#....#.\n#......#\n#......#\n.#....#.\n..####..\n");
  picture = Blank(8, 8);
  Graphics& g = picture->Graphics();
  g.FillOval(3, 3, 0, 4);
  g.FillOval(kMin, kMin, kMax, kMax);
  g.PenWidth = 20;  // the ring's hole starts past the Integer range
  g.DrawOval(kMax - 10, 0, 100, 100);
  g.PenWidth = 0;
  g.DrawOval(0, 0, 8, 8);
  EXPECT_TRUE(Inked(*picture).empty());
  g.FillOval(-1000000000, -1000000000, 2000000000, 2000000000);  // centred on (0, 0)
  EXPECT_EQ(Inked(*picture).size(), 64u);
}

TEST(Ovals, ARingAndTheDotOfItsInsetBoxTileTheDisc) {
  auto marker = Blank(14, 14, 2, 2);
  Graphics& g = marker->Graphics();
  g.ForeColor = Color{255, 0, 0};
  g.FillOval(3, 3, 8, 8);
  g.ForeColor = Color{0, 0, 0};
  g.DrawOval(1, 1, 12, 12);
  auto disc = Blank(14, 14);
  disc->Graphics().FillOval(1, 1, 12, 12);
  auto ring = Blank(14, 14, 2, 2);
  ring->Graphics().DrawOval(1, 1, 12, 12);
  EXPECT_EQ(Art(*marker), Art(*disc));
  EXPECT_EQ(Inked(*ring).size() + 52, Inked(*disc).size());  // 52: the 8 x 8 dot
  EXPECT_EQ(marker->PixelColor(7, 2), (Color{0, 0, 0}));
  EXPECT_EQ(marker->PixelColor(7, 3), (Color{255, 0, 0}));
}

std::shared_ptr<Picture> Checker(Integer w, Integer h) {
  auto source = Blank(w, h);
  for (Integer y = 0; y < h; ++y) {
    for (Integer x = (y % 2); x < w; x += 2) {
      source->SetPixel(x, y, 0);
    }
  }
  return source;
}

TEST(DrawPicture, CopiesAndScalesToTheNearestSourcePixel) {
  auto picture = Blank(5, 3);
  picture->Graphics().DrawPicture(Checker(3, 2), 3, 2);
  picture->Graphics().DrawPicture(Checker(3, 2), -1, -1);
  EXPECT_EQ(Art(*picture), "#....\n.....\n...#.\n");
  picture = Blank(5, 4);
  picture->Graphics().DrawPicture(Checker(2, 2), 0, 0, 4, 4, 0, 0, 2, 2);
  EXPECT_EQ(Art(*picture), "##...\n##...\n..##.\n..##.\n");
  picture = Blank(2, 2);
  picture->Graphics().DrawPicture(Checker(6, 6), 0, 0, 2, 2, 0, 0, 6, 6);  // centres 1 and 4
  EXPECT_EQ(Art(*picture), "#.\n.#\n");
  picture = Blank(4, 1);
  picture->Graphics().DrawPicture(Checker(4, 1), 0, 0, 4, 1, -2, 0, 4, 1);  // half beyond the left
  EXPECT_EQ(Art(*picture), "..#.\n");
  // Onto itself: every pixel is read as it was before the drawing.
  picture->Graphics().DrawPicture(picture, 1, 0);
  EXPECT_EQ(Art(*picture), "...#\n");
  picture->Graphics().DrawPicture(picture, 0, 0, 4, 1, 2, 0, 2, 1);
  EXPECT_EQ(Art(*picture), "..##\n");
}

TEST(DrawPicture, DegenerateRectanglesDrawNothing) {
  auto source = Checker(4, 4);
  auto picture = Blank(6, 6);
  Graphics& g = picture->Graphics();
  const Integer cases[][8] = {{0, 0, 0, 4, 0, 0, 4, 4},   {0, 0, 4, -4, 0, 0, 4, 4},
                              {0, 0, 4, 4, 0, 0, 0, 4},   {0, 0, 4, 4, 0, 0, 4, -1},
                              {0, 0, 4, 4, 10, 10, 4, 4}, {kMin, kMin, kMax, kMax, 0, 0, 4, 4}};
  for (const auto& c : cases) {
    g.DrawPicture(source, c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]);
  }
  g.DrawPicture(nullptr, 0, 0);
  EXPECT_TRUE(Inked(*picture).empty());
  g.DrawPicture(source, 0, 0, kMax, kMax, 0, 0, 1, 1);  // one pixel over everything
  EXPECT_EQ(Inked(*picture).size(), 36u);
}

// A worker killed before it draws: the drawing must stop at a yield within
// about a yield's worth of pixels, however much one call would cover.
class KilledPainter : public Thread {
 public:
  explicit KilledPainter(std::function<void()> paint) : paint_(std::move(paint)) {}
  std::atomic<bool> finished{false};

 protected:
  void OnRun() override {
    Kill();
    paint_();
    finished = true;
  }

 private:
  std::function<void()> paint_;
};

TEST(Drawing, AKilledWorkerStopsWithinAYieldsWorthOfPixels) {
  auto picture = Blank(1024, 1024);  // four yields' worth
  Graphics& g = picture->Graphics();
  const std::function<void()> paintings[] = {
      [&g] {
        g.PenWidth = g.PenHeight = kMax;
        g.DrawLine(0, 0, 1, 1);
      },
      [&g] { g.FillRect(0, 0, kMax, kMax); },
      [&g] { g.FillOval(0, 0, 1024, 1024); },
      [&g] {
        g.PenWidth = g.PenHeight = 8;
        for (Integer y = 0; y < 1016; ++y) g.DrawLine(0, y, 1016, y);
      },
      [&g] {
        for (Integer y = 0; y < 1024; ++y) g.DrawLine(0, y, 1023, y);
      },
      [&g, ink = Blank(1, 1)] {
        ink->SetPixel(0, 0, 0);
        g.DrawPicture(ink, 0, 0, 1024, 1024, 0, 0, 1, 1);
      }};
  for (const auto& paint : paintings) {
    g.ClearRect(0, 0, 1024, 1024);
    g.PenWidth = g.PenHeight = 1;
    auto painter = std::make_shared<KilledPainter>(paint);
    painter->Run();
    ASSERT_TRUE(painter->WaitUntilEnded(std::chrono::seconds(60)));
    EXPECT_FALSE(painter->finished);
    EXPECT_LE(Inked(*picture).size(), static_cast<std::size_t>(2 * kPixelsPerYield));
  }
}

}  // namespace
}  // namespace vantrel
