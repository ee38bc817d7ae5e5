#include "model/FracRender.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/LineRaster.h"
#include "platform/core/Thread.h"

namespace vantrel {

namespace {

// A segment subdivides when it is at least 2 pixels long.
constexpr double kShortLength = 2.0;
// A segment longer than this many pixels is dropped, as one whose length
// could not be squared: within a few levels its copies' ends would leave the
// Doubles.
constexpr double kLongestLength = 1e154;
// Most lines a subtree walked in one go holds (estimated from the longest
// copies), so yields stay about as frequent as between single lines.
constexpr UInt64 kInsideWalkLines = 4096;
// Most segments of one depth the survey of skips looks at, so that it costs
// little next to the drawing (some 30 ns a segment).
constexpr std::size_t kSurveySegments = 4096;
// What the walk skips below the first edge segments it enters stands for at
// most this many times as much in the rest, so that one odd segment at the
// start does not sway the reading.
constexpr double kEdgesJudgedFirst = 16.0;

double Square(double v) { return v * v; }

// base^exponent, or the largest UInt64 when that does not fit.
UInt64 SaturatingPower(UInt64 base, Integer exponent) {
  if (base <= 1) {
    return base == 1 || exponent == 0 ? 1 : 0;
  }
  UInt64 result = 1;
  for (Integer i = 0; i < exponent; ++i) {
    if (__builtin_mul_overflow(result, base, &result)) {
      return std::numeric_limits<UInt64>::max();
    }
  }
  return result;
}

// Draws through the raster and shows each line to the tests' observer.
struct ObservedRaster {
  LineRaster& Raster;
  const FracRender::LineObserver& Observer;

  struct Writer {
    LineRaster::UnitPenWriter Pen;
    const FracRender::LineObserver* Observer;
    std::uint16_t* Start(Integer x, Integer y) const { return Pen.Start(x, y); }
    std::uint16_t* Onward(std::uint16_t* from, Integer x1, Integer y1, Integer x2,
                          Integer y2) const {
      (*Observer)(x1, y1, x2, y2);
      return Pen.Onward(from, x1, y1, x2, y2);
    }
  };

  void Line(Integer x1, Integer y1, Integer x2, Integer y2) {
    Observer(x1, y1, x2, y2);
    Raster.Line(x1, y1, x2, y2);
  }
  bool UnitPen() const { return Raster.UnitPen(); }
  Writer UnitPenLines() const { return {Raster.UnitPenLines(), &Observer}; }
  bool WellInside(double left, double top, double right, double bottom) const {
    return Raster.WellInside(left, top, right, bottom);
  }
  bool WellOutside(double left, double top, double right, double bottom) const {
    return Raster.WellOutside(left, top, right, bottom);
  }
};

}  // namespace

FracRender::FracRender(Graphics& G, double X1, double X2, double Y1, double Y2,
                       const std::vector<double>& Xs, const std::vector<double>& Ys, Integer limit)
    : G_(G) {
  MaxIteration_ = std::min(limit, kDepthCeiling);
  // The two arrays always have the same length; should they not, the shorter
  // one bounds the path rather than reading past its end.
  const std::size_t points =
      std::min<std::size_t>(std::min(Xs.size(), Ys.size()),
                            static_cast<std::size_t>(std::numeric_limits<Integer>::max()));
  PointMax_ = static_cast<Integer>(points) - 1;
  if (PointMax_ <= 0) {
    return;
  }
  MapPoints(X1, X2, Y1, Y2, Xs, Ys);
  MeasureChord();
  CapDepth(PrepareCopies());
  PrepareProgress();
  PrepareReach();
  PrepareInsideWalk();
  frames_.resize(static_cast<std::size_t>(std::max(MaxIteration_, 1)));
}

void FracRender::MapPoints(double X1, double X2, double Y1, double Y2,
                           const std::vector<double>& Xs, const std::vector<double>& Ys) {
  const auto count = static_cast<std::size_t>(PointMax_) + 1;
  aX_.resize(count);
  aY_.resize(count);
  const double W = static_cast<double>(G_.Width());
  const double H = static_cast<double>(G_.Height());
  // A view of no width or height, one that is not finite, or a surface of no
  // size has no pixels to map to: such a drawing draws nothing.
  const double scaleX = W / (X2 - X1);
  const double scaleY = H / (Y2 - Y1);
  unmappable_ = !std::isfinite(X1) || !std::isfinite(X2) || !std::isfinite(Y1) ||
                !std::isfinite(Y2) || !std::isfinite(scaleX) || !std::isfinite(scaleY) ||
                scaleX == 0.0 || scaleY == 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    aX_[i] = (Xs[i] - X1) * scaleX;
    aY_[i] = (Ys[i] - Y1) * scaleY;
    unmappable_ = unmappable_ || !std::isfinite(aX_[i]) || !std::isfinite(aY_[i]);
    Yield();
  }
}

