// The platform's text calls over the text engine. Each one checks its device context at the
// boundary: a stale or null HDC gives the failure result and touches nothing.
#include "gdi/DcAccess.h"
#include "gdi/text/TextEngine.h"
#include "win/text.h"

#include "core/RectSet.h"

using quill::text::TextTarget;

int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  if (!lprc || (!lpchText && cchText != 0)) return 0;
  if (format & DT_CALCRECT) {
    if (!quill::gdi::IsLiveDc(hdc)) return 0;
    return quill::text::DrawTextAnsi(nullptr, lpchText, cchText, lprc, format);
  }
  TextTarget target;
  if (!quill::gdi::ResolveTextTarget(hdc, &target)) return 0;
  const int height = quill::text::DrawTextAnsi(&target, lpchText, cchText, lprc, format);
  const RECT touched = quill::text::LastDrawnBounds();
  if (!quill::RectEmpty(touched)) quill::gdi::MarkDrawn(hdc, touched);
  return height;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
  if (c < 0 || (!lpString && c > 0)) return FALSE;
  TextTarget target;
  if (!quill::gdi::ResolveTextTarget(hdc, &target)) return FALSE;
  quill::text::TextOutAnsi(target, x, y, lpString, c);
  const RECT touched = quill::text::LastDrawnBounds();
  if (!quill::RectEmpty(touched)) quill::gdi::MarkDrawn(hdc, touched);
  return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
  if (!psizl || c < 0 || (!lpString && c > 0) || !quill::gdi::IsLiveDc(hdc)) return FALSE;
  if (!quill::text::EnsureDefaultFont()) return FALSE;
  *psizl = quill::text::MeasureAnsi(lpString, c);
  return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
  if (!lptm || !quill::gdi::IsLiveDc(hdc) || !quill::text::EnsureDefaultFont()) return FALSE;
  const quill::text::FontMetrics& m = quill::text::DefaultFontMetrics();
  *lptm = TEXTMETRICA{};
  lptm->tmHeight = m.height;
  lptm->tmAscent = m.ascent;
  lptm->tmDescent = m.descent;
  lptm->tmInternalLeading = m.internalLeading;
  lptm->tmExternalLeading = m.externalLeading;
  lptm->tmAveCharWidth = m.aveCharWidth;
  lptm->tmMaxCharWidth = m.maxCharWidth;
  lptm->tmWeight = 400;  // regular
  lptm->tmDigitizedAspectX = 96;
  lptm->tmDigitizedAspectY = 96;
  lptm->tmFirstChar = 0x20;
  lptm->tmLastChar = 0xFF;
  lptm->tmDefaultChar = '?';
  lptm->tmBreakChar = ' ';
  // The low bits say "variable pitch, vector, TrueType" (the first of them is named as if it
  // meant fixed pitch, but set means variable); the high nibble is the Swiss (sans-serif) family.
  lptm->tmPitchAndFamily = 0x07 | 0x20;
  lptm->tmCharSet = 134;          // GB2312_CHARSET: the font serves the Chinese code page
  return TRUE;
}
