// The soak: the whole program, single-threaded on the headless desktop, through many cycles of
// what a user does all day: type a new longitude and latitude into the two entry boxes (click,
// select everything, type), press Preview, press Save, and let the caret blink a little. Every
// `interval` cycles it samples the layer's live windows, device contexts, GDI objects, icons and
// open files and the process's resident memory, checks that the last Preview and Save did their
// work, and prints a row. It fails (exit code 1) when any count grows at all, or when resident
// memory grows beyond noise after the first sample, which lets the allocator settle.
//
//   quill_soak [cycles=10000] [interval=500]
#include <stdlib.h>
#include <unistd.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/ControlAccess.h"
#include "app/SharedHeap.h"
#include "app/Shell.h"
#include "kernel/DriveMapping.h"
#include "quill/headless.h"
#include "quill/layer.h"
#include "ui/ControlNames.h"

namespace {

// Resident memory may wander by a few pages as the allocator reuses its free lists; a leak of even
// one capture per cycle (574,710 bytes) would pass this within two cycles.
constexpr long kRssNoiseKiB = 4096;

struct Sample {
  int cycle = 0;
  quill::LiveObjects live;
  long rssKiB = 0;
  double msPerCycle = 0;
};

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

class Desk {
 public:
  explicit Desk(quill::HeadlessDriver& driver) : driver_(driver) {}

  void Click(const char* control) {
    RECT r{};
    GetWindowRect(ControlWindow(control), &r);
    driver_.Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    quill::PumpUntilIdle();
  }
  // Replaces the box's text as a user does: click into it, select everything, type.
  void Retype(const char* control, const std::string& text) {
    Click(control);
    driver_.Key(VK_HOME);
    driver_.Key(VK_END, quill::kShift);
    driver_.Type(text);
    quill::PumpUntilIdle();
  }
  void Blink() {
    driver_.AdvanceTime(530);
    quill::PumpUntilIdle();
  }

