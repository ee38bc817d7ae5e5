#pragma once
// The renderer's steps written out one for one, trigonometry per call and all,
// as the reference the fast FracRender is checked against (and measured
// against in bench/). Nothing here is tuned; keep it that way. It draws to
// the depth limit it is given: the depth cap and the progress are checked
// against values worked out by hand, not against a second copy of them.
#include <vector>

#include "platform/core/Graphics.h"
#include "platform/core/Numbers.h"

namespace vantrel {

class OracleFracRender {
 public:
  OracleFracRender(Graphics& g, double X1, double X2, double Y1, double Y2,
                   const std::vector<double>& Xs, const std::vector<double>& Ys, Integer limit);

  void Draw();

  std::vector<double> A;
  double Angle = 0;
  std::vector<double> aX;
  std::vector<double> aY;
  Integer Iteration = 0;
  std::vector<double> L;
  double Length = 0;
  Integer PointMax = 0;
  Graphics& G;
  Integer MaxIteration = 0;
  bool IterationMaxed = false;

 private:
  void DrawIteration(double x1, double x2, double y1, double y2);
  void DrawSegment(double x1, double x2, double y1, double y2);
};

}  // namespace vantrel
