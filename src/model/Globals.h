#pragma once
// Geometry and folder functions shared by the document window, the
// application and the render window, and the document window's canvas margins.
#include "platform/core/FolderItem.h"
#include "platform/core/Numbers.h"

namespace vantrel::Globals {

// Document window size minus canvas size, in pixels. Set once, by the first
// document window's canvas, on the event thread; 0 until then.
extern Integer FracCanRightBorder;
extern Integer FracCanBottomBorder;

// value clamped to lo..hi; lo wins when lo > hi, and a value that is not a
// number gives lo.
double Limit(double lo, double value, double hi);

// Refits the view rectangle about its centre when the canvas changes from
// oldWidth x oldHeight to newWidth x newHeight, keeping pixels square: the y
// extent follows from the new x extent. A size that is not positive, or a
// result that is not finite, leaves the rectangle as it was.
void Resize(double& X1, double& X2, double& Y1, double& Y2, Integer newWidth, Integer newHeight,
            double oldWidth, double oldHeight);

// True when value lies strictly between the two bounds, given in either order.
bool IsBetween(double bound1, double bound2, double value);

// Whether the key that toggles single points in and out of the selection
// (Command, on Linux Ctrl) is held right now.
bool DiscontinousSelectKey();

// The "Saved Fractals" folder in the documents folder, created when missing;
// returned even when it could not be created.
FolderItem FracFolder();

}  // namespace vantrel::Globals