 private:
  quill::HeadlessDriver& driver_;
};

std::string TextOf(const char* control) {
  char* text = ReadControlText(control);
  std::string copy = text ? text : "";
  FreeBlock(text);
  return copy;
}

bool SameCounts(const quill::LiveObjects& a, const quill::LiveObjects& b) {
  return a.windows == b.windows && a.dcs == b.dcs && a.gdiObjects == b.gdiObjects && a.icons == b.icons &&
         a.files == b.files;
}

void PrintRow(const Sample& s) {
  std::printf("| %6d | %7zu | %3zu | %11zu | %5zu | %5zu | %8ld | %9.2f |\n", s.cycle, s.live.windows, s.live.dcs,
              s.live.gdiObjects, s.live.icons, s.live.files, s.rssKiB, s.msPerCycle);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int interval = argc > 2 ? std::atoi(argv[2]) : 500;
  if (cycles <= 0 || interval <= 0) {
    std::fprintf(stderr, "usage: %s [cycles] [interval]\n", argv[0]);
    return 2;
  }

  // A drive of its own, removed at the end.
  char pattern[] = "/tmp/quill-soak-XXXXXX";
  if (!mkdtemp(pattern)) return 2;
  const std::string base = pattern;
  setenv("QUILLMARK_DRIVE_C", (base + "/drive_c").c_str(), 1);
  quill::kernel::ResetDriveMapping();

  auto owned = std::make_unique<quill::HeadlessDriver>(1024, 768);
  quill::HeadlessDriver& driver = *owned;
  quill::SetDriver(std::move(owned));
  RecordProcessHeap();
  if (!LoadWindow(*MainWindowDefinition())) {
    std::fprintf(stderr, "soak: the window could not be built\n");
    return 2;
  }
  quill::PumpUntilIdle();
  Desk desk(driver);

  // Three names in turn, so Save both makes new files and overwrites old ones.
  // Typed as a user types (UTF-8 text events); the last is 测试.
  const char* const kNames[] = {"soak-a", "soak-b", "\xE6\xB5\x8B\xE8\xAF\x95"};
  const std::string desktop = base + "/drive_c/Users/Administrator/Desktop/";
  const char* const kHostNames[] = {"soak-a.jpg", "soak-b.jpg", "\xE6\xB5\x8B\xE8\xAF\x95.jpg"};
  const char* const kDefaultHostName = "\xE4\xBF\xAE\xE6\x94\xB9\xE7\x9A\x84GPS.jpg";  // 修改的GPS.jpg
  int nameIndex = -1;  // the name the window starts with

  std::printf("| cycle  | windows | DCs | GDI objects | icons | files | RSS KiB  | ms/cycle  |\n");
  std::printf("|-------:|--------:|----:|------------:|------:|------:|---------:|----------:|\n");
  std::vector<Sample> samples;
  bool ok = true;
  auto started = std::chrono::steady_clock::now();
  for (int cycle = 1; cycle <= cycles && ok; ++cycle) {
    char longitude[16], latitude[16];
    std::snprintf(longitude, sizeof longitude, "%d.%06d", 30 + cycle % 10, (cycle * 7919) % 1000000);
    std::snprintf(latitude, sizeof latitude, "%d.%06d", 110 + cycle % 10, (cycle * 104729) % 1000000);
    desk.Retype(names::kEditBox1, longitude);
    desk.Retype(names::kEditBox2, latitude);
    if (cycle % 5 == 0) {
      nameIndex = cycle % 3;
      desk.Retype(names::kEditBox3, kNames[nameIndex]);
    }
    desk.Click(names::kButton1);  // Preview
    desk.Click(names::kButton2);  // Save
    desk.Blink();

    if (cycle % interval != 0 && cycle != 1) continue;
    // The cycle did its work: the labels show the typed values and the file holds the capture.
    bool labelsRight = TextOf(names::kTransLabel1) == longitude && TextOf(names::kTransLabel2) == latitude;
    ImageBytes kept = ReadPicture(names::kPicBox2);
    std::ifstream in(desktop + (nameIndex < 0 ? kDefaultHostName : kHostNames[nameIndex]), std::ios::binary);
    std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bool fileRight = kept.Size() == 574710 && file.size() == kept.Size() &&
                     std::memcmp(file.data(), kept.Data(), file.size()) == 0;
    kept.Release();
    if (!labelsRight || !fileRight) {
      std::fprintf(stderr, "soak: cycle %d did not %s\n", cycle,
                   labelsRight ? "save the capture" : "show the typed values");
      ok = false;
    }

    auto now = std::chrono::steady_clock::now();
    Sample s;
    s.cycle = cycle;
    s.live = quill::CountLiveObjects();
    s.rssKiB = ResidentKiB();
    int done = samples.empty() ? 1 : cycle - samples.back().cycle;
    s.msPerCycle = std::chrono::duration<double, std::milli>(now - started).count() / done;
    started = now;
    PrintRow(s);
    samples.push_back(s);
  }

  // Counts may not move at all; memory is judged from the second sample on (after 1 cycle the
  // allocator and the font caches have not yet reached their working size).
  if (samples.size() >= 2) {
    for (const Sample& s : samples)
      if (!SameCounts(s.live, samples.front().live)) {
        std::fprintf(stderr, "soak: live objects changed by cycle %d\n", s.cycle);
        ok = false;
        break;
      }
    long growth = samples.back().rssKiB - samples[1].rssKiB;
    std::printf("resident memory from cycle %d to %d: %+ld KiB (limit %ld)\n", samples[1].cycle, samples.back().cycle,
                growth, kRssNoiseKiB);
    if (growth > kRssNoiseKiB) {
      std::fprintf(stderr, "soak: resident memory grew by %ld KiB\n", growth);
      ok = false;
    }
  }

  ShutDown(0);
  quill::ResetLayer();
  std::error_code ec;
  std::filesystem::remove_all(base, ec);
  std::printf("%s\n", ok ? "soak: passed" : "soak: FAILED");
  return ok ? 0 : 1;
}
