// Drawing objects: stock objects, brushes, pens, selection into DCs, deletion and queries.
#include <cstring>

#include "core/Diagnostics.h"
#include "gdi/GdiState.h"
#include "windows.h"

using namespace quill::gdi;

namespace {

HGDIOBJ MakeStock(ObjKind kind, COLORREF color, bool null) {
  auto o = std::make_unique<GdiObject>();
  o->kind = kind;
  o->stock = true;
  o->color = color;
  o->null = null;
  return reinterpret_cast<HGDIOBJ>(G().objects.Add(std::move(o)));
}

HGDIOBJ MakeStockObject(int index) {
  switch (index) {
    case WHITE_BRUSH: return MakeStock(ObjKind::Brush, RGB(255, 255, 255), false);
    case LTGRAY_BRUSH: return MakeStock(ObjKind::Brush, RGB(192, 192, 192), false);
    case GRAY_BRUSH: return MakeStock(ObjKind::Brush, RGB(128, 128, 128), false);
    case DKGRAY_BRUSH: return MakeStock(ObjKind::Brush, RGB(64, 64, 64), false);
    case BLACK_BRUSH: return MakeStock(ObjKind::Brush, RGB(0, 0, 0), false);
    case NULL_BRUSH: return MakeStock(ObjKind::Brush, 0, true);
    case WHITE_PEN: return MakeStock(ObjKind::Pen, RGB(255, 255, 255), false);
    case BLACK_PEN: return MakeStock(ObjKind::Pen, RGB(0, 0, 0), false);
    case NULL_PEN: return MakeStock(ObjKind::Pen, 0, true);
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT: return MakeStock(ObjKind::Font, 0, false);
    case DEFAULT_PALETTE: {
      HGDIOBJ h = MakeStock(ObjKind::Palette, 0, false);
      // The twenty static colours a palette display reserves.
      static const BYTE kStatic[20][3] = {
          {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
          {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
          {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
          {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
      for (const auto& c : kStatic) Obj(h)->entries.push_back(PALETTEENTRY{c[0], c[1], c[2], 0});
      return h;
    }
    default: return nullptr;
  }
}

}  // namespace

namespace quill::gdi {

// A system colour brush is a stock object too: GetSysColorBrush hands out the same one each time.
HGDIOBJ SysColorBrush(int index) {
  if (index < 0 || index >= 31) return nullptr;
  HGDIOBJ& h = G().sysBrush[index];
  if (!Obj(h)) h = MakeStock(ObjKind::Brush, GetSysColor(index), false);
  return h;
}

}  // namespace quill::gdi

HGDIOBJ WINAPI GetStockObject(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(G().stock))) return nullptr;
  HGDIOBJ& h = G().stock[index];
  if (!Obj(h)) h = MakeStockObject(index);
  return h;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  auto o = std::make_unique<GdiObject>();
  o->kind = ObjKind::Brush;
  o->color = color & 0x00FFFFFF;
  return reinterpret_cast<HBRUSH>(G().objects.Add(std::move(o)));
}

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
  if (style != PS_SOLID && style != PS_NULL) return nullptr;
  auto o = std::make_unique<GdiObject>();
  o->kind = ObjKind::Pen;
  o->color = color & 0x00FFFFFF;
  o->null = style == PS_NULL;
  o->penWidth = width < 1 ? 1 : width;
  return reinterpret_cast<HPEN>(G().objects.Add(std::move(o)));
}

BOOL WINAPI DeleteObject(HGDIOBJ h) {
  GdiObject* o = Obj(h);
  if (!o) return FALSE;
  if (o->stock) return TRUE;  // deleting a stock object is harmless and changes nothing
  if (o->kind == ObjKind::Bitmap && o->selectedInto) return FALSE;
  // Brushes, pens, fonts and palettes still selected into a DC stay alive, as the platform does.
  bool selected = false;
  G().dcs.ForEach([&](uintptr_t, const Dc& dc) {
    const DcAttributes& a = dc.attr;
    if (a.brush == h || a.pen == h || a.font == h || a.palette == h) selected = true;
  });
  if (selected) return FALSE;
  return G().objects.Remove(reinterpret_cast<uintptr_t>(h)) ? TRUE : FALSE;
}

DWORD WINAPI GetObjectType(HGDIOBJ h) {
  if (Dc* dc = DcOf(reinterpret_cast<HDC>(h))) return dc->kind == DcKind::Memory ? OBJ_MEMDC : OBJ_DC;
  GdiObject* o = Obj(h);
  if (!o) return 0;
  switch (o->kind) {
    case ObjKind::Brush: return OBJ_BRUSH;
    case ObjKind::Pen: return OBJ_PEN;
    case ObjKind::Bitmap: return OBJ_BITMAP;
    case ObjKind::Font: return OBJ_FONT;
    case ObjKind::Palette: return OBJ_PAL;
  }
  return 0;
}

int WINAPI GetObjectA(HGDIOBJ h, int size, LPVOID out) {
  GdiObject* o = Obj(h);
  if (!o) return 0;
  switch (o->kind) {
    case ObjKind::Bitmap: {
      if (!out) return sizeof(BITMAP);
      if (size < static_cast<int>(sizeof(BITMAP))) return 0;
      BITMAP bm{};
      bm.bmWidth = o->width;
      bm.bmHeight = o->height;
      bm.bmWidthBytes = o->width * 4;
      bm.bmPlanes = 1;
      bm.bmBitsPixel = 32;
      std::memcpy(out, &bm, sizeof bm);
      return sizeof(BITMAP);
    }
    case ObjKind::Palette: {
      if (!out) return sizeof(WORD);
      if (size < static_cast<int>(sizeof(WORD))) return 0;
      WORD n = static_cast<WORD>(o->entries.size());
      std::memcpy(out, &n, sizeof n);
      return sizeof(WORD);
    }
    default:
      return 0;  // brush, pen and font records are not needed by the program
  }
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  Dc* dc = DcOf(hdc);
  GdiObject* o = Obj(h);
  if (!dc || !o) return nullptr;
  DcAttributes& a = dc->attr;
  HGDIOBJ previous = nullptr;
  switch (o->kind) {
    case ObjKind::Brush: previous = a.brush; a.brush = h; break;
    case ObjKind::Pen: previous = a.pen; a.pen = h; break;
    case ObjKind::Font: previous = a.font; a.font = h; break;
    case ObjKind::Palette: return nullptr;  // palettes go through SelectPalette
    case ObjKind::Bitmap: {
      if (dc->kind != DcKind::Memory) return nullptr;
      if (a.bitmap == h) return h;
      // A bitmap lives in at most one DC; the stock 1 x 1 bitmap every new memory DC starts with
      // is shared by all of them.
      if (o->selectedInto && !o->stock) return nullptr;
      if (GdiObject* old = Obj(a.bitmap, ObjKind::Bitmap)) old->selectedInto = nullptr;
      previous = a.bitmap;
      a.bitmap = h;
      if (!o->stock) o->selectedInto = hdc;
      // A new bitmap has its own size; a clip set for the old one no longer means anything.
      a.hasClip = false;
      a.clip.Clear();
      break;
    }
  }
  return previous;
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
  Dc* dc = DcOf(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_BRUSH: return dc->attr.brush;
    case OBJ_PEN: return dc->attr.pen;
    case OBJ_FONT: return dc->attr.font;
    case OBJ_BITMAP: return dc->attr.bitmap;
    case OBJ_PAL: return dc->attr.palette;
    default: return nullptr;
  }
}
