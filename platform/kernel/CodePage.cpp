#include "kernel/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace quill::cp936 {

namespace {

// Converts one character at a time with iconv, so a bad sequence costs only its own bytes.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  // Converts in[0..len) completely; false when the input is not a valid sequence.
  bool Convert(const char* in, size_t len, char* out, size_t* outLen) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in);
    size_t srcLeft = len, dstLeft = *outLen;
    char* dst = out;
    size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
    if (r == static_cast<size_t>(-1) || srcLeft != 0) return false;
    *outLen = *outLen - dstLeft;
    return true;
  }

 private:
  iconv_t cd_;
};

std::mutex g_mutex;

Converter& ToUcs4() {
  static Converter c("UTF-32LE", "CP936");
  return c;
}
Converter& FromUcs4() {
  static Converter c("CP936", "UTF-32LE");
  return c;
}

char32_t DecodeOne(const char* p, size_t n) {
  char out[8];
  size_t outLen = sizeof out;
  if (!ToUcs4().Convert(p, n, out, &outLen) || outLen != 4) return 0xFFFD;
  return static_cast<char32_t>(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8 |
                               static_cast<unsigned char>(out[2]) << 16 | static_cast<unsigned char>(out[3]) << 24);
}

}  // namespace

size_t CharLength(std::string_view text, size_t i) {
  if (i + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[i])) && text[i + 1] != 0) return 2;
  return 1;
}

std::u32string ToUnicode(std::string_view gbk) {
  std::u32string out;
  out.reserve(gbk.size());
  std::lock_guard<std::mutex> lock(g_mutex);
  for (size_t i = 0; i < gbk.size();) {
    unsigned char b = static_cast<unsigned char>(gbk[i]);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    if (CharLength(gbk, i) == 2) {
      char32_t c = DecodeOne(gbk.data() + i, 2);
      if (c != 0xFFFD) {
        out.push_back(c);
        i += 2;
        continue;
      }
    }
    char32_t c = DecodeOne(gbk.data() + i, 1);  // 0x80 is the euro sign in this code page
    out.push_back(c);
    ++i;
  }
  return out;
}

std::string FromUnicode(std::u32string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  std::lock_guard<std::mutex> lock(g_mutex);
  for (char32_t c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    char in[4] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF), static_cast<char>((c >> 16) & 0xFF),
                  static_cast<char>((c >> 24) & 0xFF)};
    char buf[8];
    size_t len = sizeof buf;
    if (FromUcs4().Convert(in, 4, buf, &len) && len > 0)
      out.append(buf, len);
    else
      out.push_back('?');
  }
  return out;
}

std::string Utf32ToUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::u32string Utf8ToUtf32(std::string_view s) {
  static const char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  std::u32string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    bool ok = extra >= 0 && i + extra < s.size();
    char32_t c = ok ? (extra == 0 ? b : b & (0x3F >> extra)) : 0;
    for (int k = 1; ok && k <= extra; ++k) {
      unsigned char t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) ok = false;
      c = (c << 6) | (t & 0x3F);
    }
    if (!ok || c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    out.push_back(c);
    i += extra + 1;
  }
  return out;
}

std::string ToUtf8(std::string_view gbk) { return Utf32ToUtf8(ToUnicode(gbk)); }
std::string FromUtf8(std::string_view utf8) { return FromUnicode(Utf8ToUtf32(utf8)); }

}  // namespace quill::cp936
