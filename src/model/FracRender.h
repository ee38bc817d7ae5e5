#pragma once
// Draws the fractal of one point path (the generator) into one surface: the
// chord from the path's first to its last point is replaced by the whole path,
// every segment of that copy again by a scaled and rotated copy, depth first
// in path order, until a segment is shorter than 2 pixels or the depth limit
// is reached; only those final segments are drawn.
//
// One object serves one drawing, in the caller's thread. Callers set the
// surface's ForeColor, PenWidth and PenHeight, call Draw once, then read
// IterationMaxed. CurrentProgress and ProgressMax may be read from any thread
// while Draw runs (the progress timers do); a kill at one of Draw's yields
// leaves them as they were last published.
#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "platform/core/Graphics.h"
#include "platform/core/Numbers.h"

namespace vantrel {

class FracRender {
 public:
  // The program asks for at most 500 levels; a larger limit is taken as this
  // many, which keeps the depth stack bounded whatever a caller passes.
  static constexpr Integer kDepthCeiling = 10000;
  // Work units (segments drawn or subdivided) between yields with a 1-pixel
  // pen: a few tens of microseconds, so a kill or pause takes effect at once.
  // A wider pen costs more per line and yields after proportionally fewer.
  static constexpr std::int64_t kYieldWork = 4096;

  // X1, X2, Y1, Y2: the fractal coordinates of the surface's left, right, top
  // and bottom edges (y grows downward). Xs and Ys: the path, index 0 first.
  // Prepares everything Draw needs and draws nothing.
  FracRender(Graphics& G, double X1, double X2, double Y1, double Y2, const std::vector<double>& Xs,
             const std::vector<double>& Ys, Integer limit);
  FracRender(const FracRender&) = delete;
  FracRender& operator=(const FracRender&) = delete;
  ~FracRender();

  // Draws the whole fractal, then raises Drawingcomplete. The path is let go
  // of at its end: a second call draws nothing.
  void Draw();
  // Draws the path's own segments, each once, then raises Drawingcomplete,
  // whatever the depth limit: the editor's picture of the path, which shows
  // also where the fractal has nothing to draw, as for ends under 2 pixels
  // apart. The path is let go of as by Draw.
  void DrawPath();

  // Progress out of ProgressMax, which counts the segments of depth
  // ProgressIteration; a finished drawing ends exactly at ProgressMax (both 0
  // for a path of fewer than two points), and the reading never goes back.
  // Copies skipped as outside the picture cost next to nothing, so their
  // share is not shown when they are passed: the reading is the share walked
  // so far out of the share expected to be walked, which grows with the work
  // done. Where nothing is skipped it is the count itself.
  UInt64 CurrentProgress() const noexcept {
    return currentProgress_.load(std::memory_order_relaxed);
  }
  UInt64 ProgressMax() const noexcept { return progressMax_.load(std::memory_order_relaxed); }
  // Where the progress puts a bar that runs from 0 to maximum; 0 while
  // nothing has been counted (a path of fewer than two points never is).
  Integer ProgressValue(Integer maximum) const noexcept;
  // True when the depth limit, not the 2-pixel rule, ended some branch.
  bool IterationMaxed() const noexcept { return iterationMaxed_.load(std::memory_order_relaxed); }

  // Raised by Draw when it has finished.
  std::function<void()> Drawingcomplete;

  Integer PointMax() const noexcept { return PointMax_; }
  // The depth limit after the constructor's cap.
  Integer MaxIteration() const noexcept { return MaxIteration_; }
  Integer ProgressIteration() const noexcept { return ProgressIteration_; }
  // Segments drawn so far (lines whose ends have no pixel included). Those
  // of a subtree skipped as lying wholly outside the picture are not counted,
  // but the last level's copies are, even when skipped for the same reason.
  UInt64 LinesDrawn() const noexcept { return linesDrawn_.load(std::memory_order_relaxed); }

  // For tests: sees every line as it is drawn, in pixels after conversion.
  using LineObserver = std::function<void(Integer x1, Integer y1, Integer x2, Integer y2)>;
  void ObserveLines(LineObserver observer) { observer_ = std::move(observer); }

  // For tests: the walk's shortcuts, each of which must leave the lines, the
  // picture, the progress and IterationMaxed as the plain walk has them.
  struct Shortcuts {
    bool SkipOutside = true;  // subtrees wholly outside the picture are not walked
    bool DrawInside = true;   // lines well inside the picture skip the clipping
  };
  void UseShortcuts(Shortcuts shortcuts) { shortcuts_ = shortcuts; }

 private:
  // Segment i of the generator as a multiplier of the segment it replaces
  // (complex numbers: scale and rotation in one).
  struct Similarity {
    double Re;
    double Im;
  };
  // A segment being subdivided: where its next copy starts, its own vector,
  // its length, and the index of that next copy.
  struct Frame {
    double Px;
    double Py;
    double Vx;
    double Vy;
    double Length;
    Integer Next;
  };
  void MapPoints(double X1, double X2, double Y1, double Y2, const std::vector<double>& Xs,
                 const std::vector<double>& Ys);
  void MeasureChord();
  double PrepareCopies();
  void CapDepth(double MaxL);
  void PrepareProgress();

