// The program's pieces timed one at a time on the headless driver, on this thread: start-up to
// the shown window, one Preview, one Save, a full paint of the picture, and one overlay text write.
// Setting-up and tidying between iterations are left out of the figures (manual timing).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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
// the page cache. The file is removed again outside the timing, so every Save makes a new file
// in a desktop folder that holds nothing else (opening a new name looks through the folder for
// a name that differs only in case).
void BM_Save(benchmark::State& state) {
  HeadlessProgram program;
  program.Start();
  OnPreviewClick();
  PumpProgram();
  HWND nameBox = ControlWindow(names::kEditBox3);
  SetWindowTextA(nameBox, "save");
  std::string saved = program.Drive() + "/Users/Administrator/Desktop/save.jpg";
  for (auto _ : state) {
    auto t0 = Clock::now();
    OnSaveClick();
    auto t1 = Clock::now();
    std::remove(saved.c_str());
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

// Yardsticks on the same machine in the same run: what the Save and the capture cannot beat.
constexpr size_t kCaptureBytes = 574710;

void BM_Reference_Copy(benchmark::State& state) {
  std::vector<uint8_t> from(kCaptureBytes, 1), to(kCaptureBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Reference_Copy)->Unit(benchmark::kMicrosecond);

void BM_Reference_WriteNewFile(benchmark::State& state) {
  HeadlessProgram program;  // only for its temporary folder
  std::vector<uint8_t> bytes(kCaptureBytes, 1);
  std::string path = program.Drive() + ".reference";
  for (auto _ : state) {
    auto t0 = Clock::now();
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    if (fd >= 0) ::close(fd);
    auto t1 = Clock::now();
    std::remove(path.c_str());
    if (!ok) {
      state.SkipWithError("cannot write the reference file");
      break;
    }
    state.SetIterationTime(Seconds(t0, t1));
  }
}
BENCHMARK(BM_Reference_WriteNewFile)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
