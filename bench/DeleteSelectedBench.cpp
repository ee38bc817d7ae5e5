// Deleting the selected points, as the Delete and Backspace keys do: one
// million scattered selected points (every other point of two million, and
// every fourth of four million, the most a large file holds), removed and
// published for the preview in one edit.
//
//   build/bench/vantrel_delete_selected_bench
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>

#include "editor/DocumentModel.h"

namespace vantrel {
namespace {

constexpr std::size_t kSelected = 1'000'000;

// A document without a window: a fixed canvas, no preview thread.
class Document : public DocumentModel {
 public:
  Integer CanvasWidth() const override { return 315; }
  Integer CanvasHeight() const override { return 315; }
};

// count points on a zigzag, every stride-th one selected.
void Fill(Document& doc, std::size_t count, std::size_t stride) {
  doc.Xpoints.resize(count);
  doc.Ypoints.resize(count);
  doc.SelectedPoints.assign(count, false);
  for (std::size_t i = 0; i < count; ++i) {
    doc.Xpoints[i] = static_cast<double>(i) / static_cast<double>(count);
    doc.Ypoints[i] = (i % 2 == 0) ? 0.25 : 0.75;
    doc.SelectedPoints[i] = i % stride == 0;
  }
}

void DeleteMillionSelected(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  Document doc;
  std::size_t removed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Fill(doc, count, count / kSelected);
    state.ResumeTiming();
    removed = doc.RemoveSelected();
    benchmark::DoNotOptimize(doc.Xpoints.data());
  }
  state.counters["removed"] = static_cast<double>(removed);
}
BENCHMARK(DeleteMillionSelected)
    ->Arg(2 * kSelected)
    ->Arg(4 * kSelected)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
