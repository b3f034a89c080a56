#include "support/ProgramHarness.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "quill/layer.h"
#include "windows.h"

namespace quill {

ProgramHarness::ProgramHarness(int screenWidth, int screenHeight) {
  auto driver = std::make_unique<HeadlessDriver>(screenWidth, screenHeight);
  driver_ = driver.get();
  driver_->AttachHarness(&link_);
  SetDriver(std::move(driver));
}

ProgramHarness::~ProgramHarness() {
  if (thread_.joinable()) {
    if (!Exited()) {
      // Still running: ask its loop to end the way any program's loop ends.
      RunOnUi([] { PostQuitMessage(0); });
    }
    std::unique_lock<std::mutex> lock(link_.mutex);
    if (!link_.cv.wait_for(lock, timeout_, [&] { return link_.exited; })) {
      // The program ignores the quit request; the process cannot be saved from a hung thread.
      std::fprintf(stderr, "ProgramHarness: the program did not end\n");
      std::abort();
    }
    lock.unlock();
    thread_.join();
  }
  ResetLayer();
}

void ProgramHarness::Start(std::function<int()> program) {
  thread_ = std::thread([this, program = std::move(program)] {
    int code = program();
    std::lock_guard<std::mutex> lock(link_.mutex);
    link_.exited = true;
    link_.exitCode = code;
    link_.cv.notify_all();
  });
  std::unique_lock<std::mutex> lock(link_.mutex);
  if (!link_.cv.wait_for(lock, timeout_, [&] { return link_.exited || link_.parked; }))
    ADD_FAILURE() << "the program did not become idle after starting";
}

void ProgramHarness::Settle(bool wakeForClock) {
  std::unique_lock<std::mutex> lock(link_.mutex);
  if (link_.exited) return;
  if (wakeForClock) link_.wake = true;
  uint64_t request = ++link_.requests;
  link_.cv.notify_all();
  if (!link_.cv.wait_for(lock, timeout_, [&] {
        return link_.exited || (link_.parked && link_.parkedAt >= request && link_.closures.empty());
      }))
    ADD_FAILURE() << "the program did not become idle again";
}

void ProgramHarness::KeyDown(UINT vk) { driver_->KeyDown(vk); Settle(); }
void ProgramHarness::KeyUp(UINT vk) { driver_->KeyUp(vk); Settle(); }
void ProgramHarness::Key(UINT vk, unsigned modifiers) { driver_->Key(vk, modifiers); Settle(); }
void ProgramHarness::Type(const std::string& utf8) { driver_->Type(utf8); Settle(); }
void ProgramHarness::MouseMove(int x, int y) { driver_->MouseMove(x, y); Settle(); }
void ProgramHarness::MouseDown(int x, int y, int b) { driver_->MouseDown(x, y, b); Settle(); }
void ProgramHarness::MouseUp(int x, int y, int b) { driver_->MouseUp(x, y, b); Settle(); }
void ProgramHarness::Click(int x, int y, int b) { driver_->Click(x, y, b); Settle(); }
void ProgramHarness::DoubleClick(int x, int y) { driver_->DoubleClick(x, y); Settle(); }
void ProgramHarness::Deactivate() { driver_->Deactivate(); Settle(); }
void ProgramHarness::Activate(HWND hwnd) { driver_->Activate(hwnd); Settle(); }
void ProgramHarness::CloseRequest(HWND hwnd) { driver_->CloseRequest(hwnd); Settle(); }
void ProgramHarness::Minimize(HWND hwnd) { driver_->Minimize(hwnd); Settle(); }
void ProgramHarness::Restore(HWND hwnd) { driver_->Restore(hwnd); Settle(); }

void ProgramHarness::AdvanceTime(uint64_t ms) {
  driver_->AdvanceTime(ms);
  Settle(true);
}

void ProgramHarness::RunOnUi(std::function<void()> closure) {
  bool done = false;
  {
    std::lock_guard<std::mutex> lock(link_.mutex);
    if (link_.exited) {
      ADD_FAILURE() << "RunOnUi after the program ended";
      return;
    }
    link_.closures.push_back([closure = std::move(closure), &done, this] {
      closure();
      std::lock_guard<std::mutex> lock(link_.mutex);
      done = true;
    });
  }
  Settle();
  std::lock_guard<std::mutex> lock(link_.mutex);
  if (!done && !link_.exited) ADD_FAILURE() << "the closure did not run";
}

bool ProgramHarness::Exited() {
  std::lock_guard<std::mutex> lock(link_.mutex);
  return link_.exited;
}

int ProgramHarness::ExitCode(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(link_.mutex);
  if (!link_.cv.wait_for(lock, timeout, [&] { return link_.exited; })) {
    ADD_FAILURE() << "the program is still running";
    return INT_MIN;
  }
  return link_.exitCode;
}

}  // namespace quill
