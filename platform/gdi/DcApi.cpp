// Device contexts: memory DCs, saved states, clipping, colours and modes, and what the text engine
// needs to draw through a DC.
#include <utility>
#include <algorithm>

#include "core/Diagnostics.h"
#include "gdi/DcAccess.h"
#include "gdi/GdiState.h"
#include "windows.h"

using namespace quill;
using namespace quill::gdi;

HDC WINAPI CreateCompatibleDC(HDC hdc) {
  if (hdc && !DcOf(hdc)) return nullptr;
  GdiState& g = G();
  if (!Obj(g.defaultBitmap)) {
    auto bm = std::make_unique<GdiObject>();
    bm->kind = ObjKind::Bitmap;
    bm->stock = true;
    bm->width = bm->height = 1;
    bm->pixels.assign(1, 0);
    g.defaultBitmap = reinterpret_cast<HGDIOBJ>(g.objects.Add(std::move(bm)));
  }
  auto dc = std::make_unique<Dc>();
  dc->kind = DcKind::Memory;
  dc->attr.bitmap = g.defaultBitmap;  // shared and stock: never marked as selected
  dc->attr.brush = GetStockObject(WHITE_BRUSH);
  dc->attr.pen = GetStockObject(BLACK_PEN);
  dc->attr.font = GetStockObject(SYSTEM_FONT);
  dc->attr.palette = GetStockObject(DEFAULT_PALETTE);
  return reinterpret_cast<HDC>(g.dcs.Add(std::move(dc)));
}

BOOL WINAPI DeleteDC(HDC hdc) {
  Dc* dc = DcOf(hdc);
  if (!dc) return FALSE;
  if (dc->kind == DcKind::Window || dc->kind == DcKind::Paint || dc->kind == DcKind::Screen) {
    ReportMisuse(dc->kind == DcKind::Paint ? "DeleteDC of a BeginPaint DC: call EndPaint"
                                           : "DeleteDC of a GetDC/GetWindowDC DC: call ReleaseDC");
    return FALSE;
  }
  return DestroyDc(hdc) ? TRUE : FALSE;
}

int WINAPI SaveDC(HDC hdc) {
  Dc* dc = DcOf(hdc);
  if (!dc) return 0;
  dc->saved.push_back(dc->attr);
  return static_cast<int>(dc->saved.size());
}

BOOL WINAPI RestoreDC(HDC hdc, int which) {
  Dc* dc = DcOf(hdc);
  if (!dc) return FALSE;
  int count = static_cast<int>(dc->saved.size());
  int level = which < 0 ? count + which + 1 : which;
  if (level < 1 || level > count) return FALSE;
  DcAttributes restored = dc->saved[level - 1];
  dc->saved.resize(level - 1);
  // The bitmap goes through SelectObject so the selected-into bookkeeping stays right.
  HGDIOBJ bitmap = restored.bitmap;
  restored.bitmap = dc->attr.bitmap;
  dc->attr = restored;
  if (dc->kind == DcKind::Memory && bitmap != dc->attr.bitmap && Obj(bitmap, ObjKind::Bitmap)) {
    if (bitmap == G().defaultBitmap) {
      if (GdiObject* old = Obj(dc->attr.bitmap, ObjKind::Bitmap)) old->selectedInto = nullptr;
      dc->attr.bitmap = bitmap;
    } else {
      SelectObject(hdc, bitmap);
    }
  }
  return TRUE;
}

namespace {

const RECT kEverything{-0x3FFFFFFF, -0x3FFFFFFF, 0x3FFFFFFF, 0x3FFFFFFF};

int RegionKind(HDC hdc) {
  Target t;
  if (!Resolve(hdc, &t)) return RGN_ERROR;
  if (t.clip.Empty()) return NULLREGION;
  return t.clip.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = DcOf(hdc);
  if (!dc) return RGN_ERROR;
  if (!dc->attr.hasClip) dc->attr.clip = RectSet(kEverything);
  dc->attr.hasClip = true;
  dc->attr.clip.Intersect(RECT{left, top, right, bottom});
  return RegionKind(hdc);
}

int WINAPI ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = DcOf(hdc);
  if (!dc) return RGN_ERROR;
  if (!dc->attr.hasClip) dc->attr.clip = RectSet(kEverything);
  dc->attr.hasClip = true;
  dc->attr.clip.Subtract(RECT{left, top, right, bottom});
  return RegionKind(hdc);
}

int WINAPI GetClipBox(HDC hdc, LPRECT rect) {
  Target t;
  if (!rect || !Resolve(hdc, &t)) return RGN_ERROR;
  *rect = RectOffset(t.clip.Bounds(), -t.origin.x, -t.origin.y);
  if (t.clip.Empty()) *rect = RECT{0, 0, 0, 0};
  return RegionKind(hdc);
}

int WINAPI SetBkMode(HDC hdc, int mode) {
  Dc* dc = DcOf(hdc);
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return std::exchange(dc->attr.bkMode, mode);
}

int WINAPI GetBkMode(HDC hdc) {
  Dc* dc = DcOf(hdc);
  return dc ? dc->attr.bkMode : 0;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
  Dc* dc = DcOf(hdc);
  if (!dc) return CLR_INVALID;
  return std::exchange(dc->attr.bkColor, color & 0x00FFFFFF);
}

COLORREF WINAPI GetBkColor(HDC hdc) {
  Dc* dc = DcOf(hdc);
  return dc ? dc->attr.bkColor : CLR_INVALID;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
  Dc* dc = DcOf(hdc);
  if (!dc) return CLR_INVALID;
  return std::exchange(dc->attr.textColor, color & 0x00FFFFFF);
}

COLORREF WINAPI GetTextColor(HDC hdc) {
  Dc* dc = DcOf(hdc);
  return dc ? dc->attr.textColor : CLR_INVALID;
}

int WINAPI SetStretchBltMode(HDC hdc, int mode) {
  Dc* dc = DcOf(hdc);
  if (!dc || mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return std::exchange(dc->attr.stretchMode, mode);
}

int WINAPI GetStretchBltMode(HDC hdc) {
  Dc* dc = DcOf(hdc);
  return dc ? dc->attr.stretchMode : 0;
}

namespace quill::gdi {

bool ResolveTextTarget(HDC hdc, text::TextTarget* target) {
  Target t;
  if (!Resolve(hdc, &t)) return false;
  Dc* dc = DcOf(hdc);
  target->surface = t.image;
  target->origin = t.origin;
  target->clip = t.clip.Rects();
  target->textColor = dc->attr.textColor;
  target->opaqueBackground = dc->attr.bkMode == OPAQUE;
  target->backgroundColor = dc->attr.bkColor;
  return true;
}

bool IsLiveDc(HDC hdc) { return DcOf(hdc) != nullptr; }

void MarkDrawn(HDC hdc, const RECT& surfaceRect) {
  Target t;
  if (Resolve(hdc, &t)) MarkChanged(t, surfaceRect);
}

}  // namespace quill::gdi
