#pragma once
// An off-screen picture of depth 16 (RGB565 pixels, Qt's Format_RGB16 layout:
// rows of Width() pixels, no padding). A new picture is white.
//
// Pixel stores and loads are relaxed atomics, so the event thread may show a
// picture that a worker is still drawing into without a data race; on x86
// they compile to plain moves.
#include <atomic>
#include <cstdint>
#include <memory>

#include "Color.h"
#include "Numbers.h"

namespace vantrel {

class Graphics;

class Picture {
 public:
  // Largest picture NewPicture makes: 2^29 pixels (1 GiB of pixels), about
  // 23000 x 23000. Larger requests give no picture instead of exhausting memory.
  static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 29;
  // Widest and highest picture that can be saved. The JPEG header has room
  // for 65535, but libjpeg (which encodes the program's pictures) refuses a
  // side above 65500 to keep its own arithmetic from overflowing; a render
  // beyond it would run to its end and then could never leave the program.
  static constexpr Integer kMaxSavedSide = 65500;

  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  Integer Width() const noexcept { return width_; }
  Integer Height() const noexcept { return height_; }

  // The picture's own drawing surface; lives as long as the picture.
  vantrel::Graphics& Graphics() noexcept { return *graphics_; }

  // Unchecked pixel access: callers keep 0 <= x < Width(), 0 <= y < Height().
  std::uint16_t Pixel(Integer x, Integer y) const noexcept;
  void SetPixel(Integer x, Integer y, std::uint16_t value) noexcept;
  Color PixelColor(Integer x, Integer y) const noexcept { return FromRGB565(Pixel(x, y)); }

  // False for a picture from NewUnpaintedPicture until Paint has run: its
  // pixels are then undefined and must not be read. Any thread.
  bool Painted() const noexcept { return painted_.load(std::memory_order_acquire); }
  // Sets every pixel to colour. The first Paint of an unpainted picture
  // writes at memory speed with plain stores, so no other thread may touch
  // the pixels until Painted() is true; later ones store pixel by pixel, for
  // readers that may be looking.
  void Paint(Color colour) noexcept;

  // Raw rows for bulk work. Concurrent readers must use Pixel() instead.
  std::uint16_t* Bits() noexcept { return bits_.get(); }
  const std::uint16_t* Bits() const noexcept { return bits_.get(); }

 private:
  friend std::shared_ptr<Picture> NewUnpaintedPicture(Integer width, Integer height,
                                                      Integer depth);
  Picture(Integer width, Integer height, std::unique_ptr<std::uint16_t[]> bits);

  Integer width_;
  Integer height_;
  std::unique_ptr<std::uint16_t[]> bits_;
  std::unique_ptr<vantrel::Graphics> graphics_;
  std::atomic<bool> painted_{false};
};

// A white picture of the given size, or nullptr (never throws, never aborts)
// when a side is not positive, the depth is not 16, the size is above
// Picture::kMaxPixels or the memory cannot be allocated.
std::shared_ptr<Picture> NewPicture(Integer width, Integer height, Integer depth);

// The same, without a pixel written: the memory is taken but not touched, so
// even a picture of hundreds of megabytes comes at once. Its pixels are
// undefined until its first Paint.
std::shared_ptr<Picture> NewUnpaintedPicture(Integer width, Integer height, Integer depth);

}  // namespace vantrel