// The chord in pixels.
void FracRender::MeasureChord() {
  const auto last = static_cast<std::size_t>(PointMax_);
  Angle_ = std::atan2(aY_[last] - aY_[0], aX_[last] - aX_[0]);
  Length_ = std::sqrt(Square(aY_[0] - aY_[last]) + Square(aX_[0] - aX_[last]));
  // Copies are scaled by segment length over chord length: a chord of no
  // length, or one too long to measure, gives them no scale.
  chordless_ = !(Length_ > 0.0) || !std::isfinite(Length_);
}

// From the depth at which the longest copy is under 2 pixels every segment is
// drawn by the 2-pixel rule, so the limit need go no deeper. The new limit is
// one past that depth (so a limit of n can become n + 1).
void FracRender::CapDepth(double MaxL) {
  if (!(MaxL < Length_)) {
    return;  // a segment as long as the chord: copies never shrink
  }
  const double r = MaxL / Length_;
  double s = Length_;
  for (Integer i = 1; i <= MaxIteration_; ++i) {
    s = s * r;
    if (s < 2.0) {
      MaxIteration_ = i + 1;
      return;
    }
    Yield();
  }
}

// Progress counts segments of depth ProgressIteration, the largest k with
// PointMax^k <= 2^63. Shares are exact integers, so the sum over a whole
// drawing is exactly PointMax^ProgressIteration and rises evenly; sums in
// Doubles lose their low digits and end beside the total.
void FracRender::PrepareProgress() {
  ProgressIteration_ = ToInteger(
      std::floor(std::log(std::pow(2.0, 63.0)) / std::log(static_cast<double>(PointMax_))));
  progressMax_.store(ToUInt64(std::pow(PointMax_, ProgressIteration_)), std::memory_order_relaxed);
  const Integer deepest = std::max(MaxIteration_, 0);
  share_.resize(static_cast<std::size_t>(std::min(deepest, ProgressIteration_)) + 1);
  for (std::size_t k = 0; k < share_.size(); ++k) {
    share_[k] = SaturatingPower(static_cast<UInt64>(PointMax_),
                                ProgressIteration_ - static_cast<Integer>(k));
  }
}

// Copy i of a segment v is v * (L(i) / Length) * e^(i (A(i) - Angle)), L(i)
// and A(i) the length and angle of generator segment i: the rotation by v's
// angle minus the chord's and the scale |v| / Length of the stepwise form,
// folded into one complex factor per generator segment. L(i) and A(i) are
// not kept: the copies are all the walk needs. Returns the longest L(i).
double FracRender::PrepareCopies() {
  const auto segments = static_cast<std::size_t>(PointMax_);
  U_.resize(segments);
  ratio_.resize(segments);
  double MaxL = 0;
  double sumRe = 0;
  double sumIm = 0;
  bool finite = true;
  for (std::size_t i = 0; i < segments; ++i) {
    const double L = std::sqrt(Square(aY_[i] - aY_[i + 1]) + Square(aX_[i] - aX_[i + 1]));
    const double A = std::atan2(aY_[i + 1] - aY_[i], aX_[i + 1] - aX_[i]);
    MaxL = std::max(L, MaxL);
    const double scale = L / Length_;
    ratio_[i] = scale;
    maxRatio_ = std::max(maxRatio_, scale);
    U_[i] = {scale * std::cos(A - Angle_), scale * std::sin(A - Angle_)};
    finite = finite && std::isfinite(U_[i].Re) && std::isfinite(U_[i].Im);
    // How far the points of a copy get from its start, relative to the segment.
    sumRe += U_[i].Re;
    sumIm += U_[i].Im;
    reachRatio_ = std::max(reachRatio_, std::sqrt(Square(sumRe) + Square(sumIm)));
    Yield();
  }
  if (!finite) {
    // A segment too long to measure: no copy is ever known to be short or
    // inside, so every copy is measured (and dropped) one by one.
    maxRatio_ = std::numeric_limits<double>::infinity();
    reachRatio_ = std::numeric_limits<double>::infinity();
  }
  return MaxL;
}

