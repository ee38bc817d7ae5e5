#include "editor/PointMarkers.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <thread>

#include "editor/CanvasView.h"
#include "editor/DotGather.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/Graphics.h"
#include "platform/core/OvalUnion.h"

namespace vantrel {

namespace {

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

// The markers of a path of at least one point on a width x height surface.
std::shared_ptr<const MarkerLayer> LayerOf(Integer width, Integer height,
                                           const std::vector<double>& xs,
                                           const std::vector<double>& ys,
                                           const std::vector<bool>& selected,
                                           const SettingSet& settings, const CanvasView& view) {
  const double d = settings.Ints[kPointSize];
  DotGather::Dots dots = DotGather(view, d, width, height).Gather(xs, ys, selected);
  auto layer = std::make_shared<MarkerLayer>();
  layer->Plain = dots.Plain.Runs(std::thread::hardware_concurrency());
  layer->Chosen = dots.Chosen.Runs(std::thread::hardware_concurrency());
  const std::size_t last = std::min(xs.size(), ys.size()) - 1;
  const double w = settings.Ints[kLineWidth];
  const double ring = d + w * 2;
  layer->RingPen = ToInteger(w);
  layer->RingCorner[0] = ToInteger(view.FracToCanX(xs[last]) - ring / 2);
  layer->RingCorner[1] = ToInteger(view.FracToCanY(ys[last]) - ring / 2);
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
