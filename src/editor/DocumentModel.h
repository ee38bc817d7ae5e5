#pragma once
// Everything of a document that needs no window: the path of points with its
// selection flags, the view rectangle that maps the canvas to fractal
// coordinates, the settings, the file and name, the modified flag and the
// working state of the canvas tools, with the operations that edit them.
//
// The document window derives from it and supplies the hooks: the canvas
// size, the preview restart and the title and menu effects of Changed. All of
// it runs on the event thread; worker threads read only the immutable
// snapshots it publishes (Snapshot), never the fields below.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "editor/CanvasView.h"
#include "platform/core/FolderItem.h"
#include "platform/core/Numbers.h"

namespace vantrel {

class DocumentSnapshot;
class Graphics;
class SettingSet;

// What one point costs at the worst moment of an open, busy document: Revert
// To Saved reading the file again while a render draws and the preview draws
// a round. In Doubles: two in the document, two in the newest snapshot and
// two in the older one a render holds (snapshots share coordinates that have
// not changed, so that one costs nothing unless the path changed since the
// render began), under four in the reader's vectors at the limit (3.44 as
// they double, 3.75 as they are cut to fit; a Split's new path, two, is the
// lesser case), and five in each of two renderers (the mapped path, and each
// copy's factor and ratio): the preview's, whose round lets go of them before
// the path is drawn over it by a renderer of its own, and the render's, which
// lets go once drawn though its window keeps it. 20 Doubles, 160 bytes, and a
// byte for the selection flags, a bit each in the document and its snapshots.
// The count is for one render drawing: each more drawing at the same time
// adds its renderer's five, and two for its snapshot if the path changed.
inline constexpr std::size_t kBytesPerPoint = (3 * 2 + 4 + 2 * 5) * sizeof(double) + 1;
// The most points a document holds: 1 GiB over the 176 bytes a point was
// first counted at. Stored files rely on it, so it stays, and the count above
// must keep within that budget (0.91 GiB at the limit). The reader, the
// writer and every command that adds points keep to it, so whatever is saved
// opens again.
inline constexpr std::size_t kMaxDocumentPoints = 6'100'805;
static_assert(kMaxDocumentPoints * kBytesPerPoint <= std::size_t{1} << 30,
              "a document at the point limit must fit the 1 GiB budget the limit was set by");
// The sentence that tells the user that limit, wherever it stops something.
std::string PointLimitText();

class DocumentModel {
 public:
  // Zoom factors are kept at or above this: the wheel's 1 - deltaY / 50
  // reaches it at deltaY 49 and would turn the view over beyond.
  static constexpr double kMinZoomFactor = 1.0 / 50.0;

  DocumentModel();
  virtual ~DocumentModel();
  DocumentModel(const DocumentModel&) = delete;
  DocumentModel& operator=(const DocumentModel&) = delete;

  // The view rectangle: fractal x at the canvas's left and right edges, y at
  // its top and bottom edges (y grows downward, as on the canvas).
  double X1 = 0.0;
  double X2 = 0.0;
  double Y1 = 0.0;
  double Y2 = 0.0;
  // Never null: a new model starts with a new (all-zero) set.
  std::shared_ptr<SettingSet> CurrentSettings;
  // The path, in path order; the three vectors always have the same length.
  std::vector<double> Xpoints;
  std::vector<double> Ypoints;
  std::vector<bool> SelectedPoints;
  // The canvas size the view rectangle was last fitted to.
  Integer OldCanSizeX = 0;
  Integer OldCanSizeY = 0;
  // Drag anchor in fractal coordinates (Pan tool, moving the selection).
  double PanX = 0.0;
  double PanY = 0.0;
  bool Panning = false;
  bool ClickedPoint = false;
  // The file the document was read from or last written to; none while never saved.
  std::optional<FolderItem> CurrentFile;
  // While true, a settings window that opens writes its defaults into
  // CurrentSettings (a new document); afterwards it shows them.
  bool LoadDefaulySettings = true;
  // While true, Preview returns at once.
  bool InhibitPreview = false;
  double SelectRegionX2 = 0.0;
  double SelectRegionY2 = 0.0;
  double SelectRegionX1 = 0.0;
  double SelectRegionY1 = 0.0;
  // The window title without its trailing "*".
  std::string Name;

  // The modified flag, and its only writer: sets the flag, then lets the
  // window update its title and menu items (OnChanged).
  bool Changed() const noexcept { return changed_; }
  void Changed(bool b);
  // How many times the document has been marked changed: a save made from a
  // snapshot clears the "*" only when no change came after the snapshot.
  std::uint64_t Edits() const noexcept { return edits_; }

