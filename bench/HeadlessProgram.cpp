#include "HeadlessProgram.h"

#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <memory>

#include "app/SharedHeap.h"
#include "app/Shell.h"
#include "kernel/DriveMapping.h"
#include "quill/headless.h"
#include "quill/layer.h"

HeadlessProgram::HeadlessProgram() {
  char pattern[] = "/tmp/quillmark-bench-XXXXXX";
  if (mkdtemp(pattern)) folder_ = pattern;
  drive_ = folder_ + "/drive_c";
  setenv("QUILLMARK_DRIVE_C", drive_.c_str(), 1);
  quill::kernel::ResetDriveMapping();
}

HeadlessProgram::~HeadlessProgram() {
  Stop();
  std::error_code ec;
  if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
  unsetenv("QUILLMARK_DRIVE_C");
}

bool HeadlessProgram::Start() {
  quill::SetDriver(std::make_unique<quill::HeadlessDriver>());
  running_ = true;
  // What the program's entry does before its message loop.
  ShellState& shell = Shell();
  shell = ShellState{};
  shell.mainThread = GetCurrentThreadId();
  RecordProcessHeap();
  if (!LoadWindow(*MainWindowDefinition())) return false;
  PumpProgram();
  return true;
}

void HeadlessProgram::Stop() {
  if (!running_) return;
  ShutDown(0);
  quill::ResetLayer();
  running_ = false;
}

void PumpProgram() {
  // A quit request stays queued; nothing here asks for one.
  quill::PumpUntilIdle();
}

long PeakRssKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}
