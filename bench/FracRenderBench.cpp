// A render as the render thread makes it, with the fast renderer and with
// the oracle, on four generators at two picture sizes with a 1-pixel pen and
// the render's depth limit of 500. The view frames the chord across 95 % of
// the picture. PeanoZoomed/<zoom> is the fast renderer on Peano at
// 4000 x 4000 with that view zoomed 9x or 81x about the same centre: the
// curve fills the picture and most copies lie outside it.
// Cliff/<generator>/<width> is the fast renderer at 4000 x 4000 in a view
// about (0.5, 0) whose longest copies at the last level lie within a
// millionth of 2 pixels (width 1000), and in the views 0.1 % narrower (999)
// and wider (1001). Paint/<size> is the part of every render that is not the
// renderer's.
//
//   build/bench/vantrel_render_bench --benchmark_filter=Peano/4000
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "Generators.h"
#include "OracleFracRender.h"
#include "model/FracRender.h"
#include "platform/core/Picture.h"

namespace vantrel {
namespace {

using testing::Path;

constexpr Integer kRenderLimit = 500;

struct Fast {
  static UInt64 Draw(Graphics& g, const testing::View& v, const Path& path) {
    FracRender render(g, v.X1, v.X2, v.Y1, v.Y2, path.Xs, path.Ys, kRenderLimit);
    render.Draw();
    return render.LinesDrawn();
  }
};

// Counts the oracle's lines on the way to the real DrawLine.
class CountingGraphics : public Graphics {
 public:
  explicit CountingGraphics(Picture* target) : Graphics(target) {}
  void DrawLine(Integer x1, Integer y1, Integer x2, Integer y2) override {
    ++Lines;
    Graphics::DrawLine(x1, y1, x2, y2);
  }
  UInt64 Lines = 0;
};

struct Oracle {
  static UInt64 Draw(Graphics& g, const testing::View& v, const Path& path) {
    CountingGraphics counting(g.Target());
    counting.ForeColor = g.ForeColor;
    OracleFracRender render(counting, v.X1, v.X2, v.Y1, v.Y2, path.Xs, path.Ys, kRenderLimit);
    render.Draw();
    return counting.Lines;
  }
};

constexpr Color kBackground{255, 255, 255};
constexpr Color kLine{0, 160, 0};

// Each render draws into a picture of its own, never touched before: the
// window takes its memory untouched and the render thread paints it once
// before it draws, so the drawing starts with cold caches and, on a large
// picture, memory the kernel has only just mapped. Taking and releasing
// the memory is the event thread's work and stays out of the time; the
// paint is the render thread's and is in it. (Drawing again and again into
// one warm picture made gains appear that a real render does not show.)
class FreshPicture {
 public:
  FreshPicture(benchmark::State& state, Integer size) : state_(state) {
    state_.PauseTiming();
    picture_ = NewUnpaintedPicture(size, size, 16);
    state_.ResumeTiming();
    picture_->Paint(kBackground);
  }
  FreshPicture(const FreshPicture&) = delete;
  FreshPicture& operator=(const FreshPicture&) = delete;
  ~FreshPicture() {
    state_.PauseTiming();
    picture_.reset();
    state_.ResumeTiming();
  }
  Graphics& Surface() { return picture_->Graphics(); }

 private:
  benchmark::State& state_;
  std::shared_ptr<Picture> picture_;
};

template <class Renderer>
void Render(benchmark::State& state, Path (*generator)(), Integer size, double zoom) {
  const Path path = generator();
  const testing::View view = testing::CentredView(size, 0.95 * size * zoom);
  UInt64 segments = 0;
  for (auto _ : state) {
    FreshPicture picture(state, size);
    Graphics& g = picture.Surface();
    g.ForeColor = kLine;
    segments += Renderer::Draw(g, view, path);
    benchmark::ClobberMemory();
  }
  state.counters["segments"] =
      benchmark::Counter(static_cast<double>(segments), benchmark::Counter::kIsRate);
  state.counters["per_drawing"] =
      benchmark::Counter(static_cast<double>(segments) / static_cast<double>(state.iterations()));
}

template <class Renderer>
void Register(const std::string& renderer) {
  struct Generator {
    const char* Name;
    Path (*Make)();
  };
  for (const Generator& generator :
       {Generator{"Koch", &testing::Koch}, Generator{"Peano", &testing::Peano},
        Generator{"LevyC", &testing::LevyC}, Generator{"Irregular12", &testing::Irregular12}}) {
    benchmark::RegisterBenchmark(
        (renderer + "/" + generator.Name).c_str(),
        [make = generator.Make](benchmark::State& state) {
          Render<Renderer>(state, make, static_cast<Integer>(state.range(0)), 1.0);
        })
        ->Arg(800)
        ->Arg(4000)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
}

void RegisterZoomed() {
  benchmark::RegisterBenchmark("Fast/PeanoZoomed",
                               [](benchmark::State& state) {
                                 Render<Fast>(state, &testing::Peano, 4000,
                                              static_cast<double>(state.range(0)));
                               })
      ->Arg(9)
      ->Arg(81)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
}

// Views of the zooms: the chord spans 2 * 3^11 or 2 * sqrt(2)^35
// pixels, a millionth short, so the copies of the last level are just
// under 2 pixels.
void RegisterCliffs() {
  struct Cliff {
    const char* Name;
    Path (*Make)();
    double HalfWidth;
  };
  for (const Cliff& cliff : {Cliff{"Peano", &testing::Peano, 0.005645032091992808},
                             Cliff{"LevyC", &testing::LevyC, 0.005394799306794076}}) {
    benchmark::RegisterBenchmark(
        (std::string("Fast/Cliff/") + cliff.Name).c_str(),
        [cliff](benchmark::State& state) {
          const Path path = cliff.Make();
          const double half = cliff.HalfWidth * static_cast<double>(state.range(0)) / 1000.0;
          const testing::View view{0.5 - half, 0.5 + half, -half, half};
          UInt64 segments = 0;
          for (auto _ : state) {
            FreshPicture picture(state, 4000);
            Graphics& g = picture.Surface();
            g.ForeColor = kLine;
            segments += Fast::Draw(g, view, path);
            benchmark::ClobberMemory();
          }
          state.counters["per_drawing"] = benchmark::Counter(
              static_cast<double>(segments) / static_cast<double>(state.iterations()));
        })
        ->Arg(999)
        ->Arg(1000)
        ->Arg(1001)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
}

void Paint(benchmark::State& state) {
  for (auto _ : state) {
    FreshPicture picture(state, static_cast<Integer>(state.range(0)));
    benchmark::ClobberMemory();
  }
}

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
  vantrel::Register<vantrel::Fast>("Fast");
  vantrel::RegisterZoomed();
  vantrel::RegisterCliffs();
  vantrel::Register<vantrel::Oracle>("Oracle");
  benchmark::RegisterBenchmark("Paint", &vantrel::Paint)
      ->Arg(800)
      ->Arg(4000)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
