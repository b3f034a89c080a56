#include "ui/PicBox.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "capture/BmpLayout.h"
#include "ui/WindowClass.h"

PicBox::PicBox(const ControlDefinition& definition)
    : Control(definition), settings_(std::get<PicBoxSettings>(definition.settings)) {}

PicBox::~PicBox() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
}

bool PicBox::Create(HWND parent) {
  const char* cls =
      RegisterControlClass("QuillmarkPicBox", &PicBox::WindowProc, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
  if (!cls) return false;
  // No WS_CLIPCHILDREN: the box paints under its overlay labels, which draw only their text.
  hwnd_ = CreateControlWindow(0, cls, "", WS_CHILD | WS_CLIPSIBLINGS, definition_, parent, this);
  if (!hwnd_) return false;
  background_ = ResolveColour(settings_.backColour);
  backgroundBrush_ = CreateSolidBrush(background_);
  bytes_ = ImageBytes::TryCopyOf(settings_.picture, settings_.pictureSize);
  SetPicture();
  return true;
}

void PicBox::WritePicture(const ImageBytes& picture) {
  bytes_ = ImageBytes::TryCopyOf(picture.Data(), picture.Size());
  SetPicture();
}

ImageBytes PicBox::ReadPicture() const { return ImageBytes::CopyOf(bytes_.Data(), bytes_.Size()); }

void PicBox::SetPicture() {
  decoded_.reset();
  opaque_ = false;
  if (!bytes_.Empty()) decoded_ = DecodePicture(bytes_.Data(), bytes_.Size());
  if (decoded_ && decoded_->kind == DecodedImage::Kind::Png) {
    // Looked at once here rather than at every paint, which would otherwise copy the rows.
    opaque_ = true;
    for (size_t i = 3; i < decoded_->pixels.size() && opaque_; i += 4) opaque_ = decoded_->pixels[i] == 255;
  }
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT CALLBACK PicBox::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = ControlFromWindow<PicBox>(hwnd, message, lParam);
  if (self && message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    self->Draw(dc, ps.rcPaint);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void PicBox::Draw(HDC dc, const RECT& paintArea) {
  RECT client;
  GetClientRect(hwnd_, &client);
  HGDIOBJ oldBrush = SelectObject(dc, backgroundBrush_);
  PatBlt(dc, 0, 0, client.right, client.bottom, PATCOPY);
  SelectObject(dc, oldBrush);
  if (!decoded_) return;

  const DecodedImage& image = *decoded_;
  // Only the rows the paint can show are turned into a bitmap; the result on the screen is the
  // same as for the whole picture, since everything outside the paint area is clipped anyway.
  int top = std::clamp<int>(paintArea.top, 0, image.height);
  int bottom = std::clamp<int>(paintArea.bottom, 0, image.height);
  if (paintArea.left >= image.width || paintArea.right <= 0 || top >= bottom) return;
  int rows = bottom - top;

  BITMAPINFO bmi{};
  BITMAPINFOHEADER& header = bmi.bmiHeader;
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = image.width;
  header.biPlanes = 1;
  header.biCompression = BI_RGB;
  const void* bits = nullptr;
  std::vector<uint8_t> blended;
  if (image.kind == DecodedImage::Kind::Png && opaque_) {
    // A top-down 32-bit bitmap of the visible rows, straight from the decoded pixels: where every
    // pixel is opaque the blend changes nothing.
    header.biHeight = -rows;
    header.biBitCount = 32;
    bits = image.pixels.data() + static_cast<size_t>(top) * image.width * 4;
  } else if (image.kind == DecodedImage::Kind::Png) {
    // A top-down 32-bit bitmap of the visible rows; pixels that are not fully opaque are laid
    // over the background colour.
    size_t rowBytes = static_cast<size_t>(image.width) * 4;
    blended.assign(image.pixels.begin() + static_cast<ptrdiff_t>(top * rowBytes),
                   image.pixels.begin() + static_cast<ptrdiff_t>(bottom * rowBytes));
    uint8_t bb = GetBValue(background_), bg = GetGValue(background_), br = GetRValue(background_);
    for (size_t i = 0; i < blended.size(); i += 4) {
      uint8_t a = blended[i + 3];
      if (a == 255) continue;
      blended[i] = BlendChannel(blended[i], a, bb);
      blended[i + 1] = BlendChannel(blended[i + 1], a, bg);
      blended[i + 2] = BlendChannel(blended[i + 2], a, br);
    }
    header.biHeight = -rows;
    header.biBitCount = 32;
    bits = blended.data();
  } else {
    // The decoded rows are bottom-up and padded, as the bitmap wants them.
    size_t stride = static_cast<size_t>(bmp::RowStride24(image.width));
    header.biHeight = rows;
    header.biBitCount = 24;
    bits = image.pixels.data() + static_cast<size_t>(image.height - bottom) * stride;
  }

  HBITMAP bitmap = CreateDIBitmap(dc, &header, CBM_INIT, bits, &bmi, DIB_RGB_COLORS);
  if (!bitmap) return;
  HDC memory = CreateCompatibleDC(dc);
  if (memory) {
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    bool deep = EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmBitsPerPel > 16;
    SetStretchBltMode(dc, deep ? HALFTONE : COLORONCOLOR);
    StretchBlt(dc, 0, top, image.width, rows, memory, 0, 0, image.width, rows, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
  }
  DeleteObject(bitmap);
}
