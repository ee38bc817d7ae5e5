#include "OracleFracRender.h"

#include <cmath>

#include "platform/core/Thread.h"

namespace vantrel {

namespace {

double Square(double v) { return v * v; }

}  // namespace

OracleFracRender::OracleFracRender(Graphics& g, double X1, double X2, double Y1, double Y2,
                                   const std::vector<double>& Xs, const std::vector<double>& Ys,
                                   Integer limit)
    : G(g) {
  MaxIteration = limit;
  PointMax = static_cast<Integer>(Xs.size()) - 1;
  if (PointMax <= 0) {
    return;
  }
  aX.resize(static_cast<std::size_t>(PointMax) + 1);
  aY.resize(static_cast<std::size_t>(PointMax) + 1);
  const double W = static_cast<double>(G.Width());
  const double H = static_cast<double>(G.Height());
  for (Integer i = 0; i <= PointMax; ++i) {
    aX[i] = (Xs[i] - X1) * (W / (X2 - X1));
    aY[i] = (Ys[i] - Y1) * (H / (Y2 - Y1));
    Yield();
  }
  Angle = std::atan2(aY[PointMax] - aY[0], aX[PointMax] - aX[0]);
  Length = std::sqrt(Square(aY[0] - aY[PointMax]) + Square(aX[0] - aX[PointMax]));

  L.resize(static_cast<std::size_t>(PointMax));
  A.resize(static_cast<std::size_t>(PointMax));
  for (Integer i = 0; i <= PointMax - 1; ++i) {
    L[i] = std::sqrt(Square(aY[i] - aY[i + 1]) + Square(aX[i] - aX[i + 1]));
    A[i] = std::atan2(aY[i + 1] - aY[i], aX[i + 1] - aX[i]);
    Yield();
  }
  Iteration = -1;
}

void OracleFracRender::Draw() {
  if (PointMax > 0) {
    DrawIteration(aX[0], aX[PointMax], aY[0], aY[PointMax]);
  }
}

void OracleFracRender::DrawIteration(double x1, double x2, double y1, double y2) {
  Iteration = Iteration + 1;
  const Integer k = Iteration;
  if (k < MaxIteration) {
    const double d = std::sqrt(Square(y1 - y2) + Square(x1 - x2)) / Length;
    if (d * Length < 2.0) {
      DrawSegment(x1, x2, y1, y2);
    } else {
      const double rot = std::atan2(y2 - y1, x2 - x1) - Angle;
      double px = x1;
      double py = y1;
      for (Integer i = 0; i <= PointMax - 1; ++i) {
        const double a = A[i] + rot;
        const double l = d * L[i];
        const double nx = std::cos(a) * l + px;
        const double ny = std::sin(a) * l + py;
        DrawIteration(px, nx, py, ny);
        px = nx;
        py = ny;
        Yield();
      }
    }
  } else {
    DrawSegment(x1, x2, y1, y2);
    IterationMaxed = true;
  }
  Iteration = Iteration - 1;
}

void OracleFracRender::DrawSegment(double x1, double x2, double y1, double y2) {
  const double h = static_cast<double>(G.PenHeight) / 2.0;
  G.DrawLine(ToInteger(x1 - h), ToInteger(y1 - h), ToInteger(x2 - h), ToInteger(y2 - h));
}

}  // namespace vantrel
