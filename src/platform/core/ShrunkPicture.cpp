#include "platform/core/ShrunkPicture.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/core/Picture.h"
#include "platform/core/PicturePyramid.h"

namespace vantrel {
namespace {

using Int64 = std::int64_t;

// A box is averaged from the coarsest level whose cells are at most this
// many times smaller than the box's shorter side: each pixel of the view
// reads between 2 x 2 and 5 x 5 cells.
constexpr Int64 kCellsPerBox = 2;

// The picture's pixels [first, last) that scaled pixel i stands for, as the
// exact average takes them; never empty while scaled <= side.
struct Span {
  Int64 first;
  Int64 last;
};

Span SourceSpan(Int64 i, Int64 scaled, Int64 side) {
  return {i * side / scaled, (i + 1) * side / scaled};
}

// How the cells of a level along one axis feed the pixels of the view along
// it. Each cell is weighted by the pixels of a span it holds: cells wholly
// inside count in full, the cells at a span's ends for their share, as if
// their pixels were alike; on level 0 (cells of one pixel) that is the exact
// average. A cell is never wider than a span, so it feeds two pixels at most:
// cell First + i gives Share[i] to view pixel Pixel[i] and Spill[i] to the
// one after it.
struct Feed {
  Int64 First = 0;
  std::vector<std::size_t> Pixel;
  std::vector<Int64> Share;
  std::vector<Int64> Spill;
  std::vector<Int64> Length;  // the pixels of the picture each view pixel stands for
};

Feed FeedAlong(Int64 from, Int64 count, Int64 scaled, Int64 side, int level) {
  Feed feed;
  const Int64 cell = Int64{1} << level;
  feed.First = SourceSpan(from, scaled, side).first >> level;
  for (Int64 i = 0; i < count; ++i) {
    const Span span = SourceSpan(from + i, scaled, side);
    feed.Length.push_back(span.last - span.first);
    for (Int64 c = span.first >> level; c * cell < span.last; ++c) {
      const Int64 w = std::min(span.last, (c + 1) * cell) - std::max(span.first, c * cell);
      if (c < feed.First + static_cast<Int64>(feed.Pixel.size())) {
        feed.Spill.back() += w;  // the previous pixel's last cell
      } else {
        feed.Pixel.push_back(static_cast<std::size_t>(i));
        feed.Share.push_back(w);
        feed.Spill.push_back(0);
      }
    }
  }
  return feed;
}

struct Sums {
  Int64 Red = 0;
  Int64 Green = 0;
  Int64 Blue = 0;

  void Add(Int64 w, Int64 r, Int64 g, Int64 b) {
    Red += w * r;
    Green += w * g;
    Blue += w * b;
  }
  void Add(Int64 w, const Sums& s) { Add(w, s.Red, s.Green, s.Blue); }
};

// The picture's pixels as level 0: cells of one pixel, components at scale 1.
struct PictureLevel {
  static constexpr Int64 kScale = 1;
  // A pixel lies in one span only: it counts once, in full.
  static constexpr bool kWhole = true;
  const Picture& Source;

  template <class Visit>
  void Row(Int64 y, Int64 x, std::size_t count, Visit visit) const {
    const std::uint16_t* row = Source.Bits() + y * Source.Width() + x;
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint16_t p = std::atomic_ref<std::uint16_t>(const_cast<std::uint16_t&>(row[i]))
                                  .load(std::memory_order_relaxed);
      visit(i, p >> 11, (p >> 5) & 0x3F, p & 0x1F);
    }
  }
};

struct PyramidLevel {
  static constexpr Int64 kScale = PicturePyramid::kCellScale;
  static constexpr bool kWhole = false;
  const PicturePyramid& Source;
  int Level;

  template <class Visit>
  void Row(Int64 y, Int64 x, std::size_t count, Visit visit) const {
    const std::uint32_t* row = Source.Row(Level, static_cast<Integer>(y)) + x;
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint32_t c = PicturePyramid::LoadCell(row[i]);
      visit(i, PicturePyramid::Red(c), PicturePyramid::Green(c), PicturePyramid::Blue(c));
    }
  }
};

// p / n rounded down, for 0 <= p, 0 < n below 2^52, given reciprocal close
// to 1 / n: a multiplication is estimate enough to be off by one at most,
// and three integer divisions a pixel would cost more than the averaging.
Int64 Quotient(Int64 p, Int64 n, double reciprocal) {
  Int64 q = static_cast<Int64>(static_cast<double>(p) * reciprocal);
  if (q * n > p) {
    --q;
  } else if ((q + 1) * n <= p) {
    ++q;
  }
  return q;
}

