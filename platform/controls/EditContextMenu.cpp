#include "controls/EditContextMenu.h"

#include <algorithm>
#include <iterator>

#include "win/gdi.h"
#include "win/text.h"

namespace quill::controls {

namespace {

constexpr char kMenuClass[] = "QuillEditContextMenu";
constexpr int kFrame = 3;        // raised edge and a pixel of space inside the menu
constexpr int kTextLeft = 20;    // where the item texts start, as in the platform's menus
constexpr int kTextRight = 24;
constexpr int kSeparatorHeight = 8;

struct Item {
  const char* text;  // GBK, with the underlined letter marked by '&'; nullptr for a separator
  EditMenuCommand command;
  UINT key;          // the underlined letter's key
};

const Item kItems[] = {
    {"\xB3\xB7\xCF\xFB(&U)", EditMenuCommand::Undo, 'U'},  // 撤消
    {nullptr, EditMenuCommand::None, 0},
    {"\xBC\xF4\xC7\xD0(&T)", EditMenuCommand::Cut, 'T'},        // 剪切
    {"\xB8\xB4\xD6\xC6(&C)", EditMenuCommand::Copy, 'C'},       // 复制
    {"\xD5\xB3\xCC\xF9(&P)", EditMenuCommand::Paste, 'P'},      // 粘贴
    {"\xC9\xBE\xB3\xFD(&D)", EditMenuCommand::Delete, 'D'},     // 删除
    {nullptr, EditMenuCommand::None, 0},
    {"\xC8\xAB\xD1\xA1(&A)", EditMenuCommand::SelectAll, 'A'},  // 全选
};
constexpr int kItemCount = static_cast<int>(std::size(kItems));

struct Menu {
  EditMenuItems enabled;
  int itemHeight = 20;
  int width = 0;
  int hot = -1;
  bool done = false;
  EditMenuCommand chosen = EditMenuCommand::None;

