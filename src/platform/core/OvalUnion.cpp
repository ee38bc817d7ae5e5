#include "platform/core/OvalUnion.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "platform/core/ForkJoin.h"
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

constexpr std::size_t kNoBit = ~std::size_t{0};

// The first set bit of words from bit from up to bit to, a word at a time.
std::size_t FirstSetBit(const std::vector<std::uint64_t>& words, std::size_t from,
                        std::size_t to) {
  for (std::size_t bit = from; bit < to; bit = (bit / 64 + 1) * 64) {
    const std::uint64_t rest = words[bit / 64] >> (bit % 64);
    if (rest == 0) continue;
    const std::size_t found = bit + static_cast<std::size_t>(std::countr_zero(rest));
    return found < to ? found : kNoBit;
  }
  return kNoBit;
}

// The last set bit of words below bit to and from bit from on.
std::size_t LastSetBit(const std::vector<std::uint64_t>& words, std::size_t from, std::size_t to) {
  while (to > from) {
    const std::size_t last = to - 1;
    const std::uint64_t upTo = words[last / 64] << (63 - last % 64);  // bits above last dropped
    if (upTo != 0) {
      const std::size_t found = last - static_cast<std::size_t>(std::countl_zero(upTo));
      return found >= from ? found : kNoBit;
    }
    to = last - last % 64;
  }
  return kNoBit;
}

template <class Visit>
void OvalUnion::ForEachColumn(Int64 first, Int64 end, Visit visit) const {
  std::vector<Int64> centreYs;
  if (dense_) {
    // Of the circles centred above the rows (or below them) only the nearest
    // counts: it is nearer every row than the others.
    const Int64 lo = std::clamp<Int64>(first + CeilHalf(1 - size_) - bandTop_, 0, bandRows_);
    const Int64 hi = std::clamp<Int64>(end + FloorHalf(1 - size_) - bandTop_, lo, bandRows_);
    for (Int64 c = 0; c < columns_; ++c) {
      const auto k = static_cast<std::size_t>(c);
      const std::size_t row0 = k * static_cast<std::size_t>(bandRows_ + 2) + 1;
      const auto push = [&](std::size_t bit) {
        if (bit != kNoBit) centreYs.push_back(Centre(bandTop_ + static_cast<Int64>(bit - row0)));
      };
      centreYs.clear();
      if (above_[k] != kNoAbove) centreYs.push_back(Centre(above_[k]));
      const auto from = row0 + static_cast<std::size_t>(lo);
      const auto to = row0 + static_cast<std::size_t>(hi);
      push(LastSetBit(band_, row0, from));
      for (std::size_t bit = FirstSetBit(band_, from, to); bit != kNoBit;
           bit = FirstSetBit(band_, bit + 1, to)) {
        push(bit);
      }
      push(FirstSetBit(band_, to, row0 + static_cast<std::size_t>(bandRows_)));
      if (below_[k] != kNoBelow) centreYs.push_back(Centre(below_[k]));
      if (!centreYs.empty()) visit(Centre(firstLeft_ + c), centreYs);
    }
    return;
  }
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
void OvalUnion::CoverColumn(Int64 centreX, const std::vector<Int64>& centreYs, Int64 first,
                            Int64 end, std::vector<Integer>& reach) const {
  // The first centre at or below the row's centre.
  auto next = static_cast<std::size_t>(
      std::lower_bound(centreYs.begin(), centreYs.end(), 2 * first) - centreYs.begin());
  for (Int64 y = first; y < end; ++y) {
    const Int64 at = 2 * y;
    while (next < centreYs.size() && centreYs[next] < at) ++next;
    Int64 offset = size_;
    if (next < centreYs.size()) offset = std::min(offset, centreYs[next] - at);
    if (next > 0) offset = std::min(offset, at - centreYs[next - 1]);
    if (offset >= size_) continue;
    const Int64 half = HalfChord(offset);
    const Int64 left = std::max<Int64>(CeilHalf(centreX - half), 0);
    const Int64 right = std::min(FloorHalf(centreX + half), width_ - 1);
    if (left > right) continue;
    Integer& reachEnd = reach[static_cast<std::size_t>((y - first) * width_ + left)];
    reachEnd = std::max(reachEnd, static_cast<Integer>(right));
  }
}

void OvalUnion::Settle() {
  if (dense_) return;
  std::sort(corners_.begin(), corners_.end());
  corners_.erase(std::unique(corners_.begin(), corners_.end()), corners_.end());
}

std::vector<OvalUnion::Run> OvalUnion::Runs(std::size_t maxParts, std::size_t minCellsPerPart) {
  Settle();
  // All of one kind (every point selected, or none) leaves the other empty.
  if (empty_ || (!dense_ && corners_.empty()) || (dense_ && !AnyInGrid())) return {};
  const auto cells = static_cast<std::size_t>((dense_ ? columns_ : width_) * height_);
  const std::size_t parts = std::clamp<std::size_t>(
      std::min<std::size_t>(cells / std::max<std::size_t>(minCellsPerPart, 1), static_cast<std::size_t>(height_)), 1,
      std::max<std::size_t>(maxParts, 1));
  std::vector<std::vector<Run>> bands(parts);
  ForkJoin::Run(parts, [&](std::size_t part, const ForkJoin::GoOn&) {
    const auto first = static_cast<Int64>(part) * height_ / static_cast<Int64>(parts);
    const auto end = static_cast<Int64>(part + 1) * height_ / static_cast<Int64>(parts);
    bands[part] = RowRuns(first, end);
  });
  std::vector<Run> runs = std::move(bands[0]);
  for (std::size_t part = 1; part < parts; ++part) {
    runs.insert(runs.end(), bands[part].begin(), bands[part].end());
  }
  return runs;
}

std::vector<OvalUnion::Run> OvalUnion::RowRuns(Int64 first, Int64 end) const {
  std::vector<Run> runs;
  std::vector<Integer> reach(static_cast<std::size_t>(width_ * (end - first)), -1);
  ForEachColumn(first, end, [&](Int64 centreX, const std::vector<Int64>& centreYs) {
    CoverColumn(centreX, centreYs, first, end, reach);
    YieldForPixels(end - first);
  });
  for (Int64 y = first; y < end; ++y) {
    const Integer* row = reach.data() + (y - first) * width_;
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
