#pragma once
// A picture shown smaller than its size, shrunk by averaging: every pixel of
// the smaller picture is the mean of the pixels it stands for, so lines one
// pixel wide stay visible (dimmer) instead of breaking up as they do when
// every n-th pixel is picked.
#include <memory>

#include "Numbers.h"

namespace vantrel {

class Picture;
class PicturePyramid;

// The rectangle (left, top, width, height) of `picture` scaled down to
// scaledWidth x scaledHeight, each pixel averaged over the part of `picture`
// it covers. Reads pixels and cells one at a time, so a worker may still
// draw into `picture` and update `pyramid`.
//
// Where a pixel covers less than 8 x 8 of the picture's pixels the average
// is taken from the picture itself, exactly. Beyond, it is taken from the
// pyramid's level whose cells are at most half as wide as the part a pixel
// covers, each cell weighted by how much of it lies in that part (as if its
// pixels were alike), so a pixel of the view reads between 2 x 2 and 5 x 5
// cells whatever the picture's size. A line one pixel wide that crosses a
// cell at the edge of a pixel's part is then shared with the neighbouring
// pixel, a few steps of a component off the exact average at worst; it
// stays whole, as the larger share shows it all along.
//
// Gives nullptr when a size is not positive, a scaled side exceeds the
// picture's, the rectangle does not lie within the scaled picture, no
// picture can be made, or the part would need a pyramid (of the picture's
// size) that is missing or not yet Ready.
std::shared_ptr<Picture> ShrunkPart(const Picture& picture, const PicturePyramid* pyramid,
                                    Integer scaledWidth, Integer scaledHeight, Integer left,
                                    Integer top, Integer width, Integer height);

}  // namespace vantrel
