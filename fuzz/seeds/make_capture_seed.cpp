// Writes a real capture BMP for the picture fuzzer's seed corpus: the program's window is built on
// the headless desktop and the Save button is captured the way Preview captures the picture box.
// A button keeps the seed small (80 x 32 pixels) while every byte of it comes from the real path.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "app/ControlAccess.h"
#include "app/SharedHeap.h"
#include "app/Shell.h"
#include "capture/CaptureWindowImage.h"
#include "quill/headless.h"
#include "quill/layer.h"
#include "ui/ControlNames.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s out.bmp\n", argv[0]);
    return 2;
  }
  quill::SetDriver(std::make_unique<quill::HeadlessDriver>());
  RecordProcessHeap();
  if (!LoadWindow(*MainWindowDefinition())) return 1;
  quill::PumpUntilIdle();
  ImageBytes bmp = CaptureWindowImage(ControlWindow(names::kButton2));
  FILE* out = std::fopen(argv[1], "wb");
  bool ok = out && !bmp.Empty() && std::fwrite(bmp.Data(), 1, bmp.Size(), out) == bmp.Size();
  if (out) std::fclose(out);
  bmp.Release();
  ShutDown(0);
  quill::ResetLayer();
  return ok ? 0 : 1;
}
