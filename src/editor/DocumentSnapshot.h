#pragma once
// What a worker thread may read of a document: an immutable copy of the
// points, their selection flags, the view rectangle with the canvas size it
// maps to, and the settings. The document builds one on the event thread
// whenever it changes (DocumentModel::PublishSnapshot); workers load the
// newest with DocumentModel::Snapshot and never see the live vectors.
#include <memory>
#include <vector>

#include "editor/CanvasView.h"
#include "platform/core/Numbers.h"

namespace vantrel {

class Graphics;
class SettingSet;

class DocumentSnapshot {
  // Immutable, so snapshots may share them: a change of selection alone
  // then copies no coordinates. Declared before the references to them.
  using Coordinates = std::shared_ptr<const std::vector<double>>;
  Coordinates xpoints_;
  Coordinates ypoints_;

 public:
  // An empty document on a one-pixel canvas with a new, all-zero settings set.
  DocumentSnapshot();
  DocumentSnapshot(std::vector<double> xpoints, std::vector<double> ypoints,
                   std::vector<bool> selectedPoints, const CanvasView& view,
                   std::shared_ptr<const SettingSet> settings);
  // A snapshot of xpoints and ypoints that shares the vectors of previous
  // when they hold the same values, bit for bit.
  DocumentSnapshot(const DocumentSnapshot& previous, const std::vector<double>& xpoints,
                   const std::vector<double>& ypoints, std::vector<bool> selectedPoints,
                   const CanvasView& view, std::shared_ptr<const SettingSet> settings);
  DocumentSnapshot(const DocumentSnapshot&) = default;
  DocumentSnapshot& operator=(const DocumentSnapshot&) = delete;

  const std::vector<double>& Xpoints;
  const std::vector<double>& Ypoints;
  const std::vector<bool> SelectedPoints;
  // The view rectangle and the canvas size at the moment of publishing.
  const CanvasView View;
  // Never null.
  const std::shared_ptr<const SettingSet> Settings;

  // The document's conversions on this copy of the view and canvas size.
  double CanToFracX(Integer x) const noexcept { return View.CanToFracX(x); }
  double CanToFracY(Integer y) const noexcept { return View.CanToFracY(y); }
  Integer FracToCanX(double fx) const noexcept { return View.FracToCanX(fx); }
  Integer FracToCanY(double fy) const noexcept { return View.FracToCanY(fy); }

  // The point markers of these points, as DocumentModel::DrawPoints draws them.
  void DrawPoints(Graphics& g) const;
};

}  // namespace vantrel
