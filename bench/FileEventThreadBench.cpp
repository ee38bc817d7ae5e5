// What saving and opening cost the event thread at the largest sizes the
// program takes, in real windows on Qt's offscreen platform:
// `PictureSave`: the Save button of a finished 16000 x 16000 render (the
// dialog answered beforehand), up to the moment the button's handler returns;
// `DocumentSave` and `DocumentOpen`: Save and Open of a document of
// kMaxDocumentPoints points. Whatever goes on on a worker (the encoding, the
// writing, the reading of the file) is waited for outside the clock, so each
// figure is what freezes the window.
//
//   build/bench/vantrel_file_event_thread_bench --benchmark_repetitions=3
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "editor/DocumentFile.h"
#include "editor/DocumentModel.h"
#include "editor/DocumentServices.h"
#include "editor/DrawingWindow.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/FolderItem.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/PushButton.h"
#include "platform/qt/ScriptedDialogs.h"
#include "platform/qt/Timer.h"
#include "render/RenderWindow.h"
#include "QtBenchPump.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

constexpr double kSide = 16000;

using bench::Pump;
using bench::PumpUntil;

fs::path Folder() {
  const fs::path folder = fs::temp_directory_path() / "vantrel-file-bench";
  fs::create_directories(folder);
  return folder;
}

std::shared_ptr<DrawingWindow> QuietDocument() {
  auto doc = DrawingWindow::NewDocument("Bench");
  doc->ControlNamed<Timer>("Timer2").Mode(Timer::kOff);
  return doc;
}

void PictureSave(benchmark::State& state) {
  ScriptedDialogs dialogs;
  RenderWindow::InstallFactory();
  auto doc = QuietDocument();
  // A Koch curve: a finished picture with lines in it, quickly drawn.
  for (int i = 0; i <= 4; ++i) doc->AddPoint(0.1 + 0.2 * i, i == 2 ? 0.4 : 0.6, -1);
  doc->CurrentSettings->Ints[kRenderWidth] = kSide;
  doc->CurrentSettings->Ints[kRenderHeight] = kSide;
  Pump();
  doc->RenderBTN_Action();
  auto window = std::static_pointer_cast<RenderWindow>(doc->RenderWin.back());
  PumpUntil([&window] { return window->SaveBTN().Enabled(); });
  const fs::path file = Folder() / "Bench.JPG";
  for (auto _ : state) {
    dialogs.AnswerFile(FolderItem(file));
    window->SaveBTN_Action();
    state.PauseTiming();
    PumpUntil([&window] { return window->SaveBTN().Enabled(); });
    state.ResumeTiming();
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(file));
  window->Close();
  doc->Close();
  Pump();
  fs::remove(file);
}

// A document at the point limit, saved once to give Open its file.
std::shared_ptr<DrawingWindow> LargestDocument(const fs::path& file) {
  auto doc = QuietDocument();
  doc->Xpoints.resize(kMaxDocumentPoints);
  doc->Ypoints.resize(kMaxDocumentPoints);
  for (std::size_t i = 0; i < kMaxDocumentPoints; ++i) {
    doc->Xpoints[i] = static_cast<double>(i) / static_cast<double>(kMaxDocumentPoints);
    doc->Ypoints[i] = (i % 2 == 0) ? 0.123456789012345 : 0.876543210987654;
  }
  doc->SelectedPoints.assign(kMaxDocumentPoints, false);
  doc->PublishSnapshot();
  if (!doc->WriteFile(FolderItem(file))) return nullptr;
  doc->CurrentFile = FolderItem(file);
  return doc;
}

void DocumentSave(benchmark::State& state) {
  ScriptedDialogs dialogs;
  const fs::path file = Folder() / "Largest.txt";
  auto doc = LargestDocument(file);
  if (!doc) {
    state.SkipWithError("could not write the document");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    doc->Changed(true);
    state.ResumeTiming();
    doc->FileSave_Action();
    state.PauseTiming();
    PumpUntil([&doc] { return !doc->Changed(); });
    state.ResumeTiming();
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(file));
  doc->Close();
  Pump();
  fs::remove(file);
}

void DocumentOpen(benchmark::State& state) {
  ScriptedDialogs dialogs;
  const fs::path file = Folder() / "Largest.txt";
  if (!LargestDocument(file)) {
    state.SkipWithError("could not write the document");
    return;
  }
  Pump();
  for (auto _ : state) {
    // The file is read on a worker; the event thread makes the window.
    state.PauseTiming();
    Result<DocumentData> data = ReadDocumentFile(FolderItem(file));
    if (!data) state.SkipWithError("could not read the document");
    state.ResumeTiming();
    auto opened = data ? DrawingWindow::FromDocument(std::move(*data), FolderItem(file)) : nullptr;
    state.PauseTiming();
    if (!opened) state.SkipWithError("could not open the document");
    if (opened) opened->Close();
    Pump();
    state.ResumeTiming();
  }
  fs::remove(file);
}

BENCHMARK(PictureSave)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(DocumentSave)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(DocumentOpen)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
}  // namespace vantrel
