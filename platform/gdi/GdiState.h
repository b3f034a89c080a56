// The GDI module's state: drawing objects and device contexts behind checked handles, the stock
// objects, and the resolution of a DC into the pixels it draws on ("target").
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/Handles.h"
#include "core/Image.h"
#include "core/RectSet.h"
#include "core/Surface.h"
#include "win/base.h"
#include "win/gdi.h"

namespace quill::gdi {

enum class ObjKind : uint8_t { Brush, Pen, Bitmap, Font, Palette };

struct GdiObject {
  ObjKind kind = ObjKind::Brush;
  bool stock = false;
  // Brushes and pens.
  COLORREF color = 0;
  bool null = false;  // NULL_BRUSH, NULL_PEN
  int penWidth = 1;
  // Bitmaps: Bgrx32 pixels, top row first.
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  HDC selectedInto = nullptr;
  // Palettes.
  std::vector<PALETTEENTRY> entries;
};

enum class DcKind : uint8_t {
  Window,  // GetDC / GetWindowDC
  Paint,   // BeginPaint
  Memory,  // CreateCompatibleDC
  Screen,  // GetDC(NULL): queries only, draws nowhere
};

struct DcAttributes {
  HGDIOBJ bitmap = nullptr, brush = nullptr, pen = nullptr, font = nullptr, palette = nullptr;
  COLORREF textColor = 0x000000;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
  int stretchMode = BLACKONWHITE;
  POINT penPos{0, 0};
  bool hasClip = false;
  RectSet clip;  // logical coordinates; only when hasClip
};

struct Dc {
  DcKind kind = DcKind::Memory;
  HWND hwnd = nullptr;
  bool wholeWindow = false;  // GetWindowDC: origin at the window rectangle, not the client area
  RectSet paintRegion;       // Paint: the validated update region, client coordinates
  DcAttributes attr;
  std::vector<DcAttributes> saved;
};

// What a DC draws on right now. Window DCs are resolved at each call, so a window that moved
// since GetDC is still drawn at its current place.
struct Target {
  ImageView image;          // Bgrx32; empty when the DC draws nowhere
  Surface* surface = nullptr;  // the top-level's surface, to mark dirty; null for bitmaps
  POINT origin{0, 0};       // where logical (0, 0) lies in the image
  RectSet clip;             // image coordinates
};

struct GdiState {
  HandleTable<GdiObject> objects{HandleKind::GdiObject};
  HandleTable<Dc> dcs{HandleKind::Dc};
  HGDIOBJ stock[18] = {};
  HGDIOBJ sysBrush[31] = {};
  HGDIOBJ defaultBitmap = nullptr;  // the 1 x 1 bitmap a new memory DC holds
};

GdiState& G();
GdiObject* Obj(HGDIOBJ h);
GdiObject* Obj(HGDIOBJ h, ObjKind kind);
Dc* DcOf(HDC h);

// Brushes given as (HBRUSH)(COLOR_x + 1) name a system colour.
bool IsSysColorBrushValue(HGDIOBJ h);
// The colour a brush paints with; false for a null brush or a handle that is no brush.
bool BrushColor(HGDIOBJ brush, COLORREF* color);
// The stock brush of a system colour (GetSysColorBrush).
HGDIOBJ SysColorBrush(int index);

bool Resolve(HDC hdc, Target* out);
void MarkChanged(Target& t, const RECT& imageRect);

// Device contexts for windows (the USER side asks for them).
HDC CreateWindowDc(HWND hwnd, bool wholeWindow, DcKind kind, const RectSet* paintRegion);
void DestroyDcsOfWindow(HWND hwnd);
bool DestroyDc(HDC hdc);

// Fills a rectangle in logical coordinates, clipped; used by FillRect and the erase.
void FillLogical(HDC hdc, const RECT& r, COLORREF color);
// Draws straight-alpha BGRA pixels at logical (x, y), blended over what is there.
void BlendBgra(HDC hdc, int x, int y, const ImageView& bgra);

}  // namespace quill::gdi

namespace quill::user {

// The USER side's answer for a window DC: the top-level's surface, where the window and its client
// area lie on it, and the window's visible region on it (empty when the window is not visible).
struct DcGeometry {
  Surface* surface = nullptr;
  POINT windowOrigin{0, 0};
  POINT clientOrigin{0, 0};
  RectSet visible;
};
bool ResolveWindowDc(HWND hwnd, bool wholeWindow, DcGeometry* out);

}  // namespace quill::user