// How far below a segment its lines can reach, level by level from the depth
// limit up: a segment drawn reaches |v| from its start; one subdivided
// reaches, through copy i, the copies before it plus what copy i's own
// subtree reaches. The ratios settle after a few levels for generators whose
// segments are all shorter than the chord, and grow (to infinity, which skips
// nothing) for the others.
void FracRender::PrepareReach() {
  const auto levels = static_cast<std::size_t>(std::max(MaxIteration_, 0));
  subtreeReach_.assign(levels + 1, 1.0);
  for (std::size_t k = levels; k-- > 0;) {
    const double below = subtreeReach_[k + 1];
    double reach = 1.0;
    double beforeRe = 0;
    double beforeIm = 0;
    for (const Similarity& u : U_) {
      reach = std::max(reach, std::hypot(beforeRe, beforeIm) + std::hypot(u.Re, u.Im) * below);
      beforeRe += u.Re;
      beforeIm += u.Im;
    }
    if (!std::isfinite(reach) || !std::isfinite(maxRatio_)) {
      reach = std::numeric_limits<double>::infinity();
    }
    subtreeReach_[k] = reach;
    if (reach == below) {
      std::fill(subtreeReach_.begin(), subtreeReach_.begin() + static_cast<std::ptrdiff_t>(k), reach);
      return;  // settled: every level above is the same
    }
    Yield();
  }
}

// A segment shorter than 2 / r^n pixels, r the longest copy's ratio, has
// copies of its own shorter than 2 pixels n levels down: at most PointMax^n
// lines. Copies that never shrink leave the inside walk unused.
void FracRender::PrepareInsideWalk() {
  if (!(maxRatio_ < 1.0)) {
    return;
  }
  const auto copies = static_cast<UInt64>(PointMax_);
  UInt64 lines = copies;
  double length = kShortLength / maxRatio_;
  while (lines * copies <= kInsideWalkLines) {
    lines *= copies;
    length /= maxRatio_;
  }
  insideLength_ = length;
}

FracRender::~FracRender() = default;

Integer FracRender::ProgressValue(Integer maximum) const noexcept {
  const UInt64 total = ProgressMax();
  if (total == 0) return 0;
  const double done = static_cast<double>(CurrentProgress());
  return ToInteger(done / static_cast<double>(total) * static_cast<double>(maximum));
}

void FracRender::Draw() { DrawOnce(false); }

void FracRender::DrawPath() { DrawOnce(true); }

void FracRender::DrawOnce(bool pathOnly) {
  if (PointMax_ > 0 && !aX_.empty()) {
    // A renderer is kept after its drawing for its progress (the preview's
    // round, a render window's) and draws once: what it holds a point goes
    // as soon as the drawing ends, finished or killed.
    struct ReleaseAtEnd {
      FracRender& Render;
      ~ReleaseAtEnd() { Render.ReleasePath(); }
    } release{*this};
    LineRaster raster(G_);
    if (observer_) {
      ObservedRaster observed{raster, observer_};
      DrawWith(observed, pathOnly);
    } else {
      DrawWith(raster, pathOnly);
    }
    // A finished drawing reads exactly full, whatever the estimate of the
    // work to walk said and although the exact sum, PointMax^ProgressIteration,
    // may differ from ProgressMax, that power as a Double (9^19 loses its last digits).
    shown_ = ProgressMax();
  }
  Publish();
  if (Drawingcomplete) {
    Drawingcomplete();
  }
}

void FracRender::ReleasePath() noexcept {
  std::vector<double>().swap(aX_);
  std::vector<double>().swap(aY_);
  std::vector<Similarity>().swap(U_);
  std::vector<double>().swap(ratio_);
}

template <class Sink>
void FracRender::DrawWith(Sink& sink, bool pathOnly) {
  halfPen_ = static_cast<double>(G_.PenHeight) / 2.0;
  const std::int64_t penArea =
      std::max<std::int64_t>(1, std::int64_t{std::max(G_.PenWidth, 1)} * std::max(G_.PenHeight, 1));
  yieldInterval_ = std::max<std::int64_t>(16, kYieldWork / penArea);
  untilYield_ = yieldInterval_;

  if (unmappable_) {
    return;
  }
  if (pathOnly || (chordless_ && MaxIteration_ > 0)) {
    DrawPathOnce(sink);
  } else {
    Survey(sink);
    Walk(sink);
  }
}

