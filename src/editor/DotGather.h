#pragma once
// The dots of a path's point markers gathered into one OvalUnion per kind,
// plain and selected: the one pass over every point that drawing the
// markers makes, so it is built for speed. Points are converted to pixels a
// block at a time in vector instructions, and a long path is split
// into contiguous parts gathered on threads of their own and then merged:
// dots of one kind leave their union whatever their order, so the parts'
// unions together are the whole path's.
#include <cstddef>
#include <thread>
#include <vector>

#include "editor/CanvasView.h"
#include "platform/core/ForkJoin.h"
#include "platform/core/Numbers.h"
#include "platform/core/OvalUnion.h"

namespace vantrel {

class DotGather {
 public:
  // Fewer points than this a part are not worth starting a thread for.
  static constexpr std::size_t kMinPointsPerPart = std::size_t{1} << 16;

  struct Dots {
    OvalUnion Plain;
    OvalUnion Chosen;
  };

  // Dots of size d at the pixels view gives, on a width x height surface.
  DotGather(const CanvasView& view, double d, Integer width, Integer height);

  // The top-left corners of the dots of size d centred on the pixels of
  // fs[0..n) on axis: ToInteger(axis.ToCan(f) - d / 2) for each, bit for bit
  // for every Double (NaN, infinities and halves included).
  static void Corners(const CanvasView::Axis& axis, double d, const double* fs,
                      Integer* corners, std::size_t n);

  // The dot of each point of xs, ys in Chosen when selected says so, else in
  // Plain. Splits the points into at most maxParts parts of at least
  // minPointsPerPart points; the calling thread gathers one part and waits
  // for the others, yielding as it goes, so it can still be killed at once.
  Dots Gather(const std::vector<double>& xs, const std::vector<double>& ys,
              const std::vector<bool>& selected, std::size_t minPointsPerPart = kMinPointsPerPart,
              std::size_t maxParts = std::thread::hardware_concurrency()) const;

 private:
  Dots NoDots() const;
  // Points [begin, end) into dots; stops early once goOn() returns false,
  // which it is asked before each block.
  void GatherRange(Dots& dots, const std::vector<double>& xs, const std::vector<double>& ys,
                   const std::vector<bool>& selected, std::size_t begin, std::size_t end,
                   const ForkJoin::GoOn& goOn) const;

  CanvasView::Axis across_;
  CanvasView::Axis down_;
  double d_;
  Integer width_;
  Integer height_;
};

}  // namespace vantrel
