#include "gdi/text/FontLocator.h"

#include <fontconfig/fontconfig.h>

#include <cstring>

namespace quill::text {
namespace {

// The families we prefer, best first. The first one carries hand-tuned 12-pixel bitmaps, which
// read far better at this size than any rendered outline.
const char* const kPreferredFamilies[] = {"WenQuanYi Zen Hei Sharp", "WenQuanYi Zen Hei"};

// Characters a usable fallback must have: two common ideographs and a digit.
const FcChar32 kProbeChars[] = {0x4E2D, 0x5EA6, '0'};

class Pattern {
 public:
  Pattern() : p_(FcPatternCreate()) {}
  explicit Pattern(FcPattern* p) : p_(p) {}
  ~Pattern() {
    if (p_) FcPatternDestroy(p_);
  }
  Pattern(const Pattern&) = delete;
  Pattern& operator=(const Pattern&) = delete;
  FcPattern* get() const { return p_; }

 private:
  FcPattern* p_;
};

bool HasFamily(FcPattern* match, const char* family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family)) == 0) return true;
  }
  return false;
}

bool CoversProbes(FcPattern* match) {
  FcCharSet* chars = nullptr;
  if (FcPatternGetCharSet(match, FC_CHARSET, 0, &chars) != FcResultMatch) return false;
  for (FcChar32 c : kProbeChars) {
    if (!FcCharSetHasChar(chars, c)) return false;
  }
  return true;
}

std::optional<FontFile> FileOf(FcPattern* match) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
  int index = 0;
  FcPatternGetInteger(match, FC_INDEX, 0, &index);
  return FontFile{reinterpret_cast<const char*>(file), index};
}

// Runs fontconfig's matching for `pattern`; `accept` decides whether the best match will do.
template <typename Accept>
std::optional<FontFile> Match(FcConfig* config, FcPattern* pattern, Accept accept) {
  FcPatternAddDouble(pattern, FC_PIXEL_SIZE, 12.0);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  Pattern match(FcFontMatch(config, pattern, &result));
  if (!match.get() || !accept(match.get())) return std::nullopt;
  return FileOf(match.get());
}

}  // namespace

std::optional<FontFile> LocateDefaultFontFile() {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return std::nullopt;
  std::optional<FontFile> found;

  for (const char* family : kPreferredFamilies) {
    Pattern pattern;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    found = Match(config, pattern.get(), [family](FcPattern* m) { return HasFamily(m, family); });
    if (found) break;
  }

  if (!found) {
    // fontconfig always answers with something, so the answer is only taken when it really
    // covers Chinese.
    Pattern pattern;
    FcLangSet* langs = FcLangSetCreate();
    FcLangSetAdd(langs, reinterpret_cast<const FcChar8*>("zh-cn"));
    FcPatternAddLangSet(pattern.get(), FC_LANG, langs);
    FcLangSetDestroy(langs);
    found = Match(config, pattern.get(), CoversProbes);
  }

  if (!found) {
    // Without a Chinese font, digits and Latin letters should still show.
    Pattern pattern;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    found = Match(config, pattern.get(), [](FcPattern*) { return true; });
  }

  FcConfigDestroy(config);
  return found;
}

}  // namespace quill::text