// Before the walk, the subtrees it will skip as outside the picture are found
// level by level, computed and judged as the walk does, so that each one
// found here is skipped there: the reading knows from the start about how
// much is left to walk. The survey looks into the segments across the
// picture's edge (the others have nothing skipped below them) while their
// subtrees hold more lines than one inside walk and their copies fit in
// kSurveySegments, which keeps it small next to the walk; below the edge
// segments it leaves, the walk finds the skips as it goes.
template <class Sink>
void FracRender::Survey(const Sink& sink) {
  if (!shortcuts_.SkipOutside || !(insideLength_ > 0.0)) {
    // Nothing is skipped, or copies that never shrink reach everywhere, so
    // nothing is skipped high up.
    return;
  }
  const auto last = static_cast<std::size_t>(PointMax_);
  std::vector<Segment> level{{aX_[0], aY_[0], aX_[last], aY_[last], Length_}};
  std::vector<Segment> next;
  for (Integer k = 0; !level.empty(); ++k) {
    surveyDepth_ = k;
    next.clear();
    double nextOutside = 0;
    for (const Segment& s : level) {
      double outside = 0;
      if (SurveyBelow(sink, k, s, outside)) {
        next.push_back(s);
        nextOutside += outside;
      } else {
        edgeOutside_ += outside;
      }
    }
    if (k == ProgressIteration_ || next.size() * U_.size() > kSurveySegments) {
      edgeOutside_ += nextOutside;  // the walk will look into these itself
      return;
    }
    level.clear();
    for (const Segment& s : next) {
      const double vx = s.Ex - s.Sx;
      const double vy = s.Ey - s.Sy;
      double px = s.Sx;
      double py = s.Sy;
      for (std::size_t i = 0; i < U_.size(); ++i) {
        const Similarity& u = U_[i];
        const double ex = px + (vx * u.Re - vy * u.Im);
        const double ey = py + (vx * u.Im + vy * u.Re);
        level.push_back({px, py, ex, ey, s.Length * ratio_[i]});
        px = ex;
        py = ey;
      }
    }
    Yield();
  }
}

// Enter's decisions for segment s of depth k, without drawing. A segment the
// walk will skip adds its share to foreseen_; one across the picture's edge
// gets its EdgeOutside in outside, and true when it is long enough to be
// looked into.
template <class Sink>
bool FracRender::SurveyBelow(const Sink& sink, Integer k, const Segment& s, double& outside) {
  const double length = s.Length;
  if (k >= MaxIteration_ || !std::isfinite((s.Ex - s.Sx) + (s.Ey - s.Sy)) ||
      length < kShortLength || !(length <= kLongestLength)) {
    return false;
  }
  const double reach = ReachBelow(k, length);
  if (WillSkip(sink, s.Sx, s.Sy, reach)) {
    AddSaturating(foreseen_, share_[static_cast<std::size_t>(k)]);
    return false;
  }
  outside = EdgeOutside(sink, k, s.Sx, s.Sy, length, reach);
  return outside > 0.0 && length >= insideLength_;
}

// For a segment of depth k the walk subdivides and does not skip: 0 when no
// copy below it can be skipped (its copies are all drawn at once, or it lies
// well inside), otherwise its share times the part of its bounding square
// outside the picture, a guess at what the walk will skip below it.
template <class Sink>
double FracRender::EdgeOutside(const Sink& sink, Integer k, double sx, double sy, double length,
                               double reach) const {
  if (k + 1 >= MaxIteration_ || length * maxRatio_ < kShortLength ||
      sink.WellInside(sx - reach, sy - reach, sx + reach, sy + reach)) {
    return 0.0;
  }
  const auto width = static_cast<double>(G_.Width());
  const auto height = static_cast<double>(G_.Height());
  const double across = std::clamp(sx + reach, 0.0, width) - std::clamp(sx - reach, 0.0, width);
  const double down = std::clamp(sy + reach, 0.0, height) - std::clamp(sy - reach, 0.0, height);
  const double inside = across / (2.0 * reach) * (down / (2.0 * reach));
  // Never quite 0: the walk counts this segment as one across the edge.
  return static_cast<double>(share_[static_cast<std::size_t>(k)]) * std::max(1.0 - inside, 1e-3);
}

// Counts a segment across the picture's edge that the survey did not look
// into as entered by the walk.
template <class Sink>
void FracRender::EnterEdge(const Sink& sink, Integer k, double sx, double sy, double length,
                           double reach) {
  if (Surveyed(k) && (k == surveyDepth_ || length < insideLength_)) {
    edgeOutsideEntered_ += EdgeOutside(sink, k, sx, sy, length, reach);
  }
}

