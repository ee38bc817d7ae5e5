#pragma once
// The grid of the preview pictures: vertical lines on the multiples of 1/kx
// and horizontal lines on the multiples of 1/ky that lie inside the view
// rectangle, each across the whole surface, drawn with g's current pen and
// colour.
#include "platform/core/Numbers.h"

namespace vantrel {

class CanvasView;
class Graphics;

// A density that is 0, negative or not finite draws no lines in its
// direction. Lines closer together than a pixel are drawn once per pixel
// column or row, which gives the same picture in at most one line per pixel,
// so no density can stall the preview. Yields once per line.
void DrawPreviewGrid(Graphics& g, const CanvasView& view, double kx, double ky);

}  // namespace vantrel
