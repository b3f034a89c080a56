// The caption title, drawn with the text engine in the given colour, left-aligned and vertically
// centred in `rect` (window coordinates of the window DC), cut with an ellipsis when too long.
#pragma once

#include <string>

#include "win/base.h"

namespace quill::user {

void DrawCaptionTitle(HDC hdc, const RECT& rect, const std::string& gbkText, COLORREF color);

}  // namespace quill::user
