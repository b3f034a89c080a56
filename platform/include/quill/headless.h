// The headless driver: an in-memory desktop for tests and benchmarks.
//
// What it implements:
//   - a screen of a size the test chooses (1024 x 768 by default), composed on request from the
//     presented surfaces of the visible top-level windows in Z order over the desktop colour;
//   - each top-level window's own presented pixels;
//   - injected input (keys, typed text, mouse, activation, close, minimise, restore), appended to
//     a pending list that the layer pumps; coordinates are screen points;
//   - a virtual clock that moves only when the test calls AdvanceTime, so timers fire on request;
//   - an in-memory clipboard (UTF-8) and recorded message boxes (answered OK at once);
//   - PNG dumps of the screen or of one window; with the environment variable QUILL_HEADLESS_DUMP
//     naming a folder, every presentation also writes the screen there as a numbered PNG;
//   - a link for a whole-program harness (tests/support/ProgramHarness.h): while a harness is
//     attached, waiting for input parks the user-interface thread and reports it idle. Without a
//     harness the driver never blocks; a GetMessageA that would wait forever stops the test with a
//     message instead of hanging.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "drivers/Driver.h"
#include "win/base.h"

namespace quill {

// Modifier keys held around Key().
enum KeyModifier : unsigned { kShift = 1, kCtrl = 2, kAlt = 4 };

struct RecordedMessageBox {
  std::string title;  // UTF-8
  std::string text;   // UTF-8
  UINT type = 0;
};

// The handoff between a test thread and the user-interface thread of a program under test.
// Everything in it is guarded by `mutex`.
struct HarnessLink {
  std::mutex mutex;
  std::condition_variable cv;
  uint64_t requests = 0;  // bumped by the controller for every injection or closure
  uint64_t parkedAt = 0;  // the request count when the UI thread last went idle
  bool parked = false;
  bool wake = false;      // the controller changed something (the clock) that needs a look
  bool exited = false;
  int exitCode = 0;
  std::deque<std::function<void()>> closures;
};

class HeadlessDriver : public Driver {
 public:
  explicit HeadlessDriver(int screenWidth = 1024, int screenHeight = 768);
  ~HeadlessDriver() override;

  // Driver
  const char* Name() const override { return "headless"; }
  bool Open(RECT* primaryScreen) override;
  void CreateTopLevel(HWND hwnd, const TopLevelInfo& info) override;
  void UpdateTopLevel(HWND hwnd, const TopLevelInfo& info) override;
  void DestroyTopLevel(HWND hwnd) override;
  void Present(HWND hwnd, const ImageView& surface, const std::vector<RECT>& dirty) override;
  void PumpInput(std::vector<InputEvent>& out, int waitMs) override;
  uint64_t NowMs() override;
  std::string GetClipboardText() override;
  void SetClipboardText(const std::string& utf8) override;
  void ShowMessageBox(const std::string& titleUtf8, const std::string& textUtf8, UINT type) override;

  // The screen, composed from what was presented.
  void ComposeScreen();
  COLORREF ScreenPixel(int x, int y);  // CLR_INVALID outside the screen
  // A top-level window's own presented pixels, in window coordinates; CLR_INVALID when unknown.
  COLORREF WindowPixel(HWND hwnd, int x, int y);
  bool HasTopLevel(HWND hwnd);
  TopLevelInfo TopLevel(HWND hwnd);
  bool DumpScreenPng(const std::string& path);
  bool DumpWindowPng(HWND hwnd, const std::string& path);

  // Input. Each call appends events; the layer takes them at its next pump.
  void KeyDown(UINT vk);
  void KeyUp(UINT vk);
  void Key(UINT vk, unsigned modifiers = 0);  // press and release, with modifiers held around it
  void Type(const std::string& utf8);         // one text event per character
  void MouseMove(int x, int y);
  void MouseDown(int x, int y, int button = 0);
  void MouseUp(int x, int y, int button = 0);
  void Click(int x, int y, int button = 0);
  void DoubleClick(int x, int y);
  void Deactivate();  // the user switched to another application
  void Activate(HWND hwnd);
  void CloseRequest(HWND hwnd);
  void Minimize(HWND hwnd);
  void Restore(HWND hwnd);

  void AdvanceTime(uint64_t ms);
  std::vector<RecordedMessageBox> MessageBoxes();
  std::string Clipboard() { return GetClipboardText(); }

  // Used by the program harness only.
  void AttachHarness(HarnessLink* link);

 private:
  struct Presented {
    TopLevelInfo info;
    std::vector<uint32_t> pixels;  // Bgrx32
    int width = 0;
    int height = 0;
  };
  void Push(const InputEvent& e);
  void DumpFrameIfAsked();

  std::mutex mutex_;  // guards everything below (the harness may read from the test thread)
  int screenWidth_, screenHeight_;
  std::map<HWND, Presented> windows_;
  std::vector<uint32_t> screen_;
  bool screenStale_ = true;
  std::vector<InputEvent> pending_;
  uint64_t now_ = 0;
  std::string clipboard_;
  std::vector<RecordedMessageBox> boxes_;
  std::string dumpFolder_;
  int dumpCounter_ = 0;
  HarnessLink* harness_ = nullptr;
};

// Single-threaded tests: processes every message, input event and paint until nothing is left,
// then presents. Returns true when a WM_QUIT is waiting (it stays queued for the caller).
bool PumpUntilIdle();

}  // namespace quill
