#pragma once
// The pixels that any number of filled circles of one size cover together on
// a surface, found in time that follows the surface rather than the number of
// circles times their area. Circles of one colour leave exactly their union
// whatever order they are drawn in, so a crowd of same-size dots can be drawn
// as this union's row runs, pixel for pixel what one FillOval per dot gives.
//
// A pixel lies in the circle of box (x, y, size, size) when its centre is
// within size/2 of the box's centre (Graphics' oval rule for a square box).
// So in each row a circle covers one run centred on its own centre column,
// and of the circles centred in one column the one whose centre is nearest
// that row covers a run containing all the others' runs there. The union is
// built column by column from those nearest circles: work in proportion to
// (width + size) x height, plus a constant per circle added. Circles whose
// box misses the surface are dropped as they are added.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "Numbers.h"

namespace vantrel {

class OvalUnion {
 public:
  // The covered pixels First..Last (inclusive) of row Y.
  struct Run {
    Integer Y;
    Integer First;
    Integer Last;
  };

  // Circles of size x size on a width x height surface. A size or side of 0
  // or less covers nothing.
  OvalUnion(Integer width, Integer height, Integer size);

  // The circle Graphics::FillOval(x, y, size, size) draws.
  void Add(Integer x, Integer y) { Add(&x, &y, 1); }

  // The circles of corners (xs[i], ys[i]) for every i below n, as many
  // single Adds would, in time per circle that does not depend on where it
  // lies: it runs once per point of a document whose points may lie anywhere.
  void Add(const Integer* xs, const Integer* ys, std::size_t n);

  // Adds every circle of other, which was made with the same width, height
  // and size: the union of both, as if other's circles had been added here.
  // So parts of a crowd can be gathered apart, on threads of their own.
  void Merge(const OvalUnion& other);

  // The bytes this union holds however many circles it gets (its grid).
  std::size_t FixedBytes() const;

  // The union's pixels: rows from the top, each row's runs left to right.
  // Yields as it goes, so a worker computing it can be killed. A large
  // surface is split into bands of rows worked out on up to maxParts
  // threads at once (see ForkJoin), each of at least minCellsPerPart cells
  // of the grid (columns x rows).
  static constexpr std::size_t kMinCellsPerPart = std::size_t{1} << 17;
  std::vector<Run> Runs(std::size_t maxParts = 1, std::size_t minCellsPerPart = kMinCellsPerPart);

 private:
  using Int64 = std::int64_t;
  static constexpr Int64 kNoAbove = std::numeric_limits<Int64>::min();
  static constexpr Int64 kNoBelow = std::numeric_limits<Int64>::max();

  // chosen ? a : b by masks: compilers may branch on ?:, and whether a
  // random point lies above or below the surface is anyone's guess.
  static Int64 Either(bool chosen, Int64 a, Int64 b) {
    const Int64 mask = -static_cast<Int64>(chosen);
    return (a & mask) | (b & ~mask);
  }
  bool Reaches(Integer x, Integer y) const {
    const Int64 column = Int64{x} - firstLeft_;
    const bool across = static_cast<std::uint64_t>(column) < static_cast<std::uint64_t>(columns_);
    return across & (y < height_) & (Int64{y} + size_ > 0);
  }
  // At most kChunk circles (a stack's worth of their indices).
  static constexpr std::size_t kChunk = 1024;
  void AddChunk(const Integer* xs, const Integer* ys, std::size_t n);
  void AddToGrid(const Integer* xs, const Integer* ys, const std::uint16_t* which,
                 std::size_t n);
  Int64 Centre(Int64 corner) const { return 2 * corner + size_ - 1; }
  Int64 HalfChord(Int64 offset) const;
  // Whether some added circle reaches the surface (dense grid only).
  bool AnyInGrid() const;
  // Sorts the grid-less form's corners, which RowRuns needs.
  void Settle();
  // The runs of rows first..end - 1; const, so threads may share the union.
  std::vector<Run> RowRuns(Int64 first, Int64 end) const;
  // Every column of circles as its centre and, ascending, its circles'
  // centre rows (in half pixels) that may reach rows first..end - 1.
  template <class Visit>
  void ForEachColumn(Int64 first, Int64 end, Visit visit) const;
  void CoverColumn(Int64 centreX, const std::vector<Int64>& centreYs, Int64 first, Int64 end,
                   std::vector<Integer>& reach) const;

  Int64 width_;
  Int64 height_;
  Int64 size_;
  bool empty_;
  // Boxes reaching the surface have their left side in [firstLeft_,
  // firstLeft_ + columns_) and their top in [1 - size, height - 1].
  Int64 firstLeft_;
  Int64 columns_;
  // Tops of circles centred within the surface's rows; a column's circles
  // centred above (below) them are kept as the lowest (highest) one alone,
  // which is nearer every row than the others.
  Int64 bandTop_;
  Int64 bandRows_;
  // A grid over columns x band rows while it stays small; otherwise (a size
  // far beyond the surface) the corners themselves, sorted when needed.
  bool dense_;
  std::vector<std::uint64_t> band_;  // bits, so random points stay in cache
  std::vector<Int64> above_;
  std::vector<Int64> below_;
  std::vector<std::pair<Integer, Integer>> corners_;
  // isqrt(size^2 - offset^2) for every offset below size, when size is modest.
  std::vector<Int64> chords_;
};

}  // namespace vantrel