  // Restarts the preview. Unless InhibitPreview is set, the window first
  // fits its canvas (OnFitCanvas) and the view is refitted should the
  // canvas size have changed. Then one snapshot of the state is published
  // and, unless inhibited, the window starts its thread from it (OnPreview).
  void Preview();

  // Canvas pixels to fractal coordinates and back, on the current view and
  // canvas size. Any input is safe: results that leave the Integer range
  // saturate, and a collapsed view maps everything to pixel 0.
  double CanToFracX(Integer x) const;
  double CanToFracY(Integer y) const;
  Integer FracToCanX(double fx) const;
  Integer FracToCanY(double fy) const;
  CanvasView CurrentView() const;

  // The nearest grid line, at the live "lines per unit" settings. A density
  // that is 0, negative or not finite leaves the coordinate as it is.
  double SnapToGridX(double x) const;
  double SnapToGridY(double y) const;

  // Divides the view's extent by factor: centred on (cx, cy), or keeping
  // (cx, cy) under the same pixel. Factors at or below 0 are raised to
  // kMinZoomFactor; a zoom whose result is not a sound view (a NaN factor,
  // deeper or farther out than Doubles can follow) leaves the view as it is.
  void Zoom(double cx, double cy, double factor, bool centered);
  // Refits the view from the canvas size it was last fitted to
  // (OldCanSizeX/Y) to the canvas's current size, keeping pixels square,
  // and publishes. FitViewToCanvas does the same without publishing, for
  // callers that publish once the rest of their edit is done.
  void Resized();
  void FitViewToCanvas();

  // True when count more points fit within kMaxDocumentPoints.
  bool HasRoomFor(std::size_t count) const noexcept;
  // index -1 appends; 0 to the number of points inserts before that index
  // (any other index appends). The new point is unselected; overlaps with
  // its neighbours are removed. A full document changes nothing (false).
  bool AddPoint(double x, double y, Integer index);
  // Removes point i; an index out of range changes nothing.
  void RemovePoint(Integer i);
  // Removes every selected point in one pass, keeping the others in order,
  // marks the document changed when any went, and restarts the preview
  // (even when none was selected). The number of points removed.
  std::size_t RemoveSelected();
  // Collapses every run of consecutive equal points to its first point,
  // which stays selected when any point of the run was.
  void RemoveOverlaps();
  void Clear();
  // Scales the points (all, or only the selected ones) about the centre of
  // their bounding box, each axis by its own factor.
  void Scale(double fx, double fy, bool selectedOnly);

  // The point markers on the live document (event thread only; the preview
  // thread draws them from its snapshot).
  void DrawPoints(Graphics& g) const;

  // Builds an immutable snapshot of the points, selection, view, canvas size
  // and a settings copy, and makes it the newest. Event thread; every
  // operation above that changes the document calls it, and the window calls
  // it after changing the settings or the fields directly.
  void PublishSnapshot();
  // The newest snapshot, never null. Safe from any thread.
  std::shared_ptr<const DocumentSnapshot> Snapshot() const;
  // How many snapshots have been published. Each one of a large document
  // costs a pass over its points, so an edit publishes once; tests count.
  std::uint64_t Publications() const noexcept { return publications_; }

  // The current size of the drawing canvas, in pixels (supplied by the window).
  virtual Integer CanvasWidth() const = 0;
  virtual Integer CanvasHeight() const = 0;

 protected:
  // The window's parts of Preview: fitting the canvas to the window before
  // the snapshot is taken, and restarting the thread from it afterwards.
  // Neither is called while InhibitPreview is set.
  virtual void OnFitCanvas() {}
  virtual void OnPreview() {}
  // The window's part of Changed (title, Save and Revert To Saved items).
  virtual void OnChanged(bool /*changed*/) {}
  // RemoveOverlaps without publishing or marking the change, for edits that
  // publish once at their end; the number of points removed.
  std::size_t CollapseOverlaps();

 private:
  double SnapToGrid(double value, double density) const;
  // CurrentSettings, or an all-zero set should the window ever clear it.
  const SettingSet& SettingsOrNone() const;
  void KeepParallel();
  void InsertPoint(std::size_t index, double x, double y);
  void ErasePoint(std::size_t index);

  bool changed_ = false;
  std::uint64_t edits_ = 0;
  std::uint64_t publications_ = 0;
  mutable std::mutex snapshotMutex_;
  std::shared_ptr<const DocumentSnapshot> snapshot_;
};

}  // namespace vantrel
