// What the text engine's public entry points (DrawTextA, TextOutA, GetTextExtentPoint32A,
// GetTextMetricsA) need from a device context. Implemented by the GDI side.
#pragma once

#include "gdi/text/TextEngine.h"
#include "win/base.h"

namespace quill::gdi {

// Fills `target` from the DC's current state (surface, origin, clip, colours, background mode).
// False for a stale or null HDC.
bool ResolveTextTarget(HDC hdc, text::TextTarget* target);

// True when the HDC names a live device context (for the measuring calls, which draw nothing).
bool IsLiveDc(HDC hdc);

// Records that `surfaceRect` of the DC's surface changed, so it is presented.
void MarkDrawn(HDC hdc, const RECT& surfaceRect);

}  // namespace quill::gdi
