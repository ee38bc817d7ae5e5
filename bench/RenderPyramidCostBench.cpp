// What keeping the pyramid adds to a render: one whole render of a Peano
// curve (nine segments of a third; it fills half of the picture) into a
// 16000 x 16000 picture by the render worker, from its start to the end of
// its body, without a pyramid (`/0`) and with one (`/1`: the updating thread
// during the drawing, then the last update on the worker before its end).
//
//   build/bench/vantrel_render_pyramid_cost_bench --benchmark_repetitions=3
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include "editor/DocumentSnapshot.h"
#include "model/SettingSet.h"
#include "platform/core/Picture.h"
#include "platform/core/PicturePyramid.h"
#include "render/RenderThread.h"

namespace vantrel {
namespace {

constexpr Integer kSide = 16000;

std::shared_ptr<const DocumentSnapshot> Peano() {
  const double t = 1.0 / 3.0;
  const std::vector<double> xs{0.0, t, t, 2 * t, 2 * t, t, t, 2 * t, 2 * t, 1.0};
  const std::vector<double> ys{0.5, 0.5, 0.5 + t, 0.5 + t, 0.5, 0.5, 0.5 - t, 0.5 - t, 0.5, 0.5};
  const CanvasView view{.X1 = 0, .X2 = 1, .Y1 = 0, .Y2 = 1, .Width = 100, .Height = 100};
  return std::make_shared<const DocumentSnapshot>(xs, ys, std::vector<bool>(xs.size(), false), view,
                                                  std::make_shared<SettingSet>());
}

void WholeRender(benchmark::State& state) {
  const auto doc = Peano();
  for (auto _ : state) {
    state.PauseTiming();
    auto picture = NewUnpaintedPicture(kSide, kSide, 16);
    auto pyramid = state.range(0) != 0 ? PicturePyramid::New(kSide, kSide) : nullptr;
    auto worker = std::make_shared<RenderThread>(
        picture, pyramid, doc, [](std::function<void()>) {}, nullptr);
    state.ResumeTiming();
    worker->Run();
    worker->WaitUntilEnded(std::chrono::minutes(10));
  }
}

BENCHMARK(WholeRender)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
