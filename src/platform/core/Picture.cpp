#include "platform/core/Picture.h"

#include <atomic>
#include <algorithm>
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

void Picture::Paint(Color colour) noexcept {
  const std::uint16_t value = ToRGB565(colour);
  const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  if (!Painted()) {
    std::fill_n(bits_.get(), count, value);
    painted_.store(true, std::memory_order_release);
    return;
  }
  for (std::size_t i = 0; i < count; ++i) {
    std::atomic_ref<std::uint16_t>(bits_[i]).store(value, std::memory_order_relaxed);
  }
}

std::shared_ptr<Picture> NewPicture(Integer width, Integer height, Integer depth) {
  std::shared_ptr<Picture> picture = NewUnpaintedPicture(width, height, depth);
  if (picture) {
    // No other thread can see the picture yet.
    picture->Paint(Color{255, 255, 255});
  }
  return picture;
}

std::shared_ptr<Picture> NewUnpaintedPicture(Integer width, Integer height, Integer depth) {
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
  try {
    return std::shared_ptr<Picture>(new Picture(width, height, std::move(bits)));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace vantrel
