#include "editor/PointMarkers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>

#include "editor/CanvasView.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/Graphics.h"
#include "platform/core/OvalUnion.h"
#include "platform/core/Thread.h"

namespace vantrel {

namespace {

// Points between two yields while the dots are gathered: a kill lands within
// a fraction of a millisecond, and the loop stays tight.
constexpr std::size_t kPointsPerYield = 4096;

// The top-left corner of a box of side d centred on pixel p: ToInteger(p -
// d / 2), the arithmetic in Doubles. For a whole d below 2^30 (every size
// the settings window accepts) p - d / 2 is exact and its rounding follows
// from its sign, so the corner is worked out in integers: once per point of
// a document of millions, the Doubles' conversions would dominate.
class DotCorner {
 public:
  explicit DotCorner(double d)
      : d_(d),
        whole_(std::fabs(d) < kWholeLimit && d == std::trunc(d)),
        down_(whole_ ? static_cast<std::int64_t>(std::floor(d / 2)) : 0),
        half_(whole_ && std::fmod(d, 2.0) != 0.0) {}

  Integer At(Integer p) const {
    if (!whole_) return ToInteger(p - d_ / 2);
    // p - d / 2 is m or, for an odd d, m - 1/2, whose halves round away from zero.
    const std::int64_t m = std::int64_t{p} - down_;
    // Without a branch: m's sign is anyone's guess across a document.
    const std::int64_t rounded = m - (std::int64_t{half_} & std::int64_t{m <= 0});
    return static_cast<Integer>(std::clamp<std::int64_t>(
        rounded, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
  }

 private:
  static constexpr double kWholeLimit = 1073741824.0;  // 2^30
  double d_;
  bool whole_;
  std::int64_t down_;
  bool half_;
};

// Everything the markers put on the surface, in drawing order, independent
// of the surface: a canvas may draw it later on the event thread.
struct MarkerLayer {
  std::vector<OvalUnion::Run> Plain;
  std::vector<OvalUnion::Run> Chosen;
  Integer RingCorner[2] = {0, 0};
  Integer RingSize = 0;
  Integer RingPen = 0;
  Color PointColor{};
  Color LineColor{};
  Color SelectionColor{};
};

void FillRuns(Graphics& g, const std::vector<OvalUnion::Run>& runs) {
  for (const OvalUnion::Run& run : runs) g.FillRect(run.First, run.Y, run.Last - run.First + 1, 1);
}

void DrawLayer(Graphics& g, const MarkerLayer& layer) {
  g.PenWidth = 0;
  g.PenHeight = 0;
  g.ForeColor = layer.PointColor;
  FillRuns(g, layer.Plain);
  g.PenWidth = layer.RingPen;
  g.PenHeight = layer.RingPen;
  g.ForeColor = layer.LineColor;
  g.DrawOval(layer.RingCorner[0], layer.RingCorner[1], layer.RingSize, layer.RingSize);
  g.ForeColor = layer.SelectionColor;
  FillRuns(g, layer.Chosen);
}

// Each point's dot into the union of its kind.
void GatherDots(OvalUnion& plain, OvalUnion& chosen, const std::vector<double>& xs,
                const std::vector<double>& ys, const std::vector<bool>& selected, double d,
                const CanvasView& view) {
  const std::size_t count = std::min(xs.size(), ys.size());
  const std::size_t flagged = std::min(count, selected.size());
  const CanvasView::Axis across = view.XAxis();
  const CanvasView::Axis down = view.YAxis();
  const DotCorner corner(d);
  for (std::size_t i = 0; i < count; ++i) {
    const Integer x = corner.At(across.ToCan(xs[i]));
    const Integer y = corner.At(down.ToCan(ys[i]));
    (i < flagged && selected[i] ? chosen : plain).Add(x, y);
    if (i % kPointsPerYield == 0) Yield();
  }
}

// The markers of a path of at least one point on a width x height surface.
std::shared_ptr<const MarkerLayer> LayerOf(Integer width, Integer height,
                                           const std::vector<double>& xs,
                                           const std::vector<double>& ys,
                                           const std::vector<bool>& selected,
                                           const SettingSet& settings, const CanvasView& view) {
  const double d = settings.Ints[kPointSize];
  OvalUnion plain(width, height, ToInteger(d));
  OvalUnion chosen(width, height, ToInteger(d));
  GatherDots(plain, chosen, xs, ys, selected, d, view);
  auto layer = std::make_shared<MarkerLayer>();
  layer->Plain = plain.Runs();
  layer->Chosen = chosen.Runs();
  const std::size_t last = std::min(xs.size(), ys.size()) - 1;
  const double w = settings.Ints[kLineWidth];
  const double ring = d + w * 2;
  layer->RingPen = ToInteger(w);
  layer->RingCorner[0] = DotCorner(ring).At(view.FracToCanX(xs[last]));
  layer->RingCorner[1] = DotCorner(ring).At(view.FracToCanY(ys[last]));
  layer->RingSize = ToInteger(ring);
  layer->PointColor = settings.Colors[kPointColor];
  layer->LineColor = settings.Colors[kLineColor];
  layer->SelectionColor = settings.Colors[kSelectionColor];
  return layer;
}

}  // namespace

// Dots of one kind share colour and size, so what they leave is their union
// whatever their order: each kind is gathered as an OvalUnion, which costs a
// few steps per point and then work bounded by the surface, and the layer is
// drawn in one call instead of one per dot.
void DrawPointMarkers(Graphics& g, const std::vector<double>& xs, const std::vector<double>& ys,
                      const std::vector<bool>& selected, const SettingSet& settings,
                      const CanvasView& view) {
  if (!xs.empty() && !ys.empty()) {
    std::shared_ptr<const MarkerLayer> layer =
        LayerOf(g.Width(), g.Height(), xs, ys, selected, settings, view);
    g.DrawAtOnce([layer](Graphics& surface) { DrawLayer(surface, *layer); });
  }
  g.ForeColor = settings.Colors[kSelectionColor];
  g.PenWidth = 0;
  g.PenHeight = 0;
}

}  // namespace vantrel
