#pragma once
// The point markers drawn over the preview: a dot per point (point colour, or
// selection colour when selected) and a ring around the last point, which
// marks where the path ends. Shared by the document (on the event thread) and
// its snapshots (on the preview thread), so both draw exactly alike.
#include <vector>

namespace vantrel {

class CanvasView;
class Graphics;
class SettingSet;

// Draws what unselected dots in index order, then the ring, then every
// selected dot would draw, so a selected dot lies over its neighbours and
// over the ring, in one drawing call on g. The time grows with the points
// only by a few steps each; the rest is bounded by g's size (and the dot
// size), however large the dots are. Leaves g with the selection colour and
// a pen of 0. Yields as it goes, so a preview thread can be killed while it
// draws a long path.
void DrawPointMarkers(Graphics& g, const std::vector<double>& xs, const std::vector<double>& ys,
                      const std::vector<bool>& selected, const SettingSet& settings,
                      const CanvasView& view);

}  // namespace vantrel
