// GDI: device contexts, bitmaps (device-dependent and device-independent), brushes, pens,
// palettes, stock objects, blits and pixels, and the display's capabilities.
// (GetDC, GetWindowDC, ReleaseDC, BeginPaint and FillRect are USER calls: see user.h.
//  DrawTextA and the text measuring calls are in text.h.)
//
// Sections: [types] [constants] [device contexts] [objects] [drawing] [bitmaps] [display]
#pragma once

#include "base.h"

// [types] -----------------------------------------------------------------------------------------

typedef struct tagBITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
} BITMAP, *LPBITMAP;

typedef struct tagBITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;  // positive: rows bottom-up; negative: top-down
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
} BITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagRGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
} BITMAPINFO, *LPBITMAPINFO;

#pragma pack(push, 2)
typedef struct tagBITMAPFILEHEADER {
  WORD bfType;
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
} BITMAPFILEHEADER, *LPBITMAPFILEHEADER;
#pragma pack(pop)

typedef struct tagPALETTEENTRY {
  BYTE peRed;
  BYTE peGreen;
  BYTE peBlue;
  BYTE peFlags;
} PALETTEENTRY, *LPPALETTEENTRY;

typedef struct tagLOGPALETTE {
  WORD palVersion;  // 0x300
  WORD palNumEntries;
  PALETTEENTRY palPalEntry[1];
} LOGPALETTE, *LPLOGPALETTE;

typedef struct tagPOINTL {
  LONG x;
  LONG y;
} POINTL;

// The display-mode record. Only the display fields are filled; the printer fields stay zero.
typedef struct _devicemodeA {
  BYTE dmDeviceName[32];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  POINTL dmPosition;
  DWORD dmDisplayOrientation;
  DWORD dmDisplayFixedOutput;
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
  BYTE dmFormName[32];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmDisplayFlags;
  DWORD dmDisplayFrequency;
  DWORD dmICMMethod;
  DWORD dmICMIntent;
  DWORD dmMediaType;
  DWORD dmDitherType;
  DWORD dmReserved1;
  DWORD dmReserved2;
  DWORD dmPanningWidth;
  DWORD dmPanningHeight;
} DEVMODEA, *LPDEVMODEA;

// [constants] -------------------------------------------------------------------------------------

#define BI_RGB 0L
#define BI_BITFIELDS 3L
#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1
#define CBM_INIT 0x04L

// Raster operations
#define SRCCOPY 0x00CC0020
#define SRCPAINT 0x00EE0086
#define SRCAND 0x008800C6
#define SRCINVERT 0x00660046
#define PATCOPY 0x00F00021
#define PATINVERT 0x005A0049
#define DSTINVERT 0x00550009
#define BLACKNESS 0x00000042
#define WHITENESS 0x00FF0062

// Stock objects
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define SYSTEM_FONT 13
#define DEFAULT_PALETTE 15
#define DEFAULT_GUI_FONT 17

// GetObjectType
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_MEMDC 10

// Background modes and stretch modes
#define TRANSPARENT 1
#define OPAQUE 2
#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4
#define STRETCH_ANDSCANS BLACKONWHITE
#define STRETCH_ORSCANS WHITEONBLACK
#define STRETCH_DELETESCANS COLORONCOLOR
#define STRETCH_HALFTONE HALFTONE

// Pens
#define PS_SOLID 0
#define PS_NULL 5

// GetDeviceCaps
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMCOLORS 24
#define RASTERCAPS 38
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define SIZEPALETTE 104
#define NUMRESERVED 106
#define COLORRES 108
#define RC_BITBLT 0x0001
#define RC_BITMAP64 0x0008
#define RC_DI_BITMAP 0x0080
#define RC_PALETTE 0x0100
#define RC_DIBTODEV 0x0200
#define RC_STRETCHBLT 0x0800
#define RC_STRETCHDIB 0x2000

// Palettes and display modes
#define PC_RESERVED 0x01
#define PC_EXPLICIT 0x02
#define PC_NOCOLLAPSE 0x04
#define ENUM_CURRENT_SETTINGS ((DWORD)-1)
#define ENUM_REGISTRY_SETTINGS ((DWORD)-2)
#define DM_BITSPERPEL 0x00040000L
#define DM_PELSWIDTH 0x00080000L
#define DM_PELSHEIGHT 0x00100000L
#define DM_DISPLAYFREQUENCY 0x00400000L

// Clip region results
#define RGN_ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3

#define CLR_INVALID 0xFFFFFFFF
#define GDI_ERROR 0xFFFFFFFFL
#define HGDI_ERROR ((HGDIOBJ)(intptr_t)-1)

// [device contexts] -------------------------------------------------------------------------------

HDC WINAPI CreateCompatibleDC(HDC hdc);  // a memory DC with a 1 x 1 bitmap selected
BOOL WINAPI DeleteDC(HDC hdc);
int WINAPI SaveDC(HDC hdc);
BOOL WINAPI RestoreDC(HDC hdc, int savedDc);  // negative: relative to the latest save
int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int WINAPI ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int WINAPI GetClipBox(HDC hdc, LPRECT rect);

int WINAPI SetBkMode(HDC hdc, int mode);
int WINAPI GetBkMode(HDC hdc);
COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color);
COLORREF WINAPI GetBkColor(HDC hdc);
COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color);
COLORREF WINAPI GetTextColor(HDC hdc);
int WINAPI SetStretchBltMode(HDC hdc, int mode);
int WINAPI GetStretchBltMode(HDC hdc);

// [objects] ---------------------------------------------------------------------------------------

HGDIOBJ WINAPI GetStockObject(int index);
HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ obj);  // the previously selected object of that kind
HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type);
BOOL WINAPI DeleteObject(HGDIOBJ obj);
int WINAPI GetObjectA(HGDIOBJ obj, int size, LPVOID out);
DWORD WINAPI GetObjectType(HGDIOBJ obj);
HBRUSH WINAPI CreateSolidBrush(COLORREF color);
HPEN WINAPI CreatePen(int style, int width, COLORREF color);

// [drawing] ---------------------------------------------------------------------------------------

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop);
BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                   DWORD rop);
BOOL WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                       int srcWidth, int srcHeight, DWORD rop);
COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color);  // CLR_INVALID when clipped away
COLORREF WINAPI GetPixel(HDC hdc, int x, int y);
BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL WINAPI LineTo(HDC hdc, int x, int y);  // the end point is not drawn

// [bitmaps] ---------------------------------------------------------------------------------------

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int width, int height);  // 32 bits a pixel
HBITMAP WINAPI CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, LPCVOID bits,
                              const BITMAPINFO* info, UINT usage);
int WINAPI GetDIBits(HDC hdc, HBITMAP bitmap, UINT startScan, UINT scanLines, LPVOID bits,
                     LPBITMAPINFO info, UINT usage);

// [display] ---------------------------------------------------------------------------------------

int WINAPI GetDeviceCaps(HDC hdc, int index);
HPALETTE WINAPI CreatePalette(const LOGPALETTE* palette);
HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE palette, BOOL forceBackground);
UINT WINAPI RealizePalette(HDC hdc);
UINT WINAPI GetSystemPaletteEntries(HDC hdc, UINT start, UINT count, LPPALETTEENTRY entries);
BOOL WINAPI EnumDisplaySettingsA(LPCSTR deviceName, DWORD modeNum, DEVMODEA* mode);
