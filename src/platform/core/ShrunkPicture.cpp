#include "platform/core/ShrunkPicture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/core/Picture.h"

namespace vantrel {
namespace {

using Int64 = std::int64_t;

// The source pixels [first, last) that scaled pixel i of `scaled` stands for
// out of `side`; never empty.
struct Span {
  Int64 first;
  Int64 last;
};

Span SourceSpan(Int64 i, Int64 scaled, Int64 side) {
  const Int64 first = i * side / scaled;
  const Int64 last = std::max((i + 1) * side / scaled, first + 1);
  return {first, std::min(last, side)};
}

std::vector<Span> Spans(Int64 from, Int64 count, Int64 scaled, Int64 side) {
  std::vector<Span> spans(static_cast<std::size_t>(count));
  for (Int64 i = 0; i < count; ++i) {
    spans[static_cast<std::size_t>(i)] = SourceSpan(from + i, scaled, side);
  }
  return spans;
}

// The mean of the RGB565 pixels in the box, rounded, per component.
std::uint16_t BoxMean(const Picture& picture, const Span& xs, const Span& ys) {
  Int64 red = 0;
  Int64 green = 0;
  Int64 blue = 0;
  for (Int64 y = ys.first; y < ys.last; ++y) {
    for (Int64 x = xs.first; x < xs.last; ++x) {
      const std::uint16_t p = picture.Pixel(static_cast<Integer>(x), static_cast<Integer>(y));
      red += p >> 11;
      green += (p >> 5) & 0x3F;
      blue += p & 0x1F;
    }
  }
  const Int64 n = (xs.last - xs.first) * (ys.last - ys.first);
  const auto mean = [n](Int64 sum) { return static_cast<std::uint16_t>((sum + n / 2) / n); };
  return static_cast<std::uint16_t>(mean(red) << 11 | mean(green) << 5 | mean(blue));
}

}  // namespace

std::shared_ptr<Picture> ShrunkPart(const Picture& picture, Integer scaledWidth,
                                    Integer scaledHeight, Integer left, Integer top, Integer width,
                                    Integer height) {
  if (scaledWidth <= 0 || scaledHeight <= 0 || width <= 0 || height <= 0 || left < 0 || top < 0 ||
      std::int64_t{left} + width > scaledWidth || std::int64_t{top} + height > scaledHeight) {
    return nullptr;
  }
  std::shared_ptr<Picture> part = NewPicture(width, height, 16);
  if (part == nullptr) return nullptr;
  const std::vector<Span> columns = Spans(left, width, scaledWidth, picture.Width());
  for (Integer y = 0; y < height; ++y) {
    const Span rows = SourceSpan(std::int64_t{top} + y, scaledHeight, picture.Height());
    for (Integer x = 0; x < width; ++x) {
      part->SetPixel(x, y, BoxMean(picture, columns[static_cast<std::size_t>(x)], rows));
    }
  }
  return part;
}

}  // namespace vantrel
