#pragma once
// The renderer's steps written out one for one, trigonometry per call and all,
// as the reference the fast FracRender is checked against (and measured
// against in bench/). Nothing here is tuned; keep it that way.
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
  double DrawScale = 0;
  Integer Iteration = 0;
  std::vector<double> L;
  double Length = 0;
  Integer PointMax = 0;
  Graphics& G;
  UInt64 ProgressMax = 0;
  Integer MaxIteration = 0;
  bool IterationMaxed = false;
  UInt64 CurrentProgress = 0;
  Integer ProgressIteration = 0;

  // Deepest Iteration seen while drawing; for the tests' depth checks.
  Integer DeepestIteration = -1;

 private:
  void DrawIteration(double x1, double x2, double y1, double y2);
  void DrawSegment(double x1, double x2, double y1, double y2);
  void CountProgress(Integer k);
};

}  // namespace vantrel