  // A segment from (Sx, Sy) to (Ex, Ey), as the survey holds it.
  struct Segment {
    double Sx;
    double Sy;
    double Ex;
    double Ey;
    double Length;  // carried down from the chord, as the walk does
  };
  template <class Sink>
  void Survey(const Sink& sink);
  template <class Sink>
  bool SurveyBelow(const Sink& sink, Integer k, const Segment& s, double& outside);
  template <class Sink>
  double EdgeOutside(const Sink& sink, Integer k, double sx, double sy, double length,
                     double reach) const;
  template <class Sink>
  void EnterEdge(const Sink& sink, Integer k, double sx, double sy, double length, double reach);
  bool Surveyed(Integer k) const;
  template <class Sink>
  void Walk(Sink& sink);
  template <class Sink>
  bool Enter(Sink& sink, Integer k, double sx, double sy, double ex, double ey, double length);
  template <class Sink>
  void DrawLeaves(Sink& sink, Integer k, double sx, double sy, double vx, double vy, bool allShort);
  template <class Sink>
  void DrawLeavesInside(const Sink& sink, Integer k, double sx, double sy, double vx, double vy);
  template <class Writer>
  void DrawCopiesInside(const Writer& pen, double sx, double sy, double vx, double vy) const;
  void CountLeaves(Integer k);
  template <class Sink>
  bool WillSkip(const Sink& sink, double sx, double sy, double reach) const;
  template <class Sink>
  bool SkipOutside(const Sink& sink, Integer k, double sx, double sy, double length,
                   double reach);
  template <class Sink>
  bool WalkInside(Sink& sink, Integer k, double sx, double sy, double vx, double vy,
                  double length, double reach);
  // Lines drawn by one WalkInside, and whether the depth limit cut any.
  struct InsideTally {
    UInt64 Lines = 0;
    bool Maxed = false;
  };
  template <class Sink, class Writer>
  void SubdivideInside(Sink& sink, const Writer& pen, Integer k, double sx, double sy, double vx,
                       double vy, double length, InsideTally& tally) const;
  // Whether the subtree of a segment of depth k and this length, being
  // subdivided, reaches the depth limit somewhere.
  bool ReachesLimit(Integer k, double length) const;
  void PrepareReach();
  // Every line end below a segment of depth k and this length that is being
  // subdivided lies within this distance of its start, rounding included.
  double ReachBelow(Integer k, double length) const {
    return length * subtreeReach_[static_cast<std::size_t>(k)] * (1.0 + 1e-9) + 1e-6;
  }
  void PrepareInsideWalk();
  // Frees the mapped path and the copies, all that is held a point.
  void ReleasePath() noexcept;
  template <class Sink>
  void DrawSegment(Sink& sink, double sx, double sy, double ex, double ey);
  template <class Sink>
  void DrawPathOnce(Sink& sink);
  template <class Sink>
  void DrawWith(Sink& sink, bool pathOnly);
  void DrawOnce(bool pathOnly);
  // A segment drawn (or dropped) at depth k stands for PointMax^(ProgressIteration - k)
  // segments of the progress depth.
  void CountDrawn(Integer k) {
    if (k <= ProgressIteration_) {
      AddProgress(share_[static_cast<std::size_t>(k)]);
    }
  }
  void AddProgress(UInt64 amount) { AddSaturating(progress_, amount); }
  static void AddSaturating(UInt64& sum, UInt64 amount) {
    if (__builtin_add_overflow(sum, amount, &sum)) {
      sum = std::numeric_limits<UInt64>::max();
    }
  }
  void CountSkipped(Integer k);
  UInt64 ShownProgress() const;
  void Publish();
  void Checkpoint(std::int64_t work);

  Graphics& G_;
  std::vector<double> aX_;
  std::vector<double> aY_;
  double Angle_ = 0;
  double Length_ = 0;
  Integer PointMax_ = 0;
  Integer MaxIteration_ = 0;
  Integer ProgressIteration_ = 0;
  // Nothing drawable: the view or the path maps to coordinates that are not finite.
  bool unmappable_ = false;
  // The chord has no usable length (0, or not finite): copies have no scale.
  bool chordless_ = false;

  std::vector<Similarity> U_;
  std::vector<double> ratio_;  // a copy's length over its segment's
  double maxRatio_ = 0;        // largest ratio_, the depth cap's ratio
  double reachRatio_ = 0;      // largest |U_0 + ... + U_i|
  // subtreeReach_[k]: every line end below a segment v of depth k that is
  // subdivided lies within subtreeReach_[k] |v| of its start.
  std::vector<double> subtreeReach_;
  // Segments shorter than this whose subtree lies well inside the picture
  // are walked in one go: their subtrees hold a few thousand lines.
  double insideLength_ = 0;
  std::vector<UInt64> share_;  // progress share of a segment drawn at depth k
  std::vector<Frame> frames_;  // frames_[k]: the segment of depth k being subdivided
  double halfPen_ = 0;
  std::int64_t yieldInterval_ = 1;
  std::int64_t untilYield_ = 1;
  bool maxed_ = false;
  UInt64 lines_ = 0;
  UInt64 progress_ = 0;
  // Of progress_, the shares of subtrees skipped as outside the picture.
  UInt64 skipped_ = 0;
  // Shares the walk is expected to skip: found by the survey before it
  // (depths 0 to surveyDepth_), and found by the walk below the segments the
  // survey did not look into.
  UInt64 foreseen_ = 0;
  UInt64 unforeseen_ = 0;
  Integer surveyDepth_ = -1;
  // Guesses at what the walk will skip below the segments across the
  // picture's edge that the survey did not look into (EdgeOutside), for all
  // of them and for those the walk has entered so far: what it found in
  // these tells how much the rest will skip.
  double edgeOutside_ = 0;
  double edgeOutsideEntered_ = 0;
  UInt64 shown_ = 0;  // the reading last published
  LineObserver observer_;
  Shortcuts shortcuts_;

  std::atomic<UInt64> currentProgress_{0};
  std::atomic<UInt64> progressMax_{0};
  std::atomic<bool> iterationMaxed_{false};
  std::atomic<UInt64> linesDrawn_{0};
};

}  // namespace vantrel