  bool Enabled(int i) const {
    switch (kItems[i].command) {
      case EditMenuCommand::Undo: return enabled.undo;
      case EditMenuCommand::Cut: return enabled.cut;
      case EditMenuCommand::Copy: return enabled.copy;
      case EditMenuCommand::Paste: return enabled.paste;
      case EditMenuCommand::Delete: return enabled.del;
      case EditMenuCommand::SelectAll: return enabled.selectAll;
      case EditMenuCommand::None: return false;
    }
    return false;
  }
  int Height(int i) const { return kItems[i].text ? itemHeight : kSeparatorHeight; }
  int Top(int i) const {
    int y = kFrame;
    for (int k = 0; k < i; ++k) y += Height(k);
    return y;
  }
  int TotalHeight() const { return Top(kItemCount) + kFrame; }
  int ItemAt(int x, int y) const {
    if (x < kFrame || x >= width - kFrame) return -1;
    for (int i = 0; i < kItemCount; ++i)
      if (y >= Top(i) && y < Top(i) + Height(i)) return kItems[i].text ? i : -1;
    return -1;
  }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < TotalHeight(); }
  void Choose(int i) {
    if (i < 0 || !Enabled(i)) return;
    chosen = kItems[i].command;
    done = true;
  }
  // The next enabled item in `step` direction, wrapping around; -1 when none is enabled.
  int Step(int step) const {
    int i = hot;
    for (int tries = 0; tries < kItemCount; ++tries) {
      i = (i + step + kItemCount) % kItemCount;
      if (kItems[i].text && Enabled(i)) return i;
    }
    return -1;
  }
};

Menu* MenuOf(HWND hwnd) { return reinterpret_cast<Menu*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

void SetHot(HWND hwnd, Menu& menu, int hot) {
  if (menu.hot == hot) return;
  menu.hot = hot;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void PaintMenu(HWND hwnd, const Menu& menu) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc) return;
  RECT client{0, 0, 0, 0};
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
  DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < kItemCount; ++i) {
    const int top = menu.Top(i);
    if (!kItems[i].text) {
      RECT line{kFrame + 1, top + kSeparatorHeight / 2 - 1, menu.width - kFrame - 1, top + kSeparatorHeight / 2};
      FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
      line.top += 1;
      line.bottom += 1;
      FillRect(dc, &line, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
      continue;
    }
    RECT row{kFrame, top, menu.width - kFrame, top + menu.itemHeight};
    const bool hot = i == menu.hot;
    if (hot) FillRect(dc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(!menu.Enabled(i) ? COLOR_GRAYTEXT : hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    RECT text{kTextLeft, top, menu.width - kFrame, top + menu.itemHeight};
    DrawTextA(dc, kItems[i].text, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  }
  SelectObject(dc, oldFont);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK MenuProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  Menu* menu = MenuOf(hwnd);
  if (!menu) return DefWindowProcA(hwnd, message, wParam, lParam);
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_PAINT:
      PaintMenu(hwnd, *menu);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // the edit keeps the focus while its menu is open
    case WM_MOUSEMOVE: {
      const int item = menu->ItemAt(x, y);
      SetHot(hwnd, *menu, item >= 0 && menu->Enabled(item) ? item : -1);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (!menu->Inside(x, y)) menu->done = true;  // a click outside dismisses the menu
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (menu->Inside(x, y)) menu->Choose(menu->ItemAt(x, y));
      return 0;
    case WM_CAPTURECHANGED:
      menu->done = true;  // someone else took the mouse
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void HandleKey(Menu& menu, HWND hwnd, UINT vk) {
  switch (vk) {
    case VK_ESCAPE:
    case VK_MENU:
    case VK_F10:
      menu.done = true;
      return;
    case VK_UP:
      SetHot(hwnd, menu, menu.Step(-1));
      return;
    case VK_DOWN:
      SetHot(hwnd, menu, menu.Step(+1));
      return;
    case VK_RETURN:
      if (menu.hot >= 0) menu.Choose(menu.hot);
      else menu.done = true;
      return;
  }
  for (int i = 0; i < kItemCount; ++i)
    if (kItems[i].text && kItems[i].key == vk) menu.Choose(i);
}

bool RegisterMenuClass() {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExA(GetModuleHandleA(nullptr), kMenuClass, &existing)) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &MenuProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kMenuClass;
  return RegisterClassExA(&wc) != 0;
}

// Sizes the menu to its widest item text.
void Measure(Menu& menu) {
  HDC dc = GetDC(nullptr);
  int widest = 60;
  if (dc) {
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    if (GetTextMetricsA(dc, &metrics)) menu.itemHeight = metrics.tmHeight + 6;
    for (const Item& item : kItems) {
      if (!item.text) continue;
      RECT r{0, 0, 0, 0};
      DrawTextA(dc, item.text, -1, &r, DT_SINGLELINE | DT_CALCRECT);
      widest = std::max(widest, static_cast<int>(r.right - r.left));
    }
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
  }
  menu.width = kTextLeft + widest + kTextRight + kFrame;
}

}  // namespace

EditMenuCommand TrackEditContextMenu(HWND owner, POINT screen, const EditMenuItems& enabled) {
  if (!IsWindow(owner) || !RegisterMenuClass()) return EditMenuCommand::None;
  Menu menu;
  menu.enabled = enabled;
  Measure(menu);

  // Kept on the screen: a menu that would run off the right or bottom edge opens to the other side.
  const int height = menu.TotalHeight();
  int x = screen.x, y = screen.y;
  if (x + menu.width > GetSystemMetrics(SM_CXSCREEN)) x = std::max(0, x - menu.width);
  if (y + height > GetSystemMetrics(SM_CYSCREEN)) y = std::max(0, y - height);

  HWND popup = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kMenuClass, "", WS_POPUP, x, y, menu.width,
                               height, owner, nullptr, GetModuleHandleA(nullptr), &menu);
  if (!popup) return EditMenuCommand::None;
  ShowWindow(popup, SW_SHOWNOACTIVATE);
  UpdateWindow(popup);
  SetCapture(popup);

  // The menu's own loop: keys go to the menu whatever window has the focus, a click on another
  // window dismisses the menu and is swallowed, everything else is dispatched as usual.
  MSG msg;
  while (!menu.done && IsWindow(owner) && IsWindow(popup)) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
      break;
    }
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        HandleKey(menu, popup, static_cast<UINT>(msg.wParam));
        continue;
      case WM_KEYUP:
      case WM_SYSKEYUP:
      case WM_CHAR:
      case WM_SYSCHAR:
        continue;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_NCLBUTTONDOWN:
      case WM_NCRBUTTONDOWN:
        if (msg.hwnd != popup) {
          menu.done = true;
          continue;
        }
        break;
    }
    DispatchMessageA(&msg);
  }

  // Marked done first, so losing the capture below is not taken for a dismissal.
  menu.done = true;
  if (GetCapture() == popup) ReleaseCapture();
  if (IsWindow(popup)) DestroyWindow(popup);
  return menu.chosen;
}

}  // namespace quill::controls
