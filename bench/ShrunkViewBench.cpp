// The render view below 100 % on the event thread: one canvas of a
// 16000 x 16000 picture shrunk by averaging (ShrunkPart, what a zoom change,
// a progress redraw or a paint costs), at 1 %, 2 %, 12.5 % and 66.7 % and at
// 7 % (the zoom with the most cells a pixel, on that picture), for the
// render window's largest opening canvas (484 x 457) and a maximised one
// (1904 x 1000); `Finished/...` with the pyramid at rest, `Rendering/...`
// while another thread draws lines into the picture and updates the pyramid
// all the time, as the worker does. `PyramidUpdate` is the worker's cost of
// one full update of the pyramid of that picture.
//
//   build/bench/vantrel_shrunk_view_bench --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>
#include <random>
#include <thread>

#include "platform/core/Graphics.h"
#include "platform/core/Picture.h"
#include "platform/core/PicturePyramid.h"
#include "platform/core/ShrunkPicture.h"

namespace vantrel {
namespace {

constexpr Integer kSide = 16000;

void DrawLines(Picture& picture, int count, unsigned seed) {
  std::mt19937 random(seed);
  Graphics& g = picture.Graphics();
  for (int i = 0; i < count; ++i) {
    g.ForeColor = Color{static_cast<std::uint8_t>(random()), 255, 0};
    const auto x = static_cast<Integer>(random() % kSide);
    const auto y = static_cast<Integer>(random() % kSide);
    g.DrawLine(x, y, x + static_cast<Integer>(random() % 2001) - 1000,
               y + static_cast<Integer>(random() % 2001) - 1000);
  }
}

// One 16000 x 16000 picture with lines on black and its pyramid, made once.
struct Scene {
  std::shared_ptr<Picture> Fractal = NewPicture(kSide, kSide, 16);
  std::shared_ptr<PicturePyramid> Pyramid = PicturePyramid::New(kSide, kSide);
  Scene() {
    Fractal->Graphics().ForeColor = Color{0, 0, 0};
    Fractal->Graphics().FillRect(0, 0, kSide, kSide);
    DrawLines(*Fractal, 20000, 1);
    Pyramid->Update(*Fractal);
  }
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

void View(benchmark::State& state, bool rendering) {
  Scene& scene = TheScene();
  const double zoom = static_cast<double>(state.range(0)) / 1000.0;
  const auto canvasWidth = static_cast<Integer>(state.range(1));
  const auto canvasHeight = static_cast<Integer>(state.range(2));
  const Integer scaled = ToInteger(kSide * zoom);
  const Integer width = std::min(scaled, canvasWidth);
  const Integer height = std::min(scaled, canvasHeight);
  std::atomic<bool> stop{false};
  std::thread worker;
  if (rendering) {
    worker = std::thread([&scene, &stop] {
      for (unsigned seed = 2; !stop.load(); ++seed) {
        DrawLines(*scene.Fractal, 1000, seed);
        scene.Pyramid->Update(*scene.Fractal, [&stop] { return stop.load(); });
      }
    });
  }
  // The middle of the scaled picture, where a scrolled view would be.
  const Integer left = (scaled - width) / 2;
  const Integer top = (scaled - height) / 2;
  for (auto _ : state) {
    auto part =
        ShrunkPart(*scene.Fractal, scene.Pyramid.get(), scaled, scaled, left, top, width, height);
    benchmark::DoNotOptimize(part);
  }
  stop = true;
  if (worker.joinable()) worker.join();
}

void Finished(benchmark::State& state) { View(state, false); }
void Rendering(benchmark::State& state) { View(state, true); }

void ViewArgs(benchmark::internal::Benchmark* b) {
  for (int zoom : {10, 20, 70, 125, 667}) {
    b->Args({zoom, 484, 457});
    b->Args({zoom, 1904, 1000});
  }
  b->ArgNames({"zoom_permille", "canvas_w", "canvas_h"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(Finished)->Apply(ViewArgs);
BENCHMARK(Rendering)->Apply(ViewArgs)->UseRealTime();

void PyramidUpdate(benchmark::State& state) {
  Scene& scene = TheScene();
  for (auto _ : state) scene.Pyramid->Update(*scene.Fractal);
}

BENCHMARK(PyramidUpdate)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
