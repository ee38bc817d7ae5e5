// The one pass over every point that drawing the point markers makes, on the
// most points a document may hold, scattered as in the Select All benchmark:
// range(0) is the dot size, range(1) the parts it may be split into (1: the
// calling thread alone, as on a machine of one core; 2: a two-core machine;
// 0: every hardware thread).
//
//   build/bench/vantrel_dot_gather_bench --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>

#include <cstdint>
#include <thread>
#include <vector>

#include "editor/CanvasView.h"
#include "editor/DotGather.h"
#include "editor/DocumentModel.h"

namespace vantrel {
namespace {

void GatherDots(benchmark::State& state) {
  CanvasView view;
  view.X2 = 1.0;
  view.Y2 = 1.0;
  view.Width = 940;
  view.Height = 765;
  std::vector<double> xs(kMaxDocumentPoints);
  std::vector<double> ys(kMaxDocumentPoints);
  std::uint64_t seed = 1;
  const auto scattered = [&seed] {  // uniform in [-0.5, 1.5)
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(seed >> 11) / static_cast<double>(std::uint64_t{1} << 53) * 2.0 -
           0.5;
  };
  for (std::size_t i = 0; i < xs.size(); ++i) {
    xs[i] = scattered();
    ys[i] = scattered();
  }
  const std::vector<bool> selected(xs.size(), true);
  const auto parts = static_cast<std::size_t>(state.range(1));
  const DotGather gather(view, static_cast<double>(state.range(0)), view.Width, view.Height);
  for (auto _ : state) {
    DotGather::Dots dots = gather.Gather(xs, ys, selected, DotGather::kMinPointsPerPart,
                                         parts == 0 ? std::thread::hardware_concurrency() : parts);
    benchmark::DoNotOptimize(dots);
  }
}
BENCHMARK(GatherDots)
    ->ArgsProduct({{8, 999}, {1, 2, 0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
