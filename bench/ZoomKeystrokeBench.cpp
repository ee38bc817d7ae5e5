// What one keystroke in the render window's zoom box costs the event thread
// (ScaleBox_TextChanged: bars, clear, the view drawn at the new zoom), in a
// real render window of a 16000 x 16000 picture on Qt's offscreen platform,
// at its opening size. `Finished/...`: a Koch render that has ended (its
// pyramid complete). `Rendering/...`: a render that goes on all the while
// (a path whose segments are half the chord), its worker drawing and keeping
// the pyramid; the first pass of the pyramid is waited for outside the clock.
//
//   build/bench/vantrel_zoom_keystroke_bench --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "editor/DrawingWindow.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/PicturePyramid.h"
#include "platform/qt/ComboBox.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/PushButton.h"
#include "platform/qt/Timer.h"
#include "render/RenderWindow.h"
#include "QtBenchPump.h"

namespace vantrel {
namespace {

constexpr double kSide = 16000;

using bench::Pump;
using bench::PumpUntil;

void Keystroke(benchmark::State& state, bool endless) {
  const std::string zoom = std::to_string(state.range(0) / 10.0).substr(0, 4) + "%";
  RenderWindow::InstallFactory();
  auto doc = DrawingWindow::NewDocument("Bench");
  doc->ControlNamed<Timer>("Timer2").Mode(Timer::kOff);
  for (int i = 0; i <= (endless ? 8 : 4); ++i) {
    const double x = 0.1 + 0.8 * i / (endless ? 8 : 4);
    const double y = endless ? (i % 2 == 0 ? 0.6 : 0.1) : (i == 2 ? 0.4 : 0.6);
    doc->AddPoint(x, y, -1);
  }
  doc->CurrentSettings->Ints[kRenderWidth] = kSide;
  doc->CurrentSettings->Ints[kRenderHeight] = kSide;
  Pump();
  doc->RenderBTN_Action();
  auto window = std::static_pointer_cast<RenderWindow>(doc->RenderWin.back());
  if (endless) {
    PumpUntil([&window] { return window->Pyramid->Ready(); });
  } else {
    PumpUntil([&window] { return window->SaveBTN().Enabled(); });
  }
  for (auto _ : state) {
    window->ScaleBox().Text(zoom);
    window->ScaleBox_TextChanged();
    state.PauseTiming();
    Pump();  // the canvas shown, as between two keystrokes
    state.ResumeTiming();
  }
  auto worker = window->RenderThread;
  window->Close();
  if (worker) worker->WaitUntilEnded(std::chrono::seconds(60));
  doc->Close();
  Pump();
}

void Finished(benchmark::State& state) { Keystroke(state, false); }
void Rendering(benchmark::State& state) { Keystroke(state, true); }

// 1 %, 2 %, 12.5 % and 66.7 %, in tenths of a percent.
void Zooms(benchmark::internal::Benchmark* b) {
  b->Arg(10)->Arg(20)->Arg(125)->Arg(667)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(Finished)->Apply(Zooms);
BENCHMARK(Rendering)->Apply(Zooms);

}  // namespace
}  // namespace vantrel
