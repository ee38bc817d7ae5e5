#include "platform/core/PicturePyramid.h"

#include <algorithm>
#include <new>
#include <utility>

#include "platform/core/Picture.h"

namespace vantrel {
namespace {

constexpr Integer kFirstBlock = Integer{1} << PicturePyramid::kFirstLevel;

Integer Halved(Integer side) { return side / 2 + side % 2; }

void Store(std::uint32_t& cell, std::uint32_t value) {
  std::atomic_ref<std::uint32_t>(cell).store(value, std::memory_order_relaxed);
}

std::uint16_t LoadPixel(const std::uint16_t& pixel) {
  return std::atomic_ref<std::uint16_t>(const_cast<std::uint16_t&>(pixel))
      .load(std::memory_order_relaxed);
}

// Sums of a block's RGB565 pixels kept two to a word with room to carry:
// red and blue in one (blue's sum of 16 stays below red's bit 11), green in
// the other, so a pixel costs two masks and two additions.
struct BlockSums {
  std::uint32_t RedBlue = 0;
  std::uint32_t Green = 0;

  void Add(std::uint16_t pixel) {
    RedBlue += pixel & 0xF81Fu;
    Green += pixel & 0x07E0u;
  }
  std::uint32_t Cell() const {
    return PicturePyramid::Pack(RedBlue >> 11, Green >> 5, RedBlue & 0x7FF);
  }
};

}  // namespace

std::shared_ptr<PicturePyramid> PicturePyramid::New(Integer width, Integer height) {
  if (width <= 0 || height <= 0 ||
      std::int64_t{width} * std::int64_t{height} > Picture::kMaxPixels) {
    return nullptr;
  }
  std::vector<Level> levels;
  try {
    Integer w = width;
    Integer h = height;
    for (int k = 0; k < kFirstLevel; ++k) {
      w = Halved(w);
      h = Halved(h);
    }
    for (;;) {
      const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
      std::unique_ptr<std::uint32_t[]> cells(new (std::nothrow) std::uint32_t[count]);
      if (!cells) return nullptr;
      levels.push_back({w, h, std::move(cells)});
      if (w == 1 && h == 1) break;
      w = Halved(w);
      h = Halved(h);
    }
    return std::shared_ptr<PicturePyramid>(new PicturePyramid(width, height, std::move(levels)));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

PicturePyramid::PicturePyramid(Integer width, Integer height, std::vector<Level> levels)
    : width_(width), height_(height), levels_(std::move(levels)) {}

bool PicturePyramid::Update(const Picture& picture, const std::function<bool()>& stop) {
  if (picture.Width() != width_ || picture.Height() != height_) return false;
  try {
    if (!UpdateFirstLevel(picture, stop)) return false;
  } catch (const std::bad_alloc&) {
    return false;  // no row of sums to be had: the view waits for a later update
  }
  for (std::size_t i = 1; i < levels_.size(); ++i) {
    if (!UpdateFromBelow(i, stop)) return false;
  }
  ready_.store(true, std::memory_order_release);
  return true;
}

bool PicturePyramid::UpdateFirstLevel(const Picture& picture, const std::function<bool()>& stop) {
  Level& level = levels_.front();
  const std::uint16_t* bits = picture.Bits();
  const auto width = static_cast<std::size_t>(width_);
  // Blocks wholly inside the picture's width are summed without clamping.
  const Integer whole = width_ / kFirstBlock;
  std::vector<BlockSums> sums(static_cast<std::size_t>(level.Width));
  for (Integer cy = 0; cy < level.Height; ++cy) {
    if (stop && stop()) return false;
    std::fill(sums.begin(), sums.end(), BlockSums{});
    for (Integer dy = 0; dy < kFirstBlock; ++dy) {
      const Integer y = std::min(cy * kFirstBlock + dy, height_ - 1);
      const std::uint16_t* row = bits + static_cast<std::size_t>(y) * width;
      for (Integer cx = 0; cx < whole; ++cx) {
        const std::uint16_t* block = row + static_cast<std::size_t>(cx) * kFirstBlock;
        BlockSums& s = sums[static_cast<std::size_t>(cx)];
        for (Integer dx = 0; dx < kFirstBlock; ++dx) s.Add(LoadPixel(block[dx]));
      }
      for (Integer cx = whole; cx < level.Width; ++cx) {
        for (Integer dx = 0; dx < kFirstBlock; ++dx) {
          const Integer x = std::min(cx * kFirstBlock + dx, width_ - 1);
          sums[static_cast<std::size_t>(cx)].Add(LoadPixel(row[x]));
        }
      }
    }
    std::uint32_t* cells = level.Cells.get() + static_cast<std::size_t>(cy) * sums.size();
    for (std::size_t cx = 0; cx < sums.size(); ++cx) Store(cells[cx], sums[cx].Cell());
  }
  return true;
}

bool PicturePyramid::UpdateFromBelow(std::size_t index, const std::function<bool()>& stop) {
  const Level& below = levels_[index - 1];
  Level& level = levels_[index];
  const auto cellBelow = [&below](Integer x, Integer y) {
    return std::atomic_ref<std::uint32_t>(
               below.Cells[static_cast<std::size_t>(std::min(y, below.Height - 1)) *
                               static_cast<std::size_t>(below.Width) +
                           static_cast<std::size_t>(std::min(x, below.Width - 1))])
        .load(std::memory_order_relaxed);
  };
  for (Integer cy = 0; cy < level.Height; ++cy) {
    if (stop && stop()) return false;
    for (Integer cx = 0; cx < level.Width; ++cx) {
      std::uint32_t red = 0;
      std::uint32_t green = 0;
      std::uint32_t blue = 0;
      for (Integer d = 0; d < 4; ++d) {
        const std::uint32_t c = cellBelow(2 * cx + (d & 1), 2 * cy + (d >> 1));
        red += Red(c);
        green += Green(c);
        blue += Blue(c);
      }
      // The mean of four cells, rounded: the fields keep their scale.
      Store(level.Cells[static_cast<std::size_t>(cy) * static_cast<std::size_t>(level.Width) +
                        static_cast<std::size_t>(cx)],
            Pack((red + 2) / 4, (green + 2) / 4, (blue + 2) / 4));
    }
  }
  return true;
}

}  // namespace vantrel