// Whether the survey judged the segment of depth k the walk is at: it looked
// into its parent, frames_[k - 1]. Copies are shorter than their segment, so
// a parent long enough to be looked into had ancestors that were too.
bool FracRender::Surveyed(Integer k) const {
  if (k > surveyDepth_) {
    return false;
  }
  if (k == 0) {
    return true;
  }
  const Frame& parent = frames_[static_cast<std::size_t>(k - 1)];
  return parent.Length >= insideLength_;
}

// Depth first, in path order, with the depth stack in frames_ rather than on
// the thread's stack, so any depth limit fits any thread.
template <class Sink>
void FracRender::Walk(Sink& sink) {
  const auto last = static_cast<std::size_t>(PointMax_);
  if (!Enter(sink, 0, aX_[0], aY_[0], aX_[last], aY_[last], Length_)) {
    return;
  }
  Integer depth = 0;
  while (depth >= 0) {
    Frame& f = frames_[static_cast<std::size_t>(depth)];
    if (f.Next == PointMax_) {
      --depth;
      continue;
    }
    const auto i = static_cast<std::size_t>(f.Next++);
    const Similarity& u = U_[i];
    const double sx = f.Px;
    const double sy = f.Py;
    // The copies chain from the segment's start; the last one's end is where
    // the sum lands, not forced onto the segment's end.
    const double ex = sx + (f.Vx * u.Re - f.Vy * u.Im);
    const double ey = sy + (f.Vx * u.Im + f.Vy * u.Re);
    f.Px = ex;
    f.Py = ey;
    if (Enter(sink, depth + 1, sx, sy, ex, ey, f.Length * ratio_[i])) {
      ++depth;
    }
    Checkpoint(1);
  }
}

// Handles the segment of depth k from (sx, sy) to (ex, ey), `length` pixels
// long: draws it, or pushes it as frames_[k] for subdivision (true).
//
// A segment's length is its parent's times its generator segment's ratio,
// from the chord down, rather than measured from its ends: the same chain of
// products the depth cap follows, so the cap's depth is exactly where the
// longest copies fall under 2 pixels, and whether a subtree reaches the depth
// limit follows from its length alone (ReachesLimit). Measured from the ends,
// a length near 2 pixels would turn on the rounding of positions.
template <class Sink>
bool FracRender::Enter(Sink& sink, Integer k, double sx, double sy, double ex, double ey,
                       double length) {
  if (k >= MaxIteration_) {
    DrawSegment(sink, sx, sy, ex, ey);
    maxed_ = true;
    CountDrawn(k);
    return false;
  }
  const double vx = ex - sx;
  const double vy = ey - sy;
  if (!std::isfinite(vx + vy)) {
    // Ends that are not finite: no copy of it can be drawn. Counting it as
    // done keeps the progress whole.
    CountDrawn(k);
    return false;
  }
  if (length < kShortLength) {
    DrawSegment(sink, sx, sy, ex, ey);
    CountDrawn(k);
    return false;
  }
  if (!(length <= kLongestLength)) {
    CountDrawn(k);
    return false;
  }
  // Every line end of the subtree lies within reach of the start, with a
  // margin for rounding; both shortcuts below judge the subtree by it.
  const double reach = ReachBelow(k, length);
  if (shortcuts_.SkipOutside && SkipOutside(sink, k, sx, sy, length, reach)) {
    return false;
  }
  if (shortcuts_.DrawInside && length < insideLength_ &&
      WalkInside(sink, k, sx, sy, vx, vy, length, reach)) {
    return false;
  }
  if (k == ProgressIteration_) {
    AddProgress(1);
  }
  const Integer child = k + 1;
  // The longest copy is the longest ratio's product: when it is short, all are.
  const bool allShort = length * maxRatio_ < kShortLength;
  if (child >= MaxIteration_ || allShort) {
    DrawLeaves(sink, child, sx, sy, vx, vy, allShort);
    return false;
  }
  if (k <= surveyDepth_) {
    EnterEdge(sink, k, sx, sy, length, reach);
  }
  frames_[static_cast<std::size_t>(k)] = {sx, sy, vx, vy, length, 0};
  return true;
}

