#include "user/NcTitle.h"

namespace quill::user {

// The text engine joins the layer later; until then captions show their icon and buttons only.
void DrawCaptionTitle(HDC, const RECT&, const std::string&, COLORREF) {}

}  // namespace quill::user
