// The display as a true-colour device reports it: 32 bits a pixel, 96 dots per inch, no palette.
// Palettes can still be made, selected and realised, because programs written for palette
// displays do so; on this display they change nothing.
#include <utility>
#include <cstring>

#include "gdi/GdiState.h"
#include "windows.h"

using namespace quill::gdi;

int WINAPI GetDeviceCaps(HDC hdc, int index) {
  if (!DcOf(hdc)) return 0;
  switch (index) {
    case HORZRES: return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES: return GetSystemMetrics(SM_CYSCREEN);
    case HORZSIZE: return GetSystemMetrics(SM_CXSCREEN) * 254 / 960;
    case VERTSIZE: return GetSystemMetrics(SM_CYSCREEN) * 254 / 960;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case SIZEPALETTE: return 0;
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    default: return 0;
  }
}

HPALETTE WINAPI CreatePalette(const LOGPALETTE* palette) {
  if (!palette || palette->palVersion != 0x300 || palette->palNumEntries == 0 ||
      palette->palNumEntries > 1024)
    return nullptr;
  auto o = std::make_unique<GdiObject>();
  o->kind = ObjKind::Palette;
  o->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  return reinterpret_cast<HPALETTE>(G().objects.Add(std::move(o)));
}

HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE palette, BOOL) {
  Dc* dc = DcOf(hdc);
  if (!dc || !Obj(palette, ObjKind::Palette)) return nullptr;
  return static_cast<HPALETTE>(std::exchange(dc->attr.palette, static_cast<HGDIOBJ>(palette)));
}

UINT WINAPI RealizePalette(HDC hdc) {
  if (!DcOf(hdc)) return GDI_ERROR;
  return 0;  // nothing to map on a true-colour display
}

UINT WINAPI GetSystemPaletteEntries(HDC hdc, UINT, UINT, LPPALETTEENTRY) {
  (void)hdc;
  return 0;  // a display without a palette has no system palette
}

BOOL WINAPI EnumDisplaySettingsA(LPCSTR deviceName, DWORD modeNum, DEVMODEA* mode) {
  if (deviceName || !mode) return FALSE;
  if (modeNum != ENUM_CURRENT_SETTINGS && modeNum != ENUM_REGISTRY_SETTINGS && modeNum != 0)
    return FALSE;
  WORD size = mode->dmSize, extra = mode->dmDriverExtra;
  std::memset(mode, 0, sizeof *mode);
  std::memcpy(mode->dmDeviceName, "DISPLAY", 8);
  mode->dmSize = size ? size : sizeof(DEVMODEA);
  mode->dmDriverExtra = extra;
  mode->dmSpecVersion = 0x0401;
  mode->dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
  mode->dmBitsPerPel = 32;
  mode->dmPelsWidth = static_cast<DWORD>(GetSystemMetrics(SM_CXSCREEN));
  mode->dmPelsHeight = static_cast<DWORD>(GetSystemMetrics(SM_CYSCREEN));
  mode->dmDisplayFrequency = 60;
  mode->dmLogPixels = 96;
  return TRUE;
}
