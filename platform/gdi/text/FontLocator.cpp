#include "gdi/text/FontLocator.h"

#include <fontconfig/fontconfig.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

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

// [SECTION] The remembered answer
//
// Loading fontconfig's configuration reads and parses dozens of files and takes most of the time a
// window needs to appear. Its answer for our first-choice family only changes when fonts are
// installed or removed, so it is remembered in the user's cache folder together with the size and
// modification time of the font file, and used as long as that file is unchanged. Answers from the
// fallbacks are never remembered: installing the preferred font later must take effect.

std::string CacheFilePath() {
  std::string folder;
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && xdg[0] == '/') {
    folder = xdg;
  } else if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
    folder = std::string(home) + "/.cache";
  } else {
    return {};
  }
  return folder + "/quillmark/default-font";
}

struct Remembered {
  FontFile file;
  long long size = 0;
  long long mtimeNs = 0;
};

std::optional<Remembered> Stamp(const FontFile& file) {
  struct stat st {};
  if (::stat(file.path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return Remembered{file, static_cast<long long>(st.st_size),
                    static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

std::optional<FontFile> ReadRemembered() {
  std::string cache = CacheFilePath();
  if (cache.empty()) return std::nullopt;
  std::ifstream in(cache);
  Remembered r;
  if (!std::getline(in, r.file.path) || r.file.path.empty() || !(in >> r.file.index >> r.size >> r.mtimeNs))
    return std::nullopt;
  std::optional<Remembered> now = Stamp(r.file);
  if (!now || now->size != r.size || now->mtimeNs != r.mtimeNs) return std::nullopt;
  return r.file;
}

void Remember(const FontFile& file) {
  std::string cache = CacheFilePath();
  std::optional<Remembered> r = Stamp(file);
  if (cache.empty() || !r || file.path.find('\n') != std::string::npos) return;
  // Parents first; a folder that cannot be made just means nothing is remembered.
  for (size_t slash = cache.find('/', 1); slash != std::string::npos; slash = cache.find('/', slash + 1)) {
    if (::mkdir(cache.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) return;
  }
  // Written aside and renamed over, so a reader never sees half a record.
  std::string temp = cache + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return;
  std::string record = file.path + "\n" + std::to_string(file.index) + " " + std::to_string(r->size) + " " +
                       std::to_string(r->mtimeNs) + "\n";
  bool ok = ::write(fd, record.data(), record.size()) == static_cast<ssize_t>(record.size());
  ok = ::close(fd) == 0 && ok;
  if (!ok || std::rename(temp.c_str(), cache.c_str()) != 0) ::unlink(temp.c_str());
}

}  // namespace

std::optional<FontFile> LocateDefaultFontFile() {
  if (std::optional<FontFile> remembered = ReadRemembered()) return remembered;

  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return std::nullopt;
  std::optional<FontFile> found;

  for (const char* family : kPreferredFamilies) {
    Pattern pattern;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    found = Match(config, pattern.get(), [family](FcPattern* m) { return HasFamily(m, family); });
    if (found) {
      if (family == kPreferredFamilies[0]) Remember(*found);
      break;
    }
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
