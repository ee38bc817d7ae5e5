// Drawn segments per second of the fast renderer and of the oracle, on four
// generators at two picture sizes with a 1-pixel pen and the render's depth
// limit of 500. The view frames the chord across 95 % of the picture.
// PeanoZoomed/<zoom> is the fast renderer on Peano at 4000 x 4000 with that
// view zoomed 9x or 81x about the same centre: the curve fills the picture
// and most copies lie outside it.
// Cliff/<generator>/<width> is the fast renderer at 4000 x 4000 in a view
// about (0.5, 0) whose longest copies at the last level lie within a
// millionth of 2 pixels (width 1000), and in the views 0.1 % narrower (999)
// and wider (1001); each drawing goes into a fresh picture, as a render's
// does.
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

template <class Renderer>
void Render(benchmark::State& state, Path (*generator)(), Integer size, double zoom) {
  const Path path = generator();
  const testing::View view = testing::CentredView(size, 0.95 * size * zoom);
  auto picture = NewPicture(size, size, 16);
  Graphics& g = picture->Graphics();
  g.ForeColor = Color{0, 160, 0};
  UInt64 segments = 0;
  for (auto _ : state) {
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
            auto picture = NewPicture(4000, 4000, 16);
            picture->Graphics().ForeColor = Color{0, 160, 0};
            segments += Fast::Draw(picture->Graphics(), view, path);
            benchmark::DoNotOptimize(picture->Pixel(2000, 2000));
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

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
  vantrel::Register<vantrel::Fast>("Fast");
  vantrel::RegisterZoomed();
  vantrel::RegisterCliffs();
  vantrel::Register<vantrel::Oracle>("Oracle");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
