// How long the Render button keeps the event thread: from the press to the
// return of its handler, in a real document window on Qt's offscreen
// platform, for a 4000 x 4000 and a 16000 x 16000 render of a Koch path.
// Between iterations the render window is closed and its worker waited for,
// outside the clock.
//
//   build/bench/vantrel_render_press_bench --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <memory>

#include "editor/DrawingWindow.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/Timer.h"
#include "render/RenderWindow.h"

namespace vantrel {
namespace {

using Clock = std::chrono::steady_clock;

void Pump() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  DrainEventThreadQueue();
}

void Press(benchmark::State& state) {
  const auto side = static_cast<double>(state.range(0));
  RenderWindow::InstallFactory();
  auto doc = DrawingWindow::NewDocument("Bench");
  doc->ControlNamed<Timer>("Timer2").Mode(Timer::kOff);
  for (auto [x, y] : {std::pair{0.1, 0.6}, {0.4, 0.6}, {0.5, 0.4}, {0.6, 0.6}, {0.9, 0.6}}) {
    doc->AddPoint(x, y, -1);
  }
  doc->CurrentSettings->Ints[kRenderWidth] = side;
  doc->CurrentSettings->Ints[kRenderHeight] = side;
  Pump();
  for (auto _ : state) {
    const auto start = Clock::now();
    doc->RenderBTN_Action();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    auto window = std::static_pointer_cast<RenderWindow>(doc->RenderWin.back());
    auto worker = window->RenderThread;
    window->Close();
    if (worker) worker->WaitUntilEnded(std::chrono::seconds(60));
    doc->RenderWin.clear();
    Pump();
  }
  doc->Close();
  Pump();
}

BENCHMARK(Press)->Arg(4000)->Arg(16000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace vantrel
