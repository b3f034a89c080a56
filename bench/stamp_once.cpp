// One whole stamping as a process of its own, for timing against other tools doing the same job:
// starts Quillmark's window on the headless driver, types two values, previews, saves, exits.
//
//   quillmark_stamp_once [LONGITUDE LATITUDE [BASENAME]]
//
// The drive C: is wherever the layer's environment puts it (QUILLMARK_DRIVE_C). The exit code is
// 0 when the saved file exists with the expected length, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/ControlAccess.h"
#include "app/SharedHeap.h"
#include "app/Shell.h"
#include "kernel/DriveMapping.h"
#include "quill/headless.h"
#include "quill/layer.h"
#include "stamping/Handlers.h"
#include "ui/ControlNames.h"

int main(int argc, char** argv) {
  const char* longitude = argc > 2 ? argv[1] : "35.123456";
  const char* latitude = argc > 2 ? argv[2] : "115.123456";
  const char* baseName = argc > 3 ? argv[3] : "stamp";

  quill::SetDriver(std::make_unique<quill::HeadlessDriver>());
  ShellState& shell = Shell();
  shell.mainThread = GetCurrentThreadId();
  RecordProcessHeap();
  if (!LoadWindow(*MainWindowDefinition())) return 1;
  quill::PumpUntilIdle();

  // What the user types, then the two clicks.
  SetWindowTextA(ControlWindow(names::kEditBox1), longitude);
  SetWindowTextA(ControlWindow(names::kEditBox2), latitude);
  SetWindowTextA(ControlWindow(names::kEditBox3), baseName);
  OnPreviewClick();
  OnSaveClick();

  ShutDown(0);
  std::error_code ec;
  std::string saved = quill::kernel::DriveRoot() + "/Users/Administrator/Desktop/" + baseName + ".jpg";
  return std::filesystem::file_size(saved, ec) == 574710 ? 0 : 1;
}
