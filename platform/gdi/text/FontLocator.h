// Finds the file behind DEFAULT_GUI_FONT through fontconfig: the bitmap-strike CJK face first,
// then its outline sibling, then any installed font that covers Chinese. The answer for the first
// choice is remembered in ${XDG_CACHE_HOME:-$HOME/.cache}/quillmark/default-font and used while
// that font file is unchanged, which spares every later start fontconfig's set-up.
#pragma once

#include <optional>
#include <string>

namespace quill::text {

struct FontFile {
  std::string path;
  int index = 0;  // face index inside a collection file
};

std::optional<FontFile> LocateDefaultFontFile();

}  // namespace quill::text