// A segment to be subdivided whose every line would lie wholly outside the
// picture is not walked: it is counted as its whole subtree would be, and
// the depth limit is noted when the subtree would have reached it.
template <class Sink>
bool FracRender::SkipOutside(const Sink& sink, Integer k, double sx, double sy, double length,
                             double reach) {
  if (!WillSkip(sink, sx, sy, reach)) {
    return false;
  }
  if (!maxed_) {
    maxed_ = ReachesLimit(k, length);
  }
  CountSkipped(k);
  return true;
}

// Whether the subtree of a segment starting at (sx, sy), whose line ends lie
// within reach of it, is skipped: the walk and the survey ask alike. One
// that reaches past kLongestLength from the origin is walked: there the
// walk may drop copies whose ends leave the Doubles, which lengths do not
// foresee.
template <class Sink>
bool FracRender::WillSkip(const Sink& sink, double sx, double sy, double reach) const {
  return sink.WellOutside(sx - reach, sy - reach, sx + reach, sy + reach) &&
         std::fabs(sx) + std::fabs(sy) + reach <= kLongestLength;
}

// A skipped subtree counts as drawn; the reading leaves its share out. One
// the survey did not judge is less work left to walk from now on.
void FracRender::CountSkipped(Integer k) {
  if (k > ProgressIteration_) {
    return;
  }
  const UInt64 share = share_[static_cast<std::size_t>(k)];
  AddProgress(share);
  AddSaturating(skipped_, share);
  if (!Surveyed(k)) {
    AddSaturating(unforeseen_, share);
  }
}

// A short segment to be subdivided whose every line lies well inside the
// picture, drawn by a 1-pixel pen, is walked in one go: no bounds, clipping
// or counters per node, and line ends converted by truncation. Its subtree's
// progress share is added at once; the lines and their order are those of
// the walk through Enter.
template <class Sink>
bool FracRender::WalkInside(Sink& sink, Integer k, double sx, double sy, double vx, double vy,
                            double length, double reach) {
  if (!sink.UnitPen()) {
    return false;
  }
  if (!sink.WellInside(sx - reach, sy - reach, sx + reach, sy + reach)) {
    return false;
  }
  InsideTally tally;
  if (length * maxRatio_ < kShortLength) {
    DrawCopiesInside(sink.UnitPenLines(), sx, sy, vx, vy);
    tally = {static_cast<UInt64>(PointMax_), k + 1 >= MaxIteration_};
  } else {
    SubdivideInside(sink, sink.UnitPenLines(), k, sx, sy, vx, vy, length, tally);
  }
  lines_ += tally.Lines;
  maxed_ = maxed_ || tally.Maxed;
  CountDrawn(k);
  Checkpoint(static_cast<std::int64_t>(tally.Lines));
  return true;
}

// Enter and DrawLeaves for the copies of a segment of depth k inside the
// picture whose copies are not all short, with the same arithmetic, so the
// same lines in the same order. Copies whose own copies are all short are
// drawn here rather than in a call of their own: most of the nodes.
template <class Sink, class Writer>
void FracRender::SubdivideInside(Sink& sink, const Writer& pen, Integer k, double sx, double sy,
                                 double vx, double vy, double length, InsideTally& tally) const {
  const Integer child = k + 1;
  tally.Maxed = tally.Maxed || child >= MaxIteration_;
  const bool grandchildMaxed = child + 1 >= MaxIteration_;
  double px = sx;
  double py = sy;
  for (std::size_t i = 0; i < U_.size(); ++i) {
    const Similarity& u = U_[i];
    const double ex = px + (vx * u.Re - vy * u.Im);
    const double ey = py + (vx * u.Im + vy * u.Re);
    const double cx = ex - px;
    const double cy = ey - py;
    const double childLength = length * ratio_[i];
    if (child >= MaxIteration_ || childLength < kShortLength) {
      sink.Line(static_cast<Integer>(px), static_cast<Integer>(py), static_cast<Integer>(ex),
                static_cast<Integer>(ey));
      ++tally.Lines;
    } else if (childLength * maxRatio_ < kShortLength) {
      DrawCopiesInside(pen, px, py, cx, cy);
      tally.Lines += static_cast<UInt64>(PointMax_);
      tally.Maxed = tally.Maxed || grandchildMaxed;
    } else {
      SubdivideInside(sink, pen, child, px, py, cx, cy, childLength, tally);
    }
    px = ex;
    py = ey;
  }
}

