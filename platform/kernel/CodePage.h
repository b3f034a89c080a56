// The ANSI code page of the system: GBK (code page 936). Control texts are bytes in this code page;
// the layer converts to Unicode only to draw glyphs and to talk to the desktop.
#pragma once

#include <string>
#include <string_view>

namespace quill::cp936 {

// A byte that opens a double-byte character (0x81 to 0xFE).
inline bool IsLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// Length in bytes of the character starting at text[i]: 2 for a complete double-byte pair, else 1.
size_t CharLength(std::string_view text, size_t i);

// GBK to Unicode. A sequence that is not valid GBK becomes U+FFFD for its first byte, then
// decoding goes on with the next byte; nothing is dropped silently.
std::u32string ToUnicode(std::string_view gbk);
// Unicode to GBK. A character GBK lacks becomes '?'.
std::string FromUnicode(std::u32string_view text);

std::string ToUtf8(std::string_view gbk);
std::string FromUtf8(std::string_view utf8);

std::string Utf32ToUtf8(std::u32string_view text);
std::u32string Utf8ToUtf32(std::string_view utf8);  // invalid bytes become U+FFFD

}  // namespace quill::cp936
