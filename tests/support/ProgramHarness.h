// Runs a whole program (its real entry, with its real GetMessageA loop) on a user-interface thread
// of its own over the headless driver, and drives it from the test thread.
//
// Every controller call returns only once the program is idle again (its GetMessageA found no
// posted message, no input, nothing to paint and no due timer) or has ended. The test thread
// touches layer state only inside RunOnUi, which runs a closure on the user-interface thread at
// its next pump; the driver's pixels and records may be read between calls.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "quill/headless.h"

namespace quill {

class ProgramHarness {
 public:
  explicit ProgramHarness(int screenWidth = 1024, int screenHeight = 768);
  // Ends a program that is still running (by a quit request), joins its thread, resets the layer.
  ~ProgramHarness();

  ProgramHarness(const ProgramHarness&) = delete;
  ProgramHarness& operator=(const ProgramHarness&) = delete;

  // Installs the driver, starts `program` on the user-interface thread and waits until it is idle.
  void Start(std::function<int()> program);

  HeadlessDriver& Driver() { return *driver_; }

  void KeyDown(UINT vk);
  void KeyUp(UINT vk);
  void Key(UINT vk, unsigned modifiers = 0);
  void Type(const std::string& utf8);
  void MouseMove(int x, int y);
  void MouseDown(int x, int y, int button = 0);
  void MouseUp(int x, int y, int button = 0);
  void Click(int x, int y, int button = 0);
  void DoubleClick(int x, int y);
  void Deactivate();
  void Activate(HWND hwnd);
  void CloseRequest(HWND hwnd);
  void Minimize(HWND hwnd);
  void Restore(HWND hwnd);
  void AdvanceTime(uint64_t ms);
  void RunOnUi(std::function<void()> closure);

  bool Exited();
  // Waits for the program to end and returns its exit code; a program still running after the
  // timeout fails the test and gives INT_MIN.
  int ExitCode(std::chrono::milliseconds timeout = std::chrono::seconds(30));

 private:
  // Wakes the user-interface thread for what was just injected and waits until it is idle again.
  void Settle(bool wakeForClock = false);

  HeadlessDriver* driver_ = nullptr;
  HarnessLink link_;
  std::thread thread_;
  std::chrono::milliseconds timeout_{std::chrono::seconds(30)};
};

}  // namespace quill
