#include "platform/core/OvalUnion.h"

#include <algorithm>
#include <cmath>

#include "platform/core/Thread.h"

namespace vantrel {

namespace {

using Int64 = std::int64_t;

// The grid of a column per possible left side stays under this many cells
// (32 MiB); only sizes far beyond any surface pass it.
constexpr Int64 kMaxGridCells = Int64{1} << 25;
// Sizes up to this look their half chords up in a table.
constexpr Int64 kMaxChordTable = Int64{1} << 16;

// Halves rounded down and up; >> on a negative value floors since C++20.
Int64 FloorHalf(Int64 value) { return value >> 1; }
Int64 CeilHalf(Int64 value) { return -((-value) >> 1); }

// The largest r with r * r <= n, for n below 2^62.
Int64 SquareRootDown(Int64 n) {
  auto r = static_cast<Int64>(std::sqrt(static_cast<double>(n)));
  while (r > 0 && r * r > n) --r;
  while ((r + 1) * (r + 1) <= n) ++r;
  return r;
}

}  // namespace

OvalUnion::OvalUnion(Integer width, Integer height, Integer size)
    : width_(width),
      height_(height),
      size_(size),
      empty_(width <= 0 || height <= 0 || size <= 0),
      firstLeft_(Int64{1} - size),
      columns_(empty_ ? 0 : Int64{width} + size - 1),
      // Centres 2 * top + size - 1 from 0 to 2 * (height - 1), in half pixels.
      bandTop_(CeilHalf(Int64{1} - size)),
      bandRows_(std::max<Int64>(0, FloorHalf(2 * Int64{height} - 1 - size) - bandTop_ + 1)),
      // An empty union takes the grid-less way, where nothing reaches the surface.
      dense_(!empty_ && columns_ <= kMaxGridCells / std::max<Int64>(bandRows_, 1)) {
  if (empty_) return;
  if (dense_) {
    // A spare row above and below the band for the circles centred outside it.
    const auto columns = static_cast<std::size_t>(columns_);
    band_.assign(columns * static_cast<std::size_t>(bandRows_ + 2) / 64 + 1, 0);
    above_.assign(columns, kNoAbove);
    below_.assign(columns, kNoBelow);
  }
  if (size_ <= kMaxChordTable) {
    chords_.resize(static_cast<std::size_t>(size_));
    for (Int64 v = 0; v < size_; ++v) {
      chords_[static_cast<std::size_t>(v)] = SquareRootDown(size_ * size_ - v * v);
    }
  }
}

void OvalUnion::Add(const Integer* xs, const Integer* ys, std::size_t n) {
  for (std::size_t start = 0; start < n; start += kChunk) {
    AddChunk(xs + start, ys + start, std::min(kChunk, n - start));
  }
}

// Circles that miss the surface are left out first, without a branch: they
// have no column of the grid.
void OvalUnion::AddChunk(const Integer* xs, const Integer* ys, std::size_t n) {
  std::uint16_t reaching[kChunk];
  std::size_t count = 0;
  for (std::size_t i = 0; i < n; ++i) {
    reaching[count] = static_cast<std::uint16_t>(i);
    count += static_cast<std::size_t>(Reaches(xs[i], ys[i]));
  }
  if (dense_) {
    AddToGrid(xs, ys, reaching, count);
    return;
  }
  for (std::size_t j = 0; j < count; ++j) corners_.emplace_back(xs[reaching[j]], ys[reaching[j]]);
}

// Each circle's bit in its column (a spare row above or below the band for
// one centred outside it); those outside the band then update their
// column's nearest above or below, which the band's circles would leave as
// they are.
void OvalUnion::AddToGrid(const Integer* xs, const Integer* ys, const std::uint16_t* which,
                          std::size_t n) {
  // Copies: the grid's stores could alias the members, which would then be
  // read again after every one.
  const Int64 firstLeft = firstLeft_;
  const Int64 bandTop = bandTop_;
  const Int64 bandRows = bandRows_;
  const auto rowsPerColumn = static_cast<std::size_t>(bandRows + 2);
  std::uint64_t* band = band_.data();
  std::uint16_t outside[kChunk];
  std::size_t outsideCount = 0;
  for (std::size_t j = 0; j < n; ++j) {
    const std::uint16_t k = which[j];
    const auto column = static_cast<std::size_t>(Int64{xs[k]} - firstLeft);
    const Int64 row = std::clamp<Int64>(Int64{ys[k]} - bandTop, -1, bandRows);
    const std::size_t bit = column * rowsPerColumn + static_cast<std::size_t>(row + 1);
    band[bit / 64] |= std::uint64_t{1} << (bit % 64);
    outside[outsideCount] = k;
    outsideCount += static_cast<std::size_t>((row < 0) | (row == bandRows));
  }
  for (std::size_t j = 0; j < outsideCount; ++j) {
    const std::uint16_t k = outside[j];
    const auto column = static_cast<std::size_t>(Int64{xs[k]} - firstLeft);
    const Int64 y = ys[k];
    above_[column] = std::max(above_[column], Either(y < bandTop, y, kNoAbove));
    below_[column] = std::min(below_[column], Either(y >= bandTop + bandRows, y, kNoBelow));
  }
}

void OvalUnion::Merge(const OvalUnion& other) {
  if (!dense_) {
    corners_.insert(corners_.end(), other.corners_.begin(), other.corners_.end());
    return;
  }
  for (std::size_t k = 0; k < band_.size(); ++k) band_[k] |= other.band_[k];
  for (std::size_t k = 0; k < above_.size(); ++k) {
    above_[k] = std::max(above_[k], other.above_[k]);
    below_[k] = std::min(below_[k], other.below_[k]);
  }
}

std::size_t OvalUnion::FixedBytes() const {
  return band_.size() * sizeof(std::uint64_t) + (above_.size() + below_.size()) * sizeof(Int64) +
         chords_.size() * sizeof(Int64);
}

bool OvalUnion::AnyInGrid() const {
  const auto set = [](std::uint64_t word) { return word != 0; };
  const auto kept = [](Int64 side) { return side != kNoAbove && side != kNoBelow; };
  return std::any_of(band_.begin(), band_.end(), set) ||
         std::any_of(above_.begin(), above_.end(), kept) ||
         std::any_of(below_.begin(), below_.end(), kept);
}

Int64 OvalUnion::HalfChord(Int64 offset) const {
  if (!chords_.empty()) return chords_[static_cast<std::size_t>(offset)];
  return SquareRootDown(size_ * size_ - offset * offset);
}

template <class Visit>
void OvalUnion::ForEachColumn(Visit visit) {
  std::vector<Int64> centreYs;
  if (dense_) {
    for (Int64 c = 0; c < columns_; ++c) {
      const auto k = static_cast<std::size_t>(c);
      centreYs.clear();
      if (above_[k] != kNoAbove) centreYs.push_back(Centre(above_[k]));
      const std::size_t first = k * static_cast<std::size_t>(bandRows_ + 2) + 1;
      for (Int64 r = 0; r < bandRows_; ++r) {
        const std::size_t bit = first + static_cast<std::size_t>(r);
        if ((band_[bit / 64] >> (bit % 64) & 1) != 0) centreYs.push_back(Centre(bandTop_ + r));
      }
      if (below_[k] != kNoBelow) centreYs.push_back(Centre(below_[k]));
      if (!centreYs.empty()) visit(Centre(firstLeft_ + c), centreYs);
    }
    return;
  }
  std::sort(corners_.begin(), corners_.end());
  corners_.erase(std::unique(corners_.begin(), corners_.end()), corners_.end());
  for (std::size_t i = 0; i < corners_.size();) {
    const Integer left = corners_[i].first;
    centreYs.clear();
    for (; i < corners_.size() && corners_[i].first == left; ++i) {
      centreYs.push_back(Centre(corners_[i].second));
    }
    visit(Centre(left), centreYs);
  }
}

// Each row's run from this column's circle nearest to it, recorded as the
// farthest right end of any run starting at its first pixel.
void OvalUnion::CoverColumn(Int64 centreX, const std::vector<Int64>& centreYs,
                            std::vector<Integer>& reach) const {
  std::size_t next = 0;  // the first centre at or below the row's centre
  for (Int64 y = 0; y < height_; ++y) {
    const Int64 at = 2 * y;
    while (next < centreYs.size() && centreYs[next] < at) ++next;
    Int64 offset = size_;
    if (next < centreYs.size()) offset = std::min(offset, centreYs[next] - at);
    if (next > 0) offset = std::min(offset, at - centreYs[next - 1]);
    if (offset >= size_) continue;
    const Int64 half = HalfChord(offset);
    const Int64 first = std::max<Int64>(CeilHalf(centreX - half), 0);
    const Int64 last = std::min(FloorHalf(centreX + half), width_ - 1);
    if (first > last) continue;
    Integer& end = reach[static_cast<std::size_t>(y * width_ + first)];
    end = std::max(end, static_cast<Integer>(last));
  }
}

std::vector<OvalUnion::Run> OvalUnion::Runs() {
  std::vector<Run> runs;
  // All of one kind (every point selected, or none) leaves the other empty.
  if (empty_ || (!dense_ && corners_.empty()) || (dense_ && !AnyInGrid())) return runs;
  std::vector<Integer> reach(static_cast<std::size_t>(width_ * height_), -1);
  ForEachColumn([&](Int64 centreX, const std::vector<Int64>& centreYs) {
    CoverColumn(centreX, centreYs, reach);
    YieldForPixels(height_);
  });
  for (Int64 y = 0; y < height_; ++y) {
    const Integer* row = reach.data() + y * width_;
    Int64 covered = -1;  // the pixels up to here are covered
    Int64 start = -1;
    for (Int64 x = 0; x < width_; ++x) {
      covered = std::max<Int64>(covered, row[x]);
      if (covered >= x && start < 0) start = x;
      if (covered < x && start >= 0) {
        runs.push_back({static_cast<Integer>(y), static_cast<Integer>(start),
                        static_cast<Integer>(x - 1)});
        start = -1;
      }
    }
    if (start >= 0) {
      runs.push_back({static_cast<Integer>(y), static_cast<Integer>(start),
                      static_cast<Integer>(width_ - 1)});
    }
    YieldForPixels(width_);
  }
  return runs;
}

}  // namespace vantrel
