// System colours, metrics, the module handle and the tick count.
#include "gdi/GdiState.h"
#include "user/UserState.h"
#include "windows.h"

using namespace quill::user;

namespace {

// A light, modern palette: soft grey faces, white fields, a blue accent for the active caption and
// the selection.
const COLORREF kSysColors[31] = {
    RGB(200, 200, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND (the desktop)
    RGB(0, 103, 192),    // COLOR_ACTIVECAPTION
    RGB(235, 235, 235),  // COLOR_INACTIVECAPTION
    RGB(240, 240, 240),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(100, 100, 100),  // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(0, 84, 160),     // COLOR_ACTIVEBORDER
    RGB(170, 170, 170),  // COLOR_INACTIVEBORDER
    RGB(171, 171, 171),  // COLOR_APPWORKSPACE
    RGB(0, 120, 215),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240),  // COLOR_BTNFACE
    RGB(160, 160, 160),  // COLOR_BTNSHADOW
    RGB(109, 109, 109),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(110, 110, 110),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105),  // COLOR_3DDKSHADOW
    RGB(227, 227, 227),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(0, 0, 0),        // 25: unused
    RGB(0, 102, 204),    // COLOR_HOTLIGHT
    RGB(0, 103, 192),    // COLOR_GRADIENTACTIVECAPTION
    RGB(235, 235, 235),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 120, 215),    // COLOR_MENUHILIGHT
    RGB(240, 240, 240),  // COLOR_MENUBAR
};

}  // namespace

DWORD WINAPI GetSysColor(int index) {
  if (index < 0 || index >= 31) return 0;
  return kSysColors[index];
}

HBRUSH WINAPI GetSysColorBrush(int index) {
  return static_cast<HBRUSH>(quill::gdi::SysColorBrush(index));
}

int WINAPI GetSystemMetrics(int index) {
  Drv();
  const RECT& s = U().screen;
  switch (index) {
    case SM_CXSCREEN: return s.right - s.left;
    case SM_CYSCREEN: return s.bottom - s.top;
    case SM_CXFULLSCREEN: return s.right - s.left;
    case SM_CYFULLSCREEN: return s.bottom - s.top - 24;
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: return 17;
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 17;
    case SM_CYCAPTION: return 24;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXICON: case SM_CYICON: return 32;
    case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYMENU: return 20;
    case SM_CXSIZE: return 34;
    case SM_CYSIZE: return 24;
    case SM_CYSMCAPTION: return 20;
    case SM_CXMIN: return 132;
    case SM_CYMIN: return 38;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXDRAG: case SM_CYDRAG: return 4;
    default: return 0;
  }
}

UINT WINAPI GetDoubleClickTime(void) { return 500; }

// The program is the only module; its handle is a fixed non-null value.
HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
  if (moduleName) return nullptr;
  return reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x400000));
}

DWORD WINAPI GetTickCount(void) {
  quill::Driver* d = Drv();
  return d ? static_cast<DWORD>(d->NowMs()) : 0;
}
