#include "gdi/GdiState.h"

#include "core/Layer.h"
#include "win/user.h"

namespace quill::gdi {

namespace {

void ResetGdi();
void CountGdi(LiveObjects& into);
const LayerModule kGdiModule{"gdi", &ResetGdi, &CountGdi};

std::unique_ptr<GdiState>& Slot() {
  static std::unique_ptr<GdiState> state;
  return state;
}

void ResetGdi() { Slot().reset(); }

void CountGdi(LiveObjects& into) {
  if (!Slot()) return;
  into.dcs += Slot()->dcs.Live();
  Slot()->objects.ForEach([&](uintptr_t, const GdiObject& o) {
    if (!o.stock) ++into.gdiObjects;
  });
}

}  // namespace

GdiState& G() {
  auto& s = Slot();
  if (!s) {
    s = std::make_unique<GdiState>();
    RegisterModule(&kGdiModule);
  }
  return *s;
}

GdiObject* Obj(HGDIOBJ h) { return G().objects.Get(reinterpret_cast<uintptr_t>(h)); }

GdiObject* Obj(HGDIOBJ h, ObjKind kind) {
  GdiObject* o = Obj(h);
  return o && o->kind == kind ? o : nullptr;
}

Dc* DcOf(HDC h) { return G().dcs.Get(reinterpret_cast<uintptr_t>(h)); }

bool IsSysColorBrushValue(HGDIOBJ h) {
  uintptr_t v = reinterpret_cast<uintptr_t>(h);
  return v >= 1 && v <= 31;
}

bool BrushColor(HGDIOBJ brush, COLORREF* color) {
  if (IsSysColorBrushValue(brush)) {
    *color = GetSysColor(static_cast<int>(reinterpret_cast<uintptr_t>(brush)) - 1);
    return true;
  }
  GdiObject* b = Obj(brush, ObjKind::Brush);
  if (!b || b->null) return false;
  *color = b->color;
  return true;
}

bool Resolve(HDC hdc, Target* out) {
  Dc* dc = DcOf(hdc);
  if (!dc) return false;
  *out = Target{};
  switch (dc->kind) {
    case DcKind::Screen:
      return true;  // a valid DC that draws nowhere
    case DcKind::Memory: {
      GdiObject* bm = Obj(dc->attr.bitmap, ObjKind::Bitmap);
      if (!bm || bm->pixels.empty()) return true;
      out->image.pixels = reinterpret_cast<uint8_t*>(bm->pixels.data());
      out->image.width = bm->width;
      out->image.height = bm->height;
      out->image.stride = static_cast<ptrdiff_t>(bm->width) * 4;
      out->image.format = PixelFormat::Bgrx32;
      out->clip = RectSet(RECT{0, 0, bm->width, bm->height});
      break;
    }
    case DcKind::Window:
    case DcKind::Paint: {
      user::DcGeometry geo;
      if (!user::ResolveWindowDc(dc->hwnd, dc->wholeWindow, &geo) || !geo.surface) return true;
      out->surface = geo.surface;
      out->image = geo.surface->View();
      out->origin = dc->wholeWindow ? geo.windowOrigin : geo.clientOrigin;
      out->clip = std::move(geo.visible);
      if (dc->kind == DcKind::Paint) {
        RectSet region = dc->paintRegion;
        region.Offset(geo.clientOrigin.x, geo.clientOrigin.y);
        out->clip.Intersect(region);
      }
      break;
    }
  }
  if (dc->attr.hasClip) {
    RectSet app = dc->attr.clip;
    app.Offset(out->origin.x, out->origin.y);
    out->clip.Intersect(app);
  }
  return true;
}

void MarkChanged(Target& t, const RECT& imageRect) {
  if (t.surface) t.surface->MarkDirty(imageRect);
}

HDC CreateWindowDc(HWND hwnd, bool wholeWindow, DcKind kind, const RectSet* paintRegion) {
  auto dc = std::make_unique<Dc>();
  dc->kind = kind;
  dc->hwnd = hwnd;
  dc->wholeWindow = wholeWindow;
  if (paintRegion) dc->paintRegion = *paintRegion;
  dc->attr.brush = GetStockObject(WHITE_BRUSH);
  dc->attr.pen = GetStockObject(BLACK_PEN);
  dc->attr.font = GetStockObject(SYSTEM_FONT);
  dc->attr.palette = GetStockObject(DEFAULT_PALETTE);
  return reinterpret_cast<HDC>(G().dcs.Add(std::move(dc)));
}

bool DestroyDc(HDC hdc) {
  Dc* dc = DcOf(hdc);
  if (!dc) return false;
  if (GdiObject* bm = Obj(dc->attr.bitmap, ObjKind::Bitmap)) bm->selectedInto = nullptr;
  return G().dcs.Remove(reinterpret_cast<uintptr_t>(hdc));
}

void DestroyDcsOfWindow(HWND hwnd) {
  std::vector<uintptr_t> doomed;
  G().dcs.ForEach([&](uintptr_t h, const Dc& dc) {
    if (dc.hwnd == hwnd && (dc.kind == DcKind::Window || dc.kind == DcKind::Paint))
      doomed.push_back(h);
  });
  for (uintptr_t h : doomed) G().dcs.Remove(h);
}

}  // namespace quill::gdi
