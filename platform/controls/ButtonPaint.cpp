#include "controls/ButtonPaint.h"

#include <algorithm>
#include <string>

#include "controls/StylePainter.h"
#include "core/RectSet.h"
#include "gdi/DcAccess.h"
#include "win/controls.h"
#include "win/gdi.h"
#include "win/text.h"
#include "win/user.h"

namespace quill::controls {
namespace {

std::string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(std::max(0, GetWindowTextA(hwnd, text.data(), length + 1))));
  return text;
}

// The height `format` gives the text within `width`, measured with DT_CALCRECT.
SIZE MeasureText(HDC hdc, const std::string& text, int width, UINT format) {
  RECT calc{0, 0, width, 0};
  DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &calc, format | DT_CALCRECT);
  return SIZE{calc.right - calc.left, calc.bottom - calc.top};
}

// Asks the parent for the background brush (and, through the DC, the text colour), as the
// platform's controls do. A parent that answers nothing gets the system's button colours.
HBRUSH ParentBrush(HWND hwnd, HDC hdc, UINT message) {
  SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(hdc, GetSysColor(COLOR_BTNFACE));
  HBRUSH brush = nullptr;
  if (HWND parent = GetParent(hwnd))
    brush = reinterpret_cast<HBRUSH>(
        SendMessageA(parent, message, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hwnd)));
  return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

// Draws `text` in `area`: wrapped when `multiLine`, else on one line; vertically centred either
// way. Returns where the text went (for the focus rectangle).
RECT DrawCaption(HDC hdc, const std::string& text, const RECT& area, bool multiLine, UINT alignment) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  const UINT format = alignment | (multiLine ? DT_WORDBREAK : DT_SINGLELINE);
  const SIZE size = MeasureText(hdc, text, width, format);
  RECT box{area.left, area.top + (height - size.cy) / 2, 0, 0};
  box.bottom = box.top + size.cy;
  if (alignment == DT_CENTER) box.left = area.left + (width - size.cx) / 2;
  box.right = box.left + size.cx;
  RECT drawn{area.left, box.top, area.right, box.bottom};
  DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &drawn, format);
  return box;
}

void PaintPushButton(HWND hwnd, HDC hdc, StylePainter& painter, const ControlLook& look, DWORD style,
                     const RECT& client) {
  FillRect(hdc, &client, ParentBrush(hwnd, hdc, WM_CTLCOLORBTN));
  painter.PushButtonFace(client, look);
  const std::string text = WindowText(hwnd);
  if (!text.empty()) {
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, StylePainter::CaptionColour(look));
    RECT area{client.left + kPushFocusInset + 1, client.top + kPushFocusInset + 1,
              client.right - kPushFocusInset - 1, client.bottom - kPushFocusInset - 1};
    DrawCaption(hdc, text, area, (style & BS_MULTILINE) != 0, DT_CENTER);
  }
}

}  // namespace

void PaintButton(HWND hwnd, HDC hdc, const ButtonState& state) {
  RECT client;
  if (!GetClientRect(hwnd, &client) || RectEmpty(client)) return;
  text::TextTarget target;
  if (!gdi::ResolveTextTarget(hdc, &target)) return;
  StylePainter painter(target);

  const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
  ControlLook look;
  look.pressed = state.pushed;
  look.focused = state.focused;
  look.disabled = !IsWindowEnabled(hwnd);
  look.checked = state.checked;
  const bool showFocus = state.focused && state.keyboardCues;

  HGDIOBJ oldFont = state.font ? SelectObject(hdc, state.font) : nullptr;
  const int oldMode = SetBkMode(hdc, TRANSPARENT);

  if ((style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
    FillRect(hdc, &client, ParentBrush(hwnd, hdc, WM_CTLCOLORSTATIC));
    const int height = client.bottom - client.top;
    painter.RadioMark(client.left, client.top + (height - StylePainter::kRadioMarkSize) / 2, look);
    const std::string text = WindowText(hwnd);
    if (!text.empty()) {
      // The parent set the text colour while choosing the brush; a disabled box greys it.
      if (look.disabled) SetTextColor(hdc, StylePainter::CaptionColour(look));
      RECT area{client.left + StylePainter::kRadioMarkSize + kRadioTextGap, client.top, client.right,
                client.bottom};
      const RECT box = DrawCaption(hdc, text, area, (style & BS_MULTILINE) != 0, DT_LEFT);
      if (showFocus)
        painter.FocusRect(RectIntersect(RECT{box.left - 1, box.top - 1, box.right + 1, box.bottom + 1}, client));
    }
  } else {
    // Every other type is drawn as a push button: the program makes no other kind.
    PaintPushButton(hwnd, hdc, painter, look, style, client);
    if (showFocus)
      painter.FocusRect(RECT{client.left + kPushFocusInset, client.top + kPushFocusInset,
                             client.right - kPushFocusInset, client.bottom - kPushFocusInset});
  }

  SetBkMode(hdc, oldMode);
  if (oldFont) SelectObject(hdc, oldFont);
  if (!RectEmpty(painter.Touched())) gdi::MarkDrawn(hdc, painter.Touched());
}

}  // namespace quill::controls
