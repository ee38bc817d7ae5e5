#pragma once
// Helpers for the renderer's tests: surfaces that record lines, renders of a
// path by the fast renderer and by the oracle, and a thread that runs a function.
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "Generators.h"
#include "OracleFracRender.h"
#include "model/FracRender.h"
#include "platform/core/Graphics.h"
#include "platform/core/Picture.h"
#include "platform/core/Thread.h"

namespace vantrel::testing {

struct LineRecord {
  Integer X1, Y1, X2, Y2;
  friend bool operator==(const LineRecord&, const LineRecord&) = default;
};

// Thrown by a recording render when the drawing exceeds its line cap.
struct TooManyLines {};

// A surface that records every DrawLine before drawing it. Without a picture
// (as a window's canvas) it has a size but no Target(), so everything must
// come through DrawLine.
class RecordingGraphics : public Graphics {
 public:
  explicit RecordingGraphics(Picture* target, Integer size = 0) : Graphics(target), size_(size) {}
  Integer Width() const override { return Target() != nullptr ? Graphics::Width() : size_; }
  Integer Height() const override { return Target() != nullptr ? Graphics::Height() : size_; }
  void DrawLine(Integer x1, Integer y1, Integer x2, Integer y2) override {
    if (Lines.size() == Cap) {
      throw TooManyLines{};
    }
    Lines.push_back({x1, y1, x2, y2});
    Graphics::DrawLine(x1, y1, x2, y2);
  }
  std::vector<LineRecord> Lines;
  std::size_t Cap = ~std::size_t{0};

 private:
  Integer size_;
};

// A picture's width and height; one number is a square.
struct Size {
  Size(Integer side) : Width(side), Height(side) {}  // NOLINT: a side converts, as a square
  Size(Integer width, Integer height) : Width(width), Height(height) {}
  Integer Width;
  Integer Height;
};

struct Pen {
  Integer Width = 1;
  Integer Height = 1;
};

struct RenderResult {
  std::shared_ptr<Picture> Pic;
  std::vector<LineRecord> Lines;
  UInt64 CurrentProgress = 0;
  UInt64 ProgressMax = 0;
  bool IterationMaxed = false;
  Integer MaxIteration = 0;
  UInt64 LinesDrawn = 0;   // the renderer's own count
  bool Completed = false;  // Drawingcomplete was raised
};

inline void SetPen(Graphics& g, Pen pen) {
  g.ForeColor = Color{200, 30, 60};
  g.PenWidth = pen.Width;
  g.PenHeight = pen.Height;
}

inline RenderResult RenderFast(const Path& path, const View& view, Size size, Pen pen,
                               Integer limit, bool record = true,
                               std::size_t cap = ~std::size_t{0},
                               FracRender::Shortcuts shortcuts = {}) {
  RenderResult result;
  result.Pic = NewPicture(size.Width, size.Height, 16);
  Graphics& g = result.Pic->Graphics();
  FracRender render(g, view.X1, view.X2, view.Y1, view.Y2, path.Xs, path.Ys, limit);
  SetPen(g, pen);
  render.UseShortcuts(shortcuts);
  if (record) {
    render.ObserveLines([&result, cap](Integer x1, Integer y1, Integer x2, Integer y2) {
      if (result.Lines.size() == cap) {
        throw TooManyLines{};
      }
      result.Lines.push_back({x1, y1, x2, y2});
    });
  }
  render.Drawingcomplete = [&result] { result.Completed = true; };
  render.Draw();
  result.CurrentProgress = render.CurrentProgress();
  result.ProgressMax = render.ProgressMax();
  result.IterationMaxed = render.IterationMaxed();
  result.MaxIteration = render.MaxIteration();
  result.LinesDrawn = render.LinesDrawn();
  return result;
}

// The depth limit after the renderer's cap, found without drawing.
inline Integer CappedLimit(const Path& path, const View& view, Size size, Integer limit) {
  const auto picture = NewPicture(size.Width, size.Height, 16);
  const FracRender render(picture->Graphics(), view.X1, view.X2, view.Y1, view.Y2, path.Xs,
                          path.Ys, limit);
  return render.MaxIteration();
}

// The oracle draws to the limit given, which it does not cap.
inline RenderResult RenderOracle(const Path& path, const View& view, Size size, Pen pen,
                                 Integer limit, std::size_t cap = ~std::size_t{0}) {
  RenderResult result;
  result.Pic = NewPicture(size.Width, size.Height, 16);
  RecordingGraphics g(result.Pic.get());
  g.Cap = cap;
  OracleFracRender render(g, view.X1, view.X2, view.Y1, view.Y2, path.Xs, path.Ys, limit);
  SetPen(g, pen);
  render.Draw();
  result.Lines = std::move(g.Lines);
  result.IterationMaxed = render.IterationMaxed;
  return result;
}

// The lines whose pen could touch the picture, with a pixel to spare: the
// renderer may skip only lines well clear of it.
inline std::vector<LineRecord> Touching(const std::vector<LineRecord>& lines, Size size, Pen pen) {
  std::vector<LineRecord> kept;
  for (const LineRecord& l : lines) {
    if (std::max(l.X1, l.X2) >= -pen.Width && std::max(l.Y1, l.Y2) >= -pen.Height &&
        std::min(l.X1, l.X2) <= size.Width && std::min(l.Y1, l.Y2) <= size.Height) {
      kept.push_back(l);
    }
  }
  return kept;
}

// Pixels that differ between two pictures of the same size.
inline std::size_t DifferentPixels(const Picture& a, const Picture& b) {
  std::size_t count = 0;
  for (Integer y = 0; y < a.Height(); ++y) {
    for (Integer x = 0; x < a.Width(); ++x) {
      count += a.Pixel(x, y) != b.Pixel(x, y) ? 1 : 0;
    }
  }
  return count;
}

// Pixels that are not white.
inline std::size_t ChangedPixels(const Picture& picture) {
  return DifferentPixels(picture, *NewPicture(picture.Width(), picture.Height(), 16));
}

class FunctionThread : public Thread {
 public:
  explicit FunctionThread(std::function<void()> body) : body_(std::move(body)) {}

 protected:
  void OnRun() override { body_(); }

 private:
  std::function<void()> body_;
};

}  // namespace vantrel::testing
