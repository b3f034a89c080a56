// The non-client area: frame and caption metrics, hit-testing, and the one routine that paints
// frames, captions (small icon, title, caption buttons) and the sunken client edge.
//
// Sections: [metrics] [hit-testing] [painting]
#include <algorithm>

#include "gdi/GdiState.h"
#include "user/Icons.h"
#include "user/NcTitle.h"
#include "user/UserState.h"
#include "windows.h"

using namespace quill;
using namespace quill::user;

namespace {

constexpr int kButtonWidth = 34;

int FrameThickness(DWORD style, DWORD exStyle) {
  if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
  if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) return GetSystemMetrics(SM_CXFIXEDFRAME);
  if (style & WS_BORDER) return GetSystemMetrics(SM_CXBORDER);
  return 0;
}

bool Contains(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

// [metrics] ---------------------------------------------------------------------------------------

namespace quill::user {

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

RECT NcInsets(DWORD style, DWORD exStyle) {
  int f = FrameThickness(style, exStyle);
  RECT in{f, f, f, f};
  if (HasCaption(style)) in.top += GetSystemMetrics(SM_CYCAPTION);
  int edge = (exStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0;
  if (exStyle & WS_EX_STATICEDGE) edge += GetSystemMetrics(SM_CXBORDER);
  in.left += edge;
  in.top += edge;
  in.right += edge;
  in.bottom += edge;
  return in;
}

RECT CaptionButtonRect(const Window* w, int hit) {
  if (!HasCaption(w->style) || !(w->style & WS_SYSMENU)) return RECT{0, 0, 0, 0};
  int f = FrameThickness(w->style, w->exStyle), width = w->rect.right - w->rect.left;
  int top = f, bottom = f + GetSystemMetrics(SM_CYCAPTION);
  RECT close{width - f - kButtonWidth, top, width - f, bottom};
  bool boxes = (w->style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
  switch (hit) {
    case HTCLOSE: return close;
    case HTMAXBUTTON:
      return boxes ? RectOffset(close, -kButtonWidth, 0) : RECT{0, 0, 0, 0};
    case HTMINBUTTON:
      return boxes ? RectOffset(close, -2 * kButtonWidth, 0) : RECT{0, 0, 0, 0};
    default: return RECT{0, 0, 0, 0};
  }
}

// [hit-testing] -----------------------------------------------------------------------------------

int NcHitTest(Window* w, POINT screen) {
  POINT o = ScreenOrigin(w);
  POINT p{screen.x - o.x, screen.y - o.y};
  int width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
  if (!Contains(RECT{0, 0, width, height}, p)) return HTNOWHERE;
  if (Contains(w->client, p)) return HTCLIENT;
  int f = FrameThickness(w->style, w->exStyle);
  if (HasCaption(w->style)) {
    for (int hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON})
      if (Contains(CaptionButtonRect(w, hit), p)) return hit;
    int caption = GetSystemMetrics(SM_CYCAPTION);
    if (Contains(RECT{f, f, width - f, f + caption}, p))
      return (w->style & WS_SYSMENU) && p.x < f + caption ? HTSYSMENU : HTCAPTION;
  }
  if (w->style & WS_THICKFRAME) {
    bool left = p.x < f, right = p.x >= width - f, top = p.y < f, bottom = p.y >= height - f;
    if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
  }
  return HTBORDER;
}

// [painting] --------------------------------------------------------------------------------------

namespace {

COLORREF Blend(COLORREF a, COLORREF b, int percentA) {
  auto mix = [&](int ca, int cb) { return (ca * percentA + cb * (100 - percentA)) / 100; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

void Fill(HDC hdc, RECT r, COLORREF c) { gdi::FillLogical(hdc, r, c); }

void DrawGlyph(HDC hdc, int hit, const RECT& r, COLORREF color) {
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  const int s = 10;  // glyph size
  int x0 = cx - s / 2, y0 = cy - s / 2;
  switch (hit) {
    case HTMINBUTTON:
      Fill(hdc, RECT{x0, cy, x0 + s, cy + 1}, color);
      break;
    case HTMAXBUTTON:
      Fill(hdc, RECT{x0, y0, x0 + s, y0 + 1}, color);
      Fill(hdc, RECT{x0, y0 + s - 1, x0 + s, y0 + s}, color);
      Fill(hdc, RECT{x0, y0, x0 + 1, y0 + s}, color);
      Fill(hdc, RECT{x0 + s - 1, y0, x0 + s, y0 + s}, color);
      break;
    case HTCLOSE:
      for (int i = 0; i < s; ++i) {
        Fill(hdc, RECT{x0 + i, y0 + i, x0 + i + 1, y0 + i + 1}, color);
        Fill(hdc, RECT{x0 + s - 1 - i, y0 + i, x0 + s - i, y0 + i + 1}, color);
      }
      break;
  }
}

HICON SmallIconOf(const Window* w) {
  if (w->iconSmall) return w->iconSmall;
  if (w->cls->iconSmall) return w->cls->iconSmall;
  if (w->iconBig) return w->iconBig;
  return w->cls->icon;
}

void PaintCaption(HDC hdc, const Window* w, int width, int height) {
  const bool active = w->ncActive;
  COLORREF bg = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  COLORREF border = GetSysColor(active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER);
  COLORREF text = GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
  int f = FrameThickness(w->style, w->exStyle), caption = GetSystemMetrics(SM_CYCAPTION);
  // The frame takes the caption's colour so the window reads as one piece, outlined by the border.
  Fill(hdc, RECT{0, 0, width, f + caption}, bg);
  Fill(hdc, RECT{0, f + caption, f, height}, bg);
  Fill(hdc, RECT{width - f, f + caption, width, height}, bg);
  Fill(hdc, RECT{0, height - f, width, height}, bg);
  Fill(hdc, RECT{0, 0, width, 1}, border);
  Fill(hdc, RECT{0, height - 1, width, height}, border);
  Fill(hdc, RECT{0, 0, 1, height}, border);
  Fill(hdc, RECT{width - 1, 0, width, height}, border);

  int titleLeft = f + 6;
  if (HICON icon = SmallIconOf(w); IconOf(icon)) {
    int size = GetSystemMetrics(SM_CXSMICON);
    DrawIconEx(hdc, f + (caption - size) / 2 + 2, f + (caption - size) / 2, icon, size, size, 0, nullptr, DI_NORMAL);
    titleLeft = f + caption + 4;
  }
  int titleRight = width - f - 4;
  const UserState& u = U();
  for (int hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON}) {
    RECT r = CaptionButtonRect(w, hit);
    if (RectEmpty(r)) continue;
    titleRight = std::min<int>(titleRight, r.left - 4);
    bool enabled = hit != HTMAXBUTTON || (w->style & WS_MAXIMIZEBOX);
    if (hit == HTMINBUTTON && !(w->style & WS_MINIMIZEBOX)) enabled = false;
    bool pressed = u.tracking.hwnd == w->hwnd && u.tracking.hit == hit && u.tracking.over;
    if (pressed) Fill(hdc, r, hit == HTCLOSE ? RGB(232, 17, 35) : Blend(RGB(0, 0, 0), bg, 18));
    COLORREF glyph = enabled ? (pressed && hit == HTCLOSE ? RGB(255, 255, 255) : text) : Blend(text, bg, 40);
    DrawGlyph(hdc, hit, r, glyph);
  }
  if (!w->text.empty() && titleRight > titleLeft)
    DrawCaptionTitle(hdc, RECT{titleLeft, f, titleRight, f + caption}, w->text, text);
}

}  // namespace

void PaintNonClient(HWND hwnd) {
  Window* w = Win(hwnd);
  if (!w) return;
  int width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
  if (w->client.left == 0 && w->client.top == 0 && w->client.right == width && w->client.bottom == height)
    return;  // no non-client area
  HDC hdc = GetWindowDC(hwnd);
  ExcludeClipRect(hdc, w->client.left, w->client.top, w->client.right, w->client.bottom);
  if (HasCaption(w->style)) {
    PaintCaption(hdc, w, width, height);
  } else if (int f = FrameThickness(w->style, w->exStyle); f > 0) {
    Fill(hdc, RECT{0, 0, width, height}, GetSysColor(COLOR_BTNFACE));
    RECT all{0, 0, width, height};
    FrameRect(hdc, &all, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
  int edge = (w->exStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0;
  RECT r{w->client.left - edge, w->client.top - edge, w->client.right + edge, w->client.bottom + edge};
  if (w->exStyle & WS_EX_STATICEDGE) {
    RECT s{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
    FrameRect(hdc, &s, GetSysColorBrush(COLOR_BTNSHADOW));
  }
  if (edge) DrawEdge(hdc, &r, EDGE_SUNKEN, BF_RECT);
  ReleaseDC(hwnd, hdc);
}

void RedrawFrameNow(HWND hwnd) {
  Window* w = Win(hwnd);
  if (!w || !IsVisibleChain(w)) return;
  SendMessageA(hwnd, WM_NCPAINT, 1, 0);
}

}  // namespace quill::user
