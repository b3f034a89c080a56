#include "user/NcTitle.h"

#include "windows.h"

namespace quill::user {

void DrawCaptionTitle(HDC hdc, const RECT& rect, const std::string& gbkText, COLORREF color) {
  RECT r = rect;
  HGDIOBJ oldFont = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
  int oldMode = SetBkMode(hdc, TRANSPARENT);
  COLORREF oldColor = SetTextColor(hdc, color);
  DrawTextA(hdc, gbkText.c_str(), static_cast<int>(gbkText.size()), &r,
            DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SetTextColor(hdc, oldColor);
  SetBkMode(hdc, oldMode);
  SelectObject(hdc, oldFont);
}

}  // namespace quill::user
