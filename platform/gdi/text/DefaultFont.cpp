#include "gdi/text/DefaultFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

#include "gdi/text/FontLocator.h"

namespace quill::text {
namespace {

constexpr int kPixelSize = 12;

int RoundUp26_6(long v) { return static_cast<int>((v + 63) >> 6); }
int Round26_6(long v) { return static_cast<int>((v + 32) >> 6); }

}  // namespace

struct DefaultFont::FreeTypeState {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  bool bitmapStrike = false;  // the face has hand-made bitmaps at our size

  ~FreeTypeState() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

DefaultFont::~DefaultFont() = default;

DefaultFont* DefaultFont::Get() {
  // Loaded once; kept until the process ends, because any window may draw text at any time.
  static DefaultFont* const font = Load().release();
  return font;
}

std::unique_ptr<DefaultFont> DefaultFont::Load() {
  std::optional<FontFile> file = LocateDefaultFontFile();
  if (!file) return nullptr;

  std::unique_ptr<DefaultFont> font(new DefaultFont());
  font->ft_ = std::make_unique<FreeTypeState>();
  FreeTypeState& ft = *font->ft_;
  if (FT_Init_FreeType(&ft.library) != 0) return nullptr;
  if (FT_New_Face(ft.library, file->path.c_str(), file->index, &ft.face) != 0) return nullptr;
  FT_Face face = ft.face;
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);

  for (int i = 0; i < face->num_fixed_sizes; ++i) {
    if (face->available_sizes[i].y_ppem == kPixelSize * 64) ft.bitmapStrike = true;
  }
  // With a matching strike, FreeType selects it here and serves its bitmaps on glyph loads.
  if (FT_Set_Pixel_Sizes(face, 0, kPixelSize) != 0) return nullptr;

  FontMetrics& m = font->metrics_;
  const FT_Size_Metrics& sm = face->size->metrics;
  m.ascent = RoundUp26_6(sm.ascender);
  m.descent = RoundUp26_6(-sm.descender);
  m.height = m.ascent + m.descent;
  m.internalLeading = std::max(0, m.height - kPixelSize);
  m.externalLeading = std::max(0, Round26_6(sm.height) - m.height);
  m.maxCharWidth = Round26_6(sm.max_advance);
  // As on the desktop, the average width is that of a lower-case x.
  m.aveCharWidth = font->Render(U'x').advance;
  if (m.aveCharWidth <= 0) m.aveCharWidth = kPixelSize / 2;
  return font;
}

const Glyph& DefaultFont::GlyphFor(char32_t ch) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = glyphs_.find(ch);
  if (it == glyphs_.end()) it = glyphs_.emplace(ch, Render(ch)).first;
  return it->second;
}

Glyph DefaultFont::Render(char32_t ch) const {
  Glyph g;
  if (ch < 0x20 || ch == 0x7F) return g;  // control characters draw nothing and take no room
  FT_Face face = ft_->face;
  FT_UInt index = FT_Get_Char_Index(face, ch);  // 0, the missing-glyph box, when not covered
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) return g;
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
      FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
    return g;
  }
  g.advance = Round26_6(slot->advance.x);
  const FT_Bitmap& bm = slot->bitmap;
  if (bm.pixel_mode != FT_PIXEL_MODE_MONO && bm.pixel_mode != FT_PIXEL_MODE_GRAY) return g;
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.width = static_cast<int>(bm.width);
  g.rows = static_cast<int>(bm.rows);
  g.coverage.assign(static_cast<size_t>(g.width) * g.rows, 0);
  const int levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
  for (int y = 0; y < g.rows; ++y) {
    const unsigned char* src = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
    uint8_t* dst = &g.coverage[static_cast<size_t>(y) * g.width];
    for (int x = 0; x < g.width; ++x) {
      if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
        dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      } else {
        dst[x] = static_cast<uint8_t>(src[x] * 255 / levels);
      }
    }
  }
  return g;
}

}  // namespace quill::text
