// The program's pieces timed one at a time on the headless driver, on this thread: start-up to
// the shown window, one Preview, one Save, a full paint of the picture, and one overlay text write.
// Setting-up and tidying between iterations are left out of the figures (manual timing).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "HeadlessProgram.h"
#include "app/ControlAccess.h"
#include "stamping/Handlers.h"
#include "ui/ControlNames.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

size_t HeapInUse() { return mallinfo2().uordblks; }

void ReportMemory(benchmark::State& state) {
  state.counters["peak_rss_KiB"] = static_cast<double>(PeakRssKiB());
}

// Builds the window, pumps until idle, and takes it down again outside the timing.
void BM_StartUp(benchmark::State& state) {
  HeadlessProgram program;
  // The first start of a process also finds and opens the font; that cost belongs to the
  // whole-process figures, not to this one.
  program.Start();
  program.Stop();
  size_t held = 0;
  for (auto _ : state) {
    size_t before = HeapInUse();
    auto t0 = Clock::now();
    bool ok = program.Start();
    auto t1 = Clock::now();
    held = HeapInUse() - before;
    program.Stop();
    if (!ok) {
      state.SkipWithError("the window could not be built");
      break;
    }
    state.SetIterationTime(Seconds(t0, t1));
  }
  state.counters["window_heap_KiB"] = static_cast<double>(held) / 1024.0;
  ReportMemory(state);
}
BENCHMARK(BM_StartUp)->UseManualTime()->Unit(benchmark::kMillisecond);

// One Preview: two overlay writes with their repaints, the capture, the picture write. The label
// paint each write leaves pending is handled between iterations, as the message loop would.
void BM_Preview(benchmark::State& state) {
  HeadlessProgram program;
  program.Start();
  size_t before = HeapInUse();
  for (auto _ : state) {
    auto t0 = Clock::now();
    OnPreviewClick();
    auto t1 = Clock::now();
    PumpProgram();
    state.SetIterationTime(Seconds(t0, t1));
  }
  // What a kept capture costs the running program: the BMP bytes and their decoded rows.
  state.counters["kept_heap_KiB"] = static_cast<double>(HeapInUse() - before) / 1024.0;
  ReportMemory(state);
}
BENCHMARK(BM_Preview)->UseManualTime()->Unit(benchmark::kMicrosecond);

// One Save of a kept capture into a new file: the path join and the write of 574,710 bytes into
// the page cache. Each iteration saves under a new name (set outside the timing); the files are
// removed now and then, outside the timing too.
void BM_Save(benchmark::State& state) {
  HeadlessProgram program;
  program.Start();
  OnPreviewClick();
  PumpProgram();
  HWND nameBox = ControlWindow(names::kEditBox3);
  std::string desktop = program.Drive() + "/Users/Administrator/Desktop";
  int n = 0;
  for (auto _ : state) {
    char name[32];
    std::snprintf(name, sizeof name, "save%d", n++ % 256);
    if (n % 256 == 0) {
      std::error_code ec;
      for (const auto& entry : std::filesystem::directory_iterator(desktop, ec))
        std::filesystem::remove(entry.path(), ec);
    }
    SetWindowTextA(nameBox, name);
    auto t0 = Clock::now();
    OnSaveClick();
    auto t1 = Clock::now();
    state.SetIterationTime(Seconds(t0, t1));
  }
  ReportMemory(state);
}
BENCHMARK(BM_Save)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The same Save over the file of the last one. Truncating a file whose pages the file system is
// still writing back waits for that, so this figure says more about the disk than the program.
void BM_SaveOverwrite(benchmark::State& state) {
  HeadlessProgram program;
  program.Start();
  OnPreviewClick();
  PumpProgram();
  for (auto _ : state) OnSaveClick();
  ReportMemory(state);
}
BENCHMARK(BM_SaveOverwrite)->Unit(benchmark::kMicrosecond);

// A full repaint of the picture box, as after the window was uncovered.
void BM_PaintPicture(benchmark::State& state) {
  HeadlessProgram program;
  program.Start();
  HWND picture = ControlWindow(names::kPicBox1);
  for (auto _ : state) {
    auto t0 = Clock::now();
    RedrawWindow(picture, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    auto t1 = Clock::now();
    PumpProgram();
    state.SetIterationTime(Seconds(t0, t1));
  }
  ReportMemory(state);
}
BENCHMARK(BM_PaintPicture)->UseManualTime()->Unit(benchmark::kMicrosecond);

// One text write on an overlay label, alternating between two texts.
void BM_LabelWrite(benchmark::State& state) {
  HeadlessProgram program;
  program.Start();
  const char* texts[] = {"35.123456", "36.654321"};
  int n = 0;
  for (auto _ : state) {
    auto t0 = Clock::now();
    WriteControlText(names::kTransLabel1, texts[n++ & 1]);
    auto t1 = Clock::now();
    PumpProgram();
    state.SetIterationTime(Seconds(t0, t1));
  }
  ReportMemory(state);
}
BENCHMARK(BM_LabelWrite)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
