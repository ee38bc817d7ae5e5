// Responsiveness of the live preview in a real document window on Qt's
// offscreen platform:
//
// - AddPointToFirstRound: from the AddPoint call that makes a 5-point path
//   to the moment the first preview round's picture lands on the canvas,
//   with the event loop pumped as the program's own loop would. Reported as
//   the iteration time (manual time).
// - TimerLatency: the longest lateness of a 10 ms timer on the event thread
//   over 2 s, while a preview of a 9-segment path whose rounds never end by
//   themselves (one segment as long as the chord) runs, and without one for
//   comparison. Reported as the iteration time and as counters.
//
//   build/bench/vantrel_preview_bench --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "editor/DrawingWindow.h"
#include "editor/PreviewThreadClass.h"
#include "model/SettingSet.h"
#include "platform/core/Picture.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/StaticText.h"
#include "platform/qt/Timer.h"

namespace vantrel {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A round picture is filled with the background; the first picture is not.
// Blue survives the 16-bit pixels unchanged.
constexpr Color kRoundBackground{0, 0, 255};

struct Point {
  double X;
  double Y;
};

// Canvas clicks at (20,200) (110,200) (160,110) (210,200) (300,200) as the
// 1/8 grid snaps them.
const std::vector<Point> kKochLike = {
    {0.125, 0.625}, {0.375, 0.625}, {0.5, 0.375}, {0.625, 0.625}, {1.0, 0.625}};

// Up by the chord's length, then eight steps of 0.4 chord back down to the
// chord's end: the long segment reaches every depth limit, and the rounds
// grow without end (tens of millions of segments by depth 20).
std::vector<Point> Heavy() {
  const std::vector<Point> raw = {{0, 0},     {0, 1},       {0.4, 1},        {0.4, 0.6},
                                  {0.8, 0.6}, {0.8, 0.2},   {1.2, 0.2},      {1.2, -0.2},
                                  {1.2 + 0.165, 0.165},     {1, 0}};
  std::vector<Point> placed;
  for (const Point& p : raw) placed.push_back({0.1 + 0.7 * p.X, 0.85 - 0.7 * p.Y});
  return placed;
}

void Pump() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  DrainEventThreadQueue();
}

// Ends the current preview and drops whatever it still had on its way.
void EndPreview(DrawingWindow& w) {
  if (!w.PreviewThread) return;
  w.PreviewThread->Kill();
  w.PreviewThread->WaitUntilEnded(60s);
  Pump();
}

std::shared_ptr<DrawingWindow> Document(Integer width, Integer height, bool progressTimer) {
  auto w = DrawingWindow::NewDocument("Bench");
  // The benchmark starts the preview itself.
  w->ControlNamed<Timer>("Timer2").Mode(Timer::kOff);
  if (!progressTimer) w->ControlNamed<Timer>("Timer1").Mode(Timer::kOff);
  if (width != w->Width() || height != w->Height()) {
    w->Width(width);
    w->Height(height);
  }
  w->CurrentSettings->Colors[0] = kRoundBackground;
  w->PublishSnapshot();
  Pump();
  return w;
}

void Place(DrawingWindow& w, const std::vector<Point>& points) {
  for (const Point& p : points) w.AddPoint(p.X, p.Y, -1);
}

void Close(std::shared_ptr<DrawingWindow>& w) {
  EndPreview(*w);
  w->Close();
  w.reset();
  Pump();
}

// The worst repetition, beside the median.
double Largest(const std::vector<double>& values) {
  return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

void AddPointToFirstRound(benchmark::State& state) {
  auto w = Document(DrawingWindow::kDesignWidth, DrawingWindow::kDesignHeight, false);
  Place(*w, std::vector<Point>(kKochLike.begin(), kKochLike.end() - 1));
  const Point fifth = kKochLike.back();
  Canvas& canvas = w->FracCan();
  const auto roundShown = [&] { return canvas.Backing()->PixelColor(3, 3) == kRoundBackground; };

  double worst = 0.0;
  for (auto _ : state) {
    EndPreview(*w);
    canvas.Graphics().ClearRect(0, 0, canvas.Width(), canvas.Height());
    const Clock::time_point start = Clock::now();
    w->AddPoint(fifth.X, fifth.Y, -1);
    while (!roundShown()) Pump();
    const std::chrono::duration<double> took = Clock::now() - start;
    state.SetIterationTime(took.count());
    worst = std::max(worst, took.count() * 1000.0);
    w->RemovePoint(static_cast<Integer>(kKochLike.size()) - 1);
  }
  state.counters["worst_ms"] = worst;
  Close(w);
}
BENCHMARK(AddPointToFirstRound)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->ComputeStatistics("max", Largest);

// The lateness of a 10 ms timer, over span.
struct Lateness {
  double MaxMs = 0.0;
  double MeanMs = 0.0;
  int Ticks = 0;
};

Lateness MeasureTimer(std::chrono::milliseconds span) {
  Lateness result;
  double total = 0.0;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setInterval(10);
  Clock::time_point last = Clock::now();
  QObject::connect(&timer, &QTimer::timeout, [&] {
    const Clock::time_point now = Clock::now();
    const double late = std::chrono::duration<double, std::milli>(now - last).count() - 10.0;
    last = now;
    result.MaxMs = std::max(result.MaxMs, late);
    total += std::max(late, 0.0);
    ++result.Ticks;
  });
  QEventLoop loop;
  QTimer::singleShot(span, &loop, &QEventLoop::quit);
  last = Clock::now();
  timer.start();
  loop.exec();
  result.MeanMs = result.Ticks > 0 ? total / result.Ticks : 0.0;
  return result;
}

// range(0): 1 with a heavy preview running, 0 idle; range(1) and range(2):
// the window's size.
void TimerLatency(benchmark::State& state) {
  const bool preview = state.range(0) != 0;
  auto w = Document(static_cast<Integer>(state.range(1)), static_cast<Integer>(state.range(2)),
                    true);
  if (preview) Place(*w, Heavy());
  EndPreview(*w);
  Lateness worst;
  double depth = 0;
  for (auto _ : state) {
    if (preview) w->Preview();
    const Lateness l = MeasureTimer(2000ms);
    state.SetIterationTime(l.MaxMs / 1000.0);
    worst.MaxMs = std::max(worst.MaxMs, l.MaxMs);
    worst.MeanMs = l.MeanMs;
    worst.Ticks = l.Ticks;
    // How far the preview got in those 2 s.
    const std::string status = w->ControlNamed<StaticText>("StatusText").Text();
    const std::string prefix = "Drawing Preview: Iteration ";
    if (status.rfind(prefix, 0) == 0) depth = std::stod(status.substr(prefix.size()));
    EndPreview(*w);
  }
  state.counters["max_late_ms"] = worst.MaxMs;
  state.counters["mean_late_ms"] = worst.MeanMs;
  state.counters["ticks"] = worst.Ticks;
  state.counters["depth"] = depth;
  Close(w);
}
BENCHMARK(TimerLatency)
    ->Args({0, DrawingWindow::kDesignWidth, DrawingWindow::kDesignHeight})
    ->Args({1, DrawingWindow::kDesignWidth, DrawingWindow::kDesignHeight})
    ->Args({1, 1200, 1000})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->ComputeStatistics("max", Largest);

}  // namespace
}  // namespace vantrel
