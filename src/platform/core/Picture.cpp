#include "platform/core/Picture.h"

#include <atomic>
#include <cstring>
#include <new>

#include "platform/core/Graphics.h"

namespace vantrel {

Picture::Picture(Integer width, Integer height, std::unique_ptr<std::uint16_t[]> bits)
    : width_(width),
      height_(height),
      bits_(std::move(bits)),
      graphics_(std::make_unique<vantrel::Graphics>(this)) {}

Picture::~Picture() = default;

std::uint16_t Picture::Pixel(Integer x, Integer y) const noexcept {
  std::uint16_t& pixel = bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                               static_cast<std::size_t>(x)];
  return std::atomic_ref<std::uint16_t>(pixel).load(std::memory_order_relaxed);
}

void Picture::SetPixel(Integer x, Integer y, std::uint16_t value) noexcept {
  std::uint16_t& pixel = bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                               static_cast<std::size_t>(x)];
  std::atomic_ref<std::uint16_t>(pixel).store(value, std::memory_order_relaxed);
}

std::shared_ptr<Picture> NewPicture(Integer width, Integer height, Integer depth) {
  if (depth != 16 || width <= 0 || height <= 0) {
    return nullptr;
  }
  const std::int64_t pixels = std::int64_t{width} * std::int64_t{height};
  if (pixels > Picture::kMaxPixels) {
    return nullptr;
  }
  std::unique_ptr<std::uint16_t[]> bits(new (std::nothrow)
                                            std::uint16_t[static_cast<std::size_t>(pixels)]);
  if (!bits) {
    return nullptr;
  }
  // No other thread can see the picture yet, so plain stores are safe here;
  // white is all bits set in RGB565.
  std::memset(bits.get(), 0xFF, static_cast<std::size_t>(pixels) * sizeof(std::uint16_t));
  try {
    return std::shared_ptr<Picture>(new Picture(width, height, std::move(bits)));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace vantrel
