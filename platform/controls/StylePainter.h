// The one painter of the standard controls' themed look: push button faces, radio marks and the
// dotted focus rectangle. Controls work out their own state (pressed, focused, checked, ...) and
// hand it over as a ControlLook; the painter only turns that into pixels.
//
// It draws on a text::TextTarget (a surface, the DC's origin on it and the clip list), so it knows
// nothing of device contexts. A control resolves its HDC first and reports what was touched:
//
//   quill::text::TextTarget target;
//   if (quill::gdi::ResolveTextTarget(hdc, &target)) {
//     StylePainter painter(target);
//     painter.PushButtonFace(rect, look);
//     if (!quill::RectEmpty(painter.Touched())) quill::gdi::MarkDrawn(hdc, painter.Touched());
//   }
//
// Every colour comes from exact integer arithmetic, so the same state always gives the same pixels.
#pragma once

#include <vector>

#include "gdi/text/TextEngine.h"
#include "win/base.h"

namespace quill::controls {

// What a control has worked out about itself.
struct ControlLook {
  bool hot = false;       // the mouse is over it
  bool pressed = false;   // held down by the mouse or the Space bar
  bool focused = false;   // holds the keyboard focus (a push button shows it in its border)
  bool disabled = false;
  bool checked = false;   // radio marks only
};

class StylePainter {
 public:
  static constexpr int kRadioMarkSize = 13;

  explicit StylePainter(const text::TextTarget& target);

  // All rectangles and points are in the DC's logical coordinates.
  void Fill(const RECT& r, COLORREF colour);
  // A light face with a subtle vertical gradient inside a 1-pixel border with softened corners.
  // The corners blend with whatever lies under them, so the caller fills the background first.
  void PushButtonFace(const RECT& r, const ControlLook& look);
  // A 13 x 13 anti-aliased circle with its top-left corner at (left, top); checked adds the dot.
  void RadioMark(int left, int top, const ControlLook& look);
  // Inverts every other pixel of the rectangle's outline, as the platform's focus rectangle does.
  void FocusRect(const RECT& r);

  // The caption colour of the themed look: black, or grey when disabled (a parent's chosen text
  // colour gives way to it too, so a disabled control always reads as disabled).
  static COLORREF CaptionColour(const ControlLook& look);

  // Everything drawn so far, in surface coordinates; empty when nothing was touched.
  RECT Touched() const { return touched_; }

 private:
  uint8_t* PixelAt(int x, int y);  // logical coordinates; nullptr outside the clip
  void Blend(int x, int y, COLORREF colour, int alpha);  // alpha 0..255
  void Touch(const RECT& surfaceRect);

  text::TextTarget target_;
  std::vector<RECT> clips_;  // disjoint, inside the surface, surface coordinates
  RECT touched_{0, 0, 0, 0};
};

}  // namespace quill::controls
