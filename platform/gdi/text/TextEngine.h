// The text engine behind DEFAULT_GUI_FONT: one 12-pixel CJK-capable face loaded with FreeType,
// found through fontconfig. It measures and draws GBK text into a 32-bit surface, clipped to a
// list of rectangles. It knows nothing of device contexts: the GDI side resolves an HDC into a
// TextTarget (see gdi/DcAccess.h) and calls in here.
#pragma once

#include <vector>

#include "core/Image.h"
#include "win/base.h"

namespace quill::text {

struct TextTarget {
  ImageView surface;             // Bgrx32, the destination pixels
  POINT origin{0, 0};            // where the DC's logical (0,0) lies on the surface
  std::vector<RECT> clip;        // surface coordinates; nothing outside these is touched
  COLORREF textColor = 0;
  bool opaqueBackground = false;  // OPAQUE background mode: text cells are filled first
  COLORREF backgroundColor = 0xFFFFFF;
};

struct FontMetrics {
  int height = 0;  // ascent + descent
  int ascent = 0;
  int descent = 0;
  int internalLeading = 0;
  int externalLeading = 0;
  int aveCharWidth = 0;
  int maxCharWidth = 0;
};

// Loads the face on first use. False when no usable font could be found.
bool EnsureDefaultFont();
const FontMetrics& DefaultFontMetrics();

// Width and height of GBK text on one line, without prefix processing.
SIZE MeasureAnsi(const char* text, int len);

// The work of DrawTextA. `target` may be null for DT_CALCRECT. `rect` is in logical (DC)
// coordinates. Returns the height of the text, as DrawTextA does.
int DrawTextAnsi(const TextTarget* target, const char* text, int len, RECT* rect, UINT format);

// The work of TextOutA: one line, (x, y) is the top-left of the text cell in logical coordinates.
void TextOutAnsi(const TextTarget& target, int x, int y, const char* text, int len);

// The surface rectangle a DrawTextAnsi call may have touched (for presentation bookkeeping).
RECT LastDrawnBounds();

}  // namespace quill::text
