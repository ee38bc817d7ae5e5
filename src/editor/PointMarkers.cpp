#include "editor/PointMarkers.h"

#include <algorithm>
#include <cstddef>

#include "editor/CanvasView.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/Graphics.h"
#include "platform/core/Thread.h"

namespace vantrel {

namespace {

bool IsSelected(const std::vector<bool>& selected, std::size_t i) {
  return i < selected.size() && selected[i];
}

// A circle of the given diameter centred on pixel (px, py); the arithmetic is
// in Doubles and each value is stored into an Integer as it is passed.
void Dot(Graphics& g, Integer px, Integer py, double d) {
  g.FillOval(ToInteger(px - d / 2), ToInteger(py - d / 2), ToInteger(d), ToInteger(d));
}

}  // namespace

void DrawPointMarkers(Graphics& g, const std::vector<double>& xs, const std::vector<double>& ys,
                      const std::vector<bool>& selected, const SettingSet& settings,
                      const CanvasView& view) {
  const std::size_t count = std::min(xs.size(), ys.size());
  const double d = settings.Ints[kPointSize];

  g.ForeColor = settings.Colors[kPointColor];
  g.PenWidth = 0;
  g.PenHeight = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const Integer px = view.FracToCanX(xs[i]);
    const Integer py = view.FracToCanY(ys[i]);
    if (!IsSelected(selected, i)) Dot(g, px, py, d);
    if (i + 1 == count) {
      const double w = settings.Ints[kLineWidth];
      g.PenWidth = ToInteger(w);
      g.PenHeight = ToInteger(w);
      const double ring = d + w * 2;
      g.ForeColor = settings.Colors[kLineColor];
      g.DrawOval(ToInteger(px - ring / 2), ToInteger(py - ring / 2), ToInteger(ring),
                 ToInteger(ring));
    }
    Yield();
  }

  g.ForeColor = settings.Colors[kSelectionColor];
  g.PenWidth = 0;
  g.PenHeight = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (IsSelected(selected, i)) Dot(g, view.FracToCanX(xs[i]), view.FracToCanY(ys[i]), d);
    Yield();
  }
}

}  // namespace vantrel