// Whether the subtree of a segment of depth k and this length, at least 2
// pixels and being subdivided, reaches the depth limit M. A copy's length is
// its parent's times its ratio, rounded, and that product grows with either
// factor: the copies along the longest ratio are the longest of their depth,
// bit for bit. Some segment of depth M - 1 is then subdivided (and its
// copies drawn at the limit) exactly when those longest copies of depths
// k + 1 to M - 1 all are at least 2 pixels long.
bool FracRender::ReachesLimit(Integer k, double length) const {
  if (!(maxRatio_ < 1.0)) {
    return true;  // the longest copies never shrink
  }
  double longest = length;
  for (Integer depth = k + 1; depth < MaxIteration_; ++depth) {
    longest *= maxRatio_;
    if (longest < kShortLength) {
      return false;
    }
  }
  return true;
}

// Draws every copy on the segment (sx, sy) + (vx, vy); the copies are of
// depth k and each is drawn, by the 2-pixel rule (allShort) or the depth
// limit. Nearly all the lines of a drawing come from here.
template <class Sink>
void FracRender::DrawLeaves(Sink& sink, Integer k, double sx, double sy, double vx, double vy,
                            bool allShort) {
  if (allShort) {
    // Every point of the copies lies within reachRatio_ |v| of the start;
    // |vx| + |vy| bounds |v| without a square root.
    const double reach = (std::fabs(vx) + std::fabs(vy)) * reachRatio_ * (1.0 + 1e-9) + 1e-6;
    const double left = sx - reach;
    const double top = sy - reach;
    const double right = sx + reach;
    const double bottom = sy + reach;
    if (shortcuts_.DrawInside && sink.UnitPen() && sink.WellInside(left, top, right, bottom)) {
      DrawLeavesInside(sink, k, sx, sy, vx, vy);
      return;
    }
    if (shortcuts_.SkipOutside && sink.WellOutside(left, top, right, bottom)) {
      CountLeaves(k);
      return;
    }
  }
  const double h = halfPen_;
  const UInt64 share = k <= ProgressIteration_ ? share_[static_cast<std::size_t>(k)] : 0;
  // Copies near the edges, of wider pens or cut by the depth limit. The
  // counters live in locals and go back to the object at each checkpoint.
  UInt64 progress = progress_;
  UInt64 lines = lines_;
  std::int64_t untilYield = untilYield_;
  Integer x = 0;
  Integer y = 0;
  // Each copy starts where the last one ended, so each end converts once.
  bool startOk = LineRaster::ToPixel(sx - h, x) & LineRaster::ToPixel(sy - h, y);
  double px = sx;
  double py = sy;
  for (const Similarity& u : U_) {
    const double ex = px + (vx * u.Re - vy * u.Im);
    const double ey = py + (vx * u.Im + vy * u.Re);
    Integer x2 = 0;
    Integer y2 = 0;
    const bool endOk = LineRaster::ToPixel(ex - h, x2) & LineRaster::ToPixel(ey - h, y2);
    if (startOk && endOk) [[likely]] {
      sink.Line(x, y, x2, y2);
    }
    ++lines;
    if (__builtin_add_overflow(progress, share, &progress)) {
      progress = std::numeric_limits<UInt64>::max();
    }
    px = ex;
    py = ey;
    x = x2;
    y = y2;
    startOk = endOk;
    if (--untilYield <= 0) [[unlikely]] {
      progress_ = progress;
      lines_ = lines;
      untilYield_ = 0;
      Checkpoint(0);
      untilYield = untilYield_;
    }
  }
  progress_ = progress;
  lines_ = lines;
  untilYield_ = untilYield;
  if (k >= MaxIteration_) {
    maxed_ = true;
  }
}

// DrawLeaves for short copies of a 1-pixel pen well inside the picture,
// where ends convert by truncation and lines need no clipping: the loop
// that most drawings spend their time in.
template <class Sink>
void FracRender::DrawLeavesInside(const Sink& sink, Integer k, double sx, double sy, double vx,
                                  double vy) {
  DrawCopiesInside(sink.UnitPenLines(), sx, sy, vx, vy);
  CountLeaves(k);
}

