// Select All in a document window on Qt's offscreen platform, as the menu
// item runs it: the whole selection set, the snapshot published for the
// preview, every point's marker drawn onto the canvas, and the repaint that
// shows the canvas. The document holds the most points a document may hold
// (6,100,805), scattered over twice the view so that about a quarter lie on
// the canvas and the rest around it; range(0) is the point size.
//
//   build/bench/vantrel_select_all_bench --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdint>
#include <memory>

#include "editor/DrawingWindow.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/Timer.h"

namespace vantrel {
namespace {

void Pump() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  DrainEventThreadQueue();
}

// Uniform in [-0.5, 1.5) from a fixed sequence, so every run draws the same.
double Scattered(std::uint64_t& state) {
  state = state * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<double>(state >> 11) / static_cast<double>(std::uint64_t{1} << 53) * 2.0 -
         0.5;
}

std::shared_ptr<DrawingWindow> FullDocument(double pointSize) {
  auto w = DrawingWindow::NewDocument("Bench");
  // No preview: what is timed is the event thread's own work.
  w->ControlNamed<Timer>("Timer1").Mode(Timer::kOff);
  w->ControlNamed<Timer>("Timer2").Mode(Timer::kOff);
  w->Width(1000);
  w->Height(800);
  Pump();
  std::uint64_t state = 1;
  w->Xpoints.resize(kMaxDocumentPoints);
  w->Ypoints.resize(kMaxDocumentPoints);
  for (std::size_t i = 0; i < kMaxDocumentPoints; ++i) {
    w->Xpoints[i] = Scattered(state);
    w->Ypoints[i] = Scattered(state);
  }
  w->SelectedPoints.assign(kMaxDocumentPoints, false);
  w->CurrentSettings->Ints[kPointSize] = pointSize;
  w->PublishSnapshot();
  Pump();
  return w;
}

void SelectAll(benchmark::State& state) {
  auto w = FullDocument(static_cast<double>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    w->SelectedPoints.assign(w->Xpoints.size(), false);
    Pump();
    state.ResumeTiming();
    w->EditSelectAll_Action();
    Pump();
  }
  state.counters["canvas_w"] = w->FracCan().Width();
  state.counters["canvas_h"] = w->FracCan().Height();
  w->Close();
  w.reset();
  Pump();
}
BENCHMARK(SelectAll)->Arg(8)->Arg(999)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace vantrel
