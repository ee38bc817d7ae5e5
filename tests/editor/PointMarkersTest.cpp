// The point markers against the plain way of drawing them, one oval per
// point in drawing order: pixel for pixel on random documents, and in one
// drawing call on the surface however many points there are.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "editor/CanvasView.h"
#include "editor/PointMarkers.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/Graphics.h"
#include "platform/core/Picture.h"

namespace vantrel {
namespace {

struct Document {
  std::vector<double> Xs;
  std::vector<double> Ys;
  std::vector<bool> Selected;
  SettingSet Settings;
  CanvasView View;
};

// Every unselected dot in index order, the ring around the last point, then
// every selected dot: one drawing call per marker.
void DrawEachMarker(Graphics& g, const Document& doc) {
  const double d = doc.Settings.Ints[kPointSize];
  const auto dot = [&](Integer px, Integer py) {
    g.FillOval(ToInteger(px - d / 2), ToInteger(py - d / 2), ToInteger(d), ToInteger(d));
  };
  const std::size_t count = doc.Xs.size();
  g.PenWidth = 0;
  g.PenHeight = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const Integer px = doc.View.FracToCanX(doc.Xs[i]);
    const Integer py = doc.View.FracToCanY(doc.Ys[i]);
    g.ForeColor = doc.Settings.Colors[kPointColor];
    if (!doc.Selected[i]) dot(px, py);
    if (i + 1 == count) {
      const double w = doc.Settings.Ints[kLineWidth];
      const double ring = d + w * 2;
      g.PenWidth = ToInteger(w);
      g.PenHeight = ToInteger(w);
      g.ForeColor = doc.Settings.Colors[kLineColor];
      g.DrawOval(ToInteger(px - ring / 2), ToInteger(py - ring / 2), ToInteger(ring),
                 ToInteger(ring));
    }
  }
  g.ForeColor = doc.Settings.Colors[kSelectionColor];
  for (std::size_t i = 0; i < count; ++i) {
    if (doc.Selected[i]) dot(doc.View.FracToCanX(doc.Xs[i]), doc.View.FracToCanY(doc.Ys[i]));
  }
}

// Point sizes: whole and odd or even, fractional, none, negative, beyond the
// Integer range; otherwise anything the settings window accepts.
double PointSize(std::mt19937& random) {
  const double odd[] = {0.0, -3.0, 1.0, 2.5, 7.5, 1e12, 1e300};
  std::uniform_int_distribution<int> pick(0, 9);
  const int k = pick(random);
  if (k < 7 && pick(random) < 4) return odd[k];
  return std::uniform_int_distribution<int>(1, 999)(random);
}

// Points mostly around the view, some far off it and some where the
// conversion to pixels saturates; selections of every mix.
Document RandomDocument(std::mt19937& random, Integer width, Integer height) {
  Document doc;
  SettingsCatalogue::ApplyDefaults(doc.Settings);
  doc.Settings.Ints[kPointSize] = PointSize(random);
  doc.Settings.Ints[kLineWidth] = std::uniform_int_distribution<int>(-1, 6)(random);
  doc.Settings.Colors[kPointColor] = Color{255, 0, 0};
  doc.Settings.Colors[kLineColor] = Color{0, 0, 0};
  doc.Settings.Colors[kSelectionColor] = Color{0, 0, 255};
  doc.View.X1 = -0.25;
  doc.View.X2 = 1.25;
  doc.View.Y1 = 1.5;  // y upward, as a view may be
  doc.View.Y2 = -0.5;
  doc.View.Width = width;
  doc.View.Height = height;
  std::uniform_real_distribution<double> near(-1.0, 2.0);
  std::uniform_int_distribution<int> kind(0, 19);
  const int count = std::uniform_int_distribution<int>(0, 150)(random);
  const int selectedInTwenty = kind(random);
  const auto coordinate = [&] {
    const int k = kind(random);
    if (k == 0) return 1e300;
    if (k == 1) return -1e300;
    if (k == 2) return 3e8;
    return near(random);
  };
  for (int i = 0; i < count; ++i) {
    doc.Xs.push_back(coordinate());
    doc.Ys.push_back(coordinate());
    doc.Selected.push_back(kind(random) < selectedInTwenty);
  }
  return doc;
}

bool SamePixels(const Picture& a, const Picture& b) {
  const auto bytes = static_cast<std::size_t>(a.Width()) * static_cast<std::size_t>(a.Height()) * 2;
  return std::memcmp(a.Bits(), b.Bits(), bytes) == 0;
}

TEST(PointMarkers, DrawExactlyWhatOneOvalPerMarkerDraws) {
  std::mt19937 random(2024);
  for (int trial = 0; trial < 300; ++trial) {
    const Integer width = std::uniform_int_distribution<Integer>(1, 120)(random);
    const Integer height = std::uniform_int_distribution<Integer>(1, 90)(random);
    const Document doc = RandomDocument(random, width, height);
    auto expected = NewPicture(width, height, 16);
    auto drawn = NewPicture(width, height, 16);
    DrawEachMarker(expected->Graphics(), doc);
    DrawPointMarkers(drawn->Graphics(), doc.Xs, doc.Ys, doc.Selected, doc.Settings, doc.View);
    ASSERT_TRUE(SamePixels(*expected, *drawn))
        << "trial " << trial << ": " << doc.Xs.size() << " points of size "
        << doc.Settings.Ints[kPointSize] << " on " << width << " x " << height;
    EXPECT_EQ(drawn->Graphics().ForeColor, doc.Settings.Colors[kSelectionColor]);
    EXPECT_EQ(drawn->Graphics().PenWidth, 0);
  }
}

// A surface that counts the drawing calls made on it and runs batches on
// the picture underneath.
class CountingGraphics : public Graphics {
 public:
  using Graphics::Graphics;
  int Calls = 0;
  void FillOval(Integer x, Integer y, Integer width, Integer height) override {
    ++Calls;
    Graphics::FillOval(x, y, width, height);
  }
  void DrawOval(Integer x, Integer y, Integer width, Integer height) override {
    ++Calls;
    Graphics::DrawOval(x, y, width, height);
  }
  void FillRect(Integer x, Integer y, Integer width, Integer height) override {
    ++Calls;
    Graphics::FillRect(x, y, width, height);
  }
  void DrawAtOnce(std::function<void(Graphics&)> drawing) override {
    ++Calls;
    Graphics plain(Target());
    drawing(plain);
  }
};

// A canvas queues and shows every call it gets: a document's markers make
// one, not one per point.
TEST(PointMarkers, AreOneDrawingCallWhateverTheirNumber) {
  Document doc;
  SettingsCatalogue::ApplyDefaults(doc.Settings);
  doc.View.X2 = 1.0;
  doc.View.Y2 = 1.0;
  doc.View.Width = 200;
  doc.View.Height = 100;
  for (int i = 0; i < 20000; ++i) {
    doc.Xs.push_back((i % 200) / 200.0);
    doc.Ys.push_back((i / 200) / 100.0);
    doc.Selected.push_back(i % 3 == 0);
  }
  auto picture = NewPicture(200, 100, 16);
  CountingGraphics surface(picture.get());
  DrawPointMarkers(surface, doc.Xs, doc.Ys, doc.Selected, doc.Settings, doc.View);
  EXPECT_EQ(surface.Calls, 1);
  const Color selection = FromRGB565(ToRGB565(doc.Settings.Colors[kSelectionColor]));
  EXPECT_EQ(picture->PixelColor(100, 50), selection);

  surface.Calls = 0;
  DrawPointMarkers(surface, {}, {}, {}, doc.Settings, doc.View);
  EXPECT_EQ(surface.Calls, 0) << "no points, nothing drawn";
}

}  // namespace
}  // namespace vantrel