// Draws the copies on the segment (sx, sy) + (vx, vy), all shorter than 2
// pixels and well inside the picture, with a 1-pixel pen.
template <class Writer>
[[gnu::always_inline]] inline void FracRender::DrawCopiesInside(const Writer& pen, double sx,
                                                                double sy, double vx,
                                                                double vy) const {
  // The writer in a local copy, so that no pixel store makes the compiler
  // fetch its fields again.
  const Writer local = pen;
  const Similarity* u = U_.data();
  const Similarity* const end = u + U_.size();
  Integer x = static_cast<Integer>(sx);
  Integer y = static_cast<Integer>(sy);
  std::uint16_t* at = local.Start(x, y);
  double px = sx;
  double py = sy;
  for (; u != end; ++u) {
    const double ex = px + (vx * u->Re - vy * u->Im);
    const double ey = py + (vx * u->Im + vy * u->Re);
    const Integer x2 = static_cast<Integer>(ex);
    const Integer y2 = static_cast<Integer>(ey);
    // Each line starts on the pixel the last one ended on.
    at = local.Onward(at, x, y, x2, y2);
    px = ex;
    py = ey;
    x = x2;
    y = y2;
  }
}

// Counts the PointMax copies of depth k as drawn (lines and progress).
void FracRender::CountLeaves(Integer k) {
  const auto copies = static_cast<UInt64>(PointMax_);
  lines_ += copies;
  if (k <= ProgressIteration_) {
    UInt64 added = 0;
    if (__builtin_mul_overflow(share_[static_cast<std::size_t>(k)], copies, &added)) {
      added = std::numeric_limits<UInt64>::max();
    }
    AddProgress(added);
  }
  if (k >= MaxIteration_) {
    maxed_ = true;
  }
  Checkpoint(PointMax_);
}

// Draws one segment with the pen's top-left corner half a pen above and to
// the left of the true line; ends that are not a number have no pixel.
template <class Sink>
void FracRender::DrawSegment(Sink& sink, double sx, double sy, double ex, double ey) {
  const double h = halfPen_;
  Integer x1 = 0;
  Integer y1 = 0;
  Integer x2 = 0;
  Integer y2 = 0;
  if (LineRaster::ToPixel(sx - h, x1) & LineRaster::ToPixel(sy - h, y1) &
      LineRaster::ToPixel(ex - h, x2) & LineRaster::ToPixel(ey - h, y2)) {
    sink.Line(x1, y1, x2, y2);
  }
  ++lines_;
}

// A path whose ends coincide has nothing to replace: it is drawn as it
// stands, once, and reported as complete so that no deeper round is tried.
template <class Sink>
void FracRender::DrawPathOnce(Sink& sink) {
  for (std::size_t i = 0; i + 1 < aX_.size(); ++i) {
    DrawSegment(sink, aX_[i], aY_[i], aX_[i + 1], aY_[i + 1]);
    Checkpoint(1);
  }
}

// The share walked out of the share expected to be walked: the whole less
// the skips foreseen, those found since, and those still expected in the
// segments across the edge not entered yet, in the proportion found in the
// ones entered. The expectation ends at what was walked, so a finished walk
// reads full; a reading that would go back stays where it was.
UInt64 FracRender::ShownProgress() const {
  const UInt64 max = ProgressMax();
  if (skipped_ == 0 && foreseen_ == 0) {
    // The exact count can pass ProgressMax, the rounded total, by a few
    // units near the end; the reading never does.
    return std::min(progress_, max);
  }
  const double edges = edgeOutside_;
  const double entered = edgeOutsideEntered_;
  const auto found = static_cast<double>(unforeseen_);
  double outside = static_cast<double>(foreseen_) + found;
  if (entered > 0.0 && edges > entered) {
    // The edges not entered yet skip as much for their guess as those entered.
    outside += found * (edges - entered) / std::max(entered, edges / kEdgesJudgedFirst);
  }
  const double walked = static_cast<double>(progress_ - std::min(skipped_, progress_));
  const double expected = std::max(static_cast<double>(share_[0]) - outside, walked);
  if (!(expected > 0.0) || max == 0) {
    return 0;
  }
  // Full is for the finished drawing alone.
  return std::min(ToUInt64(walked / expected * static_cast<double>(max)), max - 1);
}

void FracRender::Publish() {
  shown_ = std::max(shown_, ShownProgress());
  currentProgress_.store(shown_, std::memory_order_relaxed);
  linesDrawn_.store(lines_, std::memory_order_relaxed);
  if (maxed_) {
    iterationMaxed_.store(true, std::memory_order_relaxed);
  }
}

void FracRender::Checkpoint(std::int64_t work) {
  untilYield_ -= work;
  if (untilYield_ <= 0) {
    untilYield_ = yieldInterval_;
    Publish();
    Yield();
  }
}

}  // namespace vantrel