// One row of the view from its weighted sums, each mean rounded.
void Emit(const std::vector<Sums>& sums, const Feed& columns, Int64 height, Int64 scale,
          std::uint16_t* out) {
  const double heightReciprocal = 1.0 / static_cast<double>(height * scale);
  for (std::size_t x = 0; x < columns.Length.size(); ++x) {
    const Int64 n = columns.Length[x] * height * scale;
    const double reciprocal = heightReciprocal / static_cast<double>(columns.Length[x]);
    const auto mean = [n, reciprocal](Int64 sum) { return Quotient(sum + n / 2, n, reciprocal); };
    out[x] = static_cast<std::uint16_t>(mean(sums[x].Red) << 11 | mean(sums[x].Green) << 5 |
                                        mean(sums[x].Blue));
  }
}

// The cells of row y of a level summed into the view's columns. Summed in
// registers while the cells feed the same column: the columns advance one at
// a time, as every span holds a cell of its own.
template <class Level>
void SumRow(const Level& level, const Feed& columns, Int64 y, std::vector<Sums>& cells) {
  std::size_t at = 0;
  Sums here;
  Sums after;
  level.Row(y, columns.First, columns.Pixel.size(), [&](std::size_t i, Int64 r, Int64 g, Int64 b) {
    if (columns.Pixel[i] != at) {
      cells[at] = here;
      here = after;
      after = Sums{};
      at = columns.Pixel[i];
    }
    if constexpr (Level::kWhole) {
      here.Add(1, r, g, b);
    } else {
      here.Add(columns.Share[i], r, g, b);
      after.Add(columns.Spill[i], r, g, b);
    }
  });
  cells[at] = here;
}

// Each row of cells is read once, in order: its cells are summed into the
// view's columns, and those sums into the one or two view rows it feeds.
template <class Level>
void Shrink(const Level& level, int k, Integer scaledWidth, Integer scaledHeight,
            const Picture& picture, Integer left, Integer top, Picture& part) {
  const Feed columns = FeedAlong(left, part.Width(), scaledWidth, picture.Width(), k);
  const Feed rows = FeedAlong(top, part.Height(), scaledHeight, picture.Height(), k);
  const std::size_t width = columns.Length.size();
  std::vector<Sums> cells(width);
  std::vector<Sums> current(width);
  std::vector<Sums> next(width);
  // Written in one go: no other thread sees the part yet.
  std::uint16_t* out = part.Bits();
  std::size_t y = 0;
  for (std::size_t j = 0; j < rows.Pixel.size(); ++j) {
    for (; y < rows.Pixel[j]; ++y, out += width) {
      Emit(current, columns, rows.Length[y], Level::kScale, out);
      current.swap(next);
      std::fill(next.begin(), next.end(), Sums{});
    }
    SumRow(level, columns, rows.First + static_cast<Int64>(j), cells);
    const Int64 share = rows.Share[j];
    const Int64 spill = rows.Spill[j];
    for (std::size_t x = 0; x < width; ++x) current[x].Add(share, cells[x]);
    if (spill != 0) {
      for (std::size_t x = 0; x < width; ++x) next[x].Add(spill, cells[x]);
    }
  }
  Emit(current, columns, rows.Length[y], Level::kScale, out);
}

// The level to average from (0: the picture itself), or -1 when the pyramid
// that would be needed is not there.
int LevelFor(const Picture& picture, const PicturePyramid* pyramid, Integer scaledWidth,
             Integer scaledHeight) {
  const Int64 box =
      std::min(Int64{picture.Width()} / scaledWidth, Int64{picture.Height()} / scaledHeight);
  if (box < kCellsPerBox << PicturePyramid::kFirstLevel) return 0;
  if (pyramid == nullptr || !pyramid->Ready() || pyramid->Width() != picture.Width() ||
      pyramid->Height() != picture.Height()) {
    return -1;
  }
  int level = PicturePyramid::kFirstLevel;
  while (level < pyramid->LastLevel() && kCellsPerBox << (level + 1) <= box) ++level;
  return level;
}

}  // namespace

std::shared_ptr<Picture> ShrunkPart(const Picture& picture, const PicturePyramid* pyramid,
                                    Integer scaledWidth, Integer scaledHeight, Integer left,
                                    Integer top, Integer width, Integer height) {
  if (scaledWidth <= 0 || scaledHeight <= 0 || scaledWidth > picture.Width() ||
      scaledHeight > picture.Height() || width <= 0 || height <= 0 || left < 0 || top < 0 ||
      std::int64_t{left} + width > scaledWidth || std::int64_t{top} + height > scaledHeight) {
    return nullptr;
  }
  const int level = LevelFor(picture, pyramid, scaledWidth, scaledHeight);
  if (level < 0) return nullptr;
  std::shared_ptr<Picture> part = NewPicture(width, height, 16);
  if (part == nullptr) return nullptr;
  if (level == 0) {
    Shrink(PictureLevel{picture}, 0, scaledWidth, scaledHeight, picture, left, top, *part);
  } else {
    Shrink(PyramidLevel{*pyramid, level}, level, scaledWidth, scaledHeight, picture, left, top,
           *part);
  }
  return part;
}

}  // namespace vantrel
