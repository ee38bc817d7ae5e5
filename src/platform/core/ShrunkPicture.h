#pragma once
// A picture shown smaller than its size, shrunk by averaging: every pixel of
// the smaller picture is the mean of the pixels it stands for, so lines one
// pixel wide stay visible (dimmer) instead of breaking up as they do when
// every n-th pixel is picked.
#include <memory>

#include "Numbers.h"

namespace vantrel {

class Picture;

// The rectangle (left, top, width, height) of `picture` scaled to
// scaledWidth x scaledHeight, each pixel averaged over the part of `picture`
// it covers. Meant for shrinking: a scaled side larger than the picture's
// side repeats pixels. Gives nullptr when a size is not positive, the
// rectangle does not lie within the scaled picture, or no picture can be
// made. Reads pixels one at a time, so a worker may still draw into
// `picture`.
std::shared_ptr<Picture> ShrunkPart(const Picture& picture, Integer scaledWidth,
                                    Integer scaledHeight, Integer left, Integer top, Integer width,
                                    Integer height);

}  // namespace vantrel
