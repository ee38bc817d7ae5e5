#pragma once
// Generator paths shared by the renderer's tests and benchmarks. Every path
// runs from (0, 0) to (1, 0) unless it says otherwise.
#include <cmath>
#include <random>
#include <vector>

namespace vantrel::testing {

struct Path {
  std::vector<double> Xs;
  std::vector<double> Ys;
};

// Four segments of a third, the middle two forming a peak.
inline Path Koch() {
  const double peak = -std::sqrt(3.0) / 6.0;
  return {{0.0, 1.0 / 3.0, 0.5, 2.0 / 3.0, 1.0}, {0.0, 0.0, peak, 0.0, 0.0}};
}

// Nine segments of a third, the space-filling curve's generator.
inline Path Peano() {
  const double t = 1.0 / 3.0;
  return {{0.0, t, t, 2 * t, 2 * t, t, t, 2 * t, 2 * t, 1.0},
          {0.0, 0.0, t, t, 0.0, 0.0, -t, -t, 0.0, 0.0}};
}

// Two segments of 1/sqrt(2) at a right angle.
inline Path LevyC() { return {{0.0, 0.5, 1.0}, {0.0, -0.5, 0.0}}; }

// The chord alone: it replaces itself at every depth.
inline Path TwoPoints() { return {{0.0, 1.0}, {0.0, 0.0}}; }

// First segment 0.1 % longer than the chord, second segment 1/20 of it: the
// long copies reach any depth limit while the short ones die out quickly, so
// even a limit of 500 stays cheap.
inline Path LongerThanChord() {
  const double a = 1.001;
  const double b = 0.05;
  const double x = (a * a - b * b + 1.0) / 2.0;
  return {{0.0, x, 1.0}, {0.0, -std::sqrt(a * a - x * x), 0.0}};
}

// Five segments of about 2/3 of the chord that run on past the end and come
// back: its copies stray far from the segment they replace, a point lying
// 1.8 chords from the start, while every segment is shorter than the chord.
inline Path Overshoot() {
  return {{0.0, 0.6, 1.2, 1.8, 1.6, 1.0}, {0.0, -0.3, -0.6, -0.3, 0.3, 0.0}};
}

// Twelve irregular points whose longest segment is 0.36 of the chord.
inline Path Irregular12() {
  return {{0.0, 0.17, 0.28, 0.22, 0.36, 0.50, 0.47, 0.61, 0.70, 0.66, 0.84, 1.0},
          {0.0, -0.08, -0.21, -0.34, -0.30, -0.41, -0.22, -0.18, -0.31, -0.07, -0.12, 0.0}};
}

// n points, chord (0, 0) to (1, 0), the inner points scattered over
// [0.05, 0.95] x [-0.4, 0.4]. Segments may be longer than the chord.
inline Path RandomPath(std::mt19937_64& random, int n) {
  std::uniform_real_distribution<double> across(0.05, 0.95);
  std::uniform_real_distribution<double> up(-0.4, 0.4);
  Path path;
  path.Xs.push_back(0.0);
  path.Ys.push_back(0.0);
  for (int i = 1; i + 1 < n; ++i) {
    path.Xs.push_back(across(random));
    path.Ys.push_back(up(random));
  }
  path.Xs.push_back(1.0);
  path.Ys.push_back(0.0);
  return path;
}

struct View {
  double X1, X2, Y1, Y2;
};

// A view of a width x height picture centred on (x, y), in which a unit of
// the fractal spans `chord` pixels across and `chord * stretch` down.
inline View ViewAbout(double x, double y, int width, int height, double chord,
                      double stretch = 1.0) {
  const double halfX = width / chord / 2.0;
  const double halfY = height / (chord * stretch) / 2.0;
  return {x - halfX, x + halfX, y - halfY, y + halfY};
}

// A view of a size x size picture in which the chord (0, 0)-(1, 0) spans
// `chord` pixels, centred.
inline View CentredView(int size, double chord) { return ViewAbout(0.5, 0.0, size, size, chord); }

}  // namespace vantrel::testing
