#pragma once
// Ever smaller copies of a picture, each half the size of the one before, so
// that a view of the picture far below its size averages a few cells of the
// nearest copy instead of every pixel it stands for: the view then costs what
// it shows, whatever the picture's size.
//
// Level k has a cell for every 2^k x 2^k block of the picture's pixels (the
// last row and column of blocks reach past the picture, whose last row and
// column count for the missing ones). Levels 0 and 1 are not kept: level 0 is
// the picture itself, and a box of up to 7 x 7 pixels is averaged from it
// directly, which saves the largest level's memory (half the picture's).
//
// A cell holds 16 times the mean of each RGB565 component over its block, in
// fixed point: blue in bits 0-9, green in bits 10-20, red in bits 21-31. The
// first kept level is exact; each later one rounds to a sixteenth of a
// component step, so averages taken from any level stay within a step of
// those taken from the picture.
//
// One thread updates the pyramid at a time (the render's worker) while others
// read it: cells are relaxed atomics, as pixels are.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "Numbers.h"

namespace vantrel {

class Picture;

class PicturePyramid {
 public:
  static constexpr int kFirstLevel = 2;
  // A cell's components are this many times their mean.
  static constexpr std::uint32_t kCellScale = 16;

  // The levels of a width x height picture down to a single cell, their
  // memory taken but not written; nullptr (never an exception) when a side is
  // not positive, the size is above Picture::kMaxPixels (as no picture is)
  // or the memory cannot be had. Costs a sixth of the picture.
  static std::shared_ptr<PicturePyramid> New(Integer width, Integer height);

  PicturePyramid(const PicturePyramid&) = delete;
  PicturePyramid& operator=(const PicturePyramid&) = delete;

  // The updating thread: recomputes every level from picture, which must be
  // of the pyramid's size and painted; it may still be drawn into. stop, when
  // given, is asked between rows of cells: true ends the update there (and
  // any exception it throws passes through), leaving the pyramid as it was
  // for the rows not yet done. Returns whether the update ran to its end
  // (false also when a row of sums finds no memory).
  bool Update(const Picture& picture, const std::function<bool()>& stop = {});

  // Any thread: true once an update has run to its end, so every cell holds
  // a real average.
  bool Ready() const noexcept { return ready_.load(std::memory_order_acquire); }

  Integer Width() const noexcept { return width_; }
  Integer Height() const noexcept { return height_; }
  // The kept levels are kFirstLevel .. LastLevel().
  int LastLevel() const noexcept { return kFirstLevel + static_cast<int>(levels_.size()) - 1; }
  Integer LevelWidth(int level) const noexcept { return At(level).Width; }
  Integer LevelHeight(int level) const noexcept { return At(level).Height; }
  // Unchecked: callers keep the level kept and the cell inside it.
  std::uint32_t Cell(int level, Integer x, Integer y) const noexcept {
    return LoadCell(Row(level, y)[x]);
  }
  // The cells of row y of a level, for reading with LoadCell.
  const std::uint32_t* Row(int level, Integer y) const noexcept {
    const Level& l = At(level);
    return l.Cells.get() + static_cast<std::size_t>(y) * static_cast<std::size_t>(l.Width);
  }
  static std::uint32_t LoadCell(const std::uint32_t& cell) noexcept {
    return std::atomic_ref<std::uint32_t>(const_cast<std::uint32_t&>(cell))
        .load(std::memory_order_relaxed);
  }

  // A cell's fields from the component sums of a block (or the means times
  // kCellScale).
  static std::uint32_t Pack(std::uint32_t red, std::uint32_t green, std::uint32_t blue) noexcept {
    return red << 21 | green << 10 | blue;
  }
  static std::uint32_t Red(std::uint32_t cell) noexcept { return cell >> 21; }
  static std::uint32_t Green(std::uint32_t cell) noexcept { return (cell >> 10) & 0x7FF; }
  static std::uint32_t Blue(std::uint32_t cell) noexcept { return cell & 0x3FF; }

 private:
  struct Level {
    Integer Width = 0;
    Integer Height = 0;
    std::unique_ptr<std::uint32_t[]> Cells;
  };

  PicturePyramid(Integer width, Integer height, std::vector<Level> levels);

  const Level& At(int level) const noexcept {
    return levels_[static_cast<std::size_t>(level - kFirstLevel)];
  }
  bool UpdateFirstLevel(const Picture& picture, const std::function<bool()>& stop);
  bool UpdateFromBelow(std::size_t index, const std::function<bool()>& stop);

  Integer width_;
  Integer height_;
  std::vector<Level> levels_;
  std::atomic<bool> ready_{false};
};

}  // namespace vantrel
