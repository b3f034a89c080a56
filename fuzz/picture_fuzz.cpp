// Arbitrary bytes written as the picture of a picture box: the box recognises, decodes and draws
// them (BMP and PNG decoders, the blend, the bitmap made at every paint) on the headless desktop.
// Whatever the bytes, nothing may crash or read out of bounds, and a read must give back exactly
// the bytes written.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "quill/headless.h"
#include "quill/layer.h"
#include "ui/PicBox.h"

namespace {

// The box stands on a visible top-level window, so every write is followed by a real paint.
// A black background makes the blend of half-transparent PNG pixels do real work.
const ControlDefinition& BoxDefinition() {
  static const ControlDefinition definition{
      ControlKind::PicBox, "picture", nullptr, 0, 0, 96, 64, "", true, false, false, 0, {},
      PicBoxSettings{0x00000000, nullptr, 0}};
  return definition;
}

PicBox* Box() {
  static PicBox* box = [] {
    quill::SetDriver(std::make_unique<quill::HeadlessDriver>(320, 240));
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "PictureFuzzHost";
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, "PictureFuzzHost", "", WS_POPUP, 0, 0, 120, 80, nullptr, nullptr, nullptr, nullptr);
    auto* made = new PicBox(BoxDefinition());  // lives for the whole run
    if (!host || !made->Create(host)) {
      std::fprintf(stderr, "picture_fuzz: cannot build the picture box\n");
      std::abort();
    }
    ShowWindow(made->Window(), SW_SHOWNA);
    ShowWindow(host, SW_SHOWNA);
    quill::PumpUntilIdle();
    return made;
  }();
  return box;
}

bool SameCounts(const quill::LiveObjects& a, const quill::LiveObjects& b) {
  return a.windows == b.windows && a.dcs == b.dcs && a.gdiObjects == b.gdiObjects && a.icons == b.icons &&
         a.files == b.files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PicBox* box = Box();
  // Every paint makes and frees a bitmap and a memory DC; none may be left behind.
  static const quill::LiveObjects baseline = quill::CountLiveObjects();
  box->WritePicture(ImageBytes::CopyOf(data, size));
  quill::PumpUntilIdle();
  ImageBytes back = box->ReadPicture();
  if (back.Size() != size || (size > 0 && std::memcmp(back.Data(), data, size) != 0)) {
    std::fprintf(stderr, "picture_fuzz: the picture read back differs from the bytes written\n");
    std::abort();
  }
  back.Release();
  if (!SameCounts(quill::CountLiveObjects(), baseline)) {
    std::fprintf(stderr, "picture_fuzz: a paint left a device context or GDI object behind\n");
    std::abort();
  }
  return 0;
}
