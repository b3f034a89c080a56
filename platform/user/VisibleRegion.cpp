// Visible regions of window DCs, and GetDC / GetWindowDC / ReleaseDC.
//
// A window DC draws on its top-level's surface, clipped to the window's rectangle (or client area)
// inside every ancestor's client area; minus the visible higher siblings when the window (or, one
// level up, an ancestor) has WS_CLIPSIBLINGS; minus its visible children when it has
// WS_CLIPCHILDREN. A WS_EX_TRANSPARENT window is never cut out of anyone's region, so what lies
// beneath it shows through.
#include "core/Diagnostics.h"
#include "gdi/GdiState.h"
#include "user/UserState.h"
#include "windows.h"

using namespace quill;
using namespace quill::user;

namespace {

bool CutsOut(const Window* w) {
  return w && (w->style & WS_VISIBLE) && !(w->exStyle & WS_EX_TRANSPARENT);
}

}  // namespace

namespace quill::user {

bool ResolveWindowDc(HWND hwnd, bool wholeWindow, DcGeometry* out) {
  Window* w = Win(hwnd);
  if (!w) return false;
  Window* top = Root(w);
  if (!top->surface) return false;
  POINT topOrigin = ScreenOrigin(top);
  POINT origin = ScreenOrigin(w);
  out->surface = top->surface.get();
  out->windowOrigin = POINT{origin.x - topOrigin.x, origin.y - topOrigin.y};
  out->clientOrigin = POINT{out->windowOrigin.x + w->client.left, out->windowOrigin.y + w->client.top};
  out->visible.Clear();
  if (!IsVisibleChain(w) || top->minimized) return true;

  RectSet vis(wholeWindow ? ScreenWindowRect(w) : ScreenClientRect(w));
  for (Window* x = w; x->parent;) {
    Window* p = Win(x->parent);
    if (!p) break;
    vis.Intersect(ScreenClientRect(p));
    if (x->style & WS_CLIPSIBLINGS) {
      for (HWND s : p->children) {
        if (s == x->hwnd) break;  // only the siblings above x
        if (Window* sw = Win(s); CutsOut(sw)) vis.Subtract(ScreenWindowRect(sw));
      }
    }
    x = p;
  }
  if (w->style & WS_CLIPCHILDREN)
    for (HWND c : w->children)
      if (Window* cw = Win(c); CutsOut(cw)) vis.Subtract(ScreenWindowRect(cw));
  vis.Offset(-topOrigin.x, -topOrigin.y);
  vis.Intersect(RECT{0, 0, top->surface->width, top->surface->height});
  out->visible = std::move(vis);
  return true;
}

}  // namespace quill::user

HDC WINAPI GetDC(HWND hwnd) {
  if (!hwnd) return gdi::CreateWindowDc(nullptr, false, gdi::DcKind::Screen, nullptr);
  if (!Win(hwnd)) return nullptr;
  return gdi::CreateWindowDc(hwnd, false, gdi::DcKind::Window, nullptr);
}

HDC WINAPI GetWindowDC(HWND hwnd) {
  if (!hwnd) return gdi::CreateWindowDc(nullptr, true, gdi::DcKind::Screen, nullptr);
  if (!Win(hwnd)) return nullptr;
  return gdi::CreateWindowDc(hwnd, true, gdi::DcKind::Window, nullptr);
}

int WINAPI ReleaseDC(HWND hwnd, HDC hdc) {
  gdi::Dc* dc = gdi::DcOf(hdc);
  if (!dc) return 0;
  switch (dc->kind) {
    case gdi::DcKind::Screen:
      return gdi::DestroyDc(hdc) ? 1 : 0;
    case gdi::DcKind::Window:
      if (dc->hwnd != hwnd) {
        ReportMisuse("ReleaseDC with a window other than the one GetDC was called for");
        return 0;
      }
      return gdi::DestroyDc(hdc) ? 1 : 0;
    case gdi::DcKind::Paint:
      ReportMisuse("ReleaseDC of a BeginPaint DC: EndPaint releases it");
      return 0;
    case gdi::DcKind::Memory:
      ReportMisuse("ReleaseDC of a memory DC: use DeleteDC");
      return 0;
  }
  return 0;
}

HWND WINAPI WindowFromDC(HDC hdc) {
  gdi::Dc* dc = gdi::DcOf(hdc);
  return dc ? dc->hwnd : nullptr;
}
