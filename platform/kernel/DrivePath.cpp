#include "kernel/DrivePath.h"

#include "kernel/CaseFold.h"
#include "kernel/CodePage.h"

namespace quill::kernel {

namespace {

constexpr size_t kMaxPathChars = MAX_PATH - 1;
constexpr size_t kMaxComponentBytes = 255;

bool IsDriveLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }

bool IsSeparator(char32_t c) { return c == U'\\' || c == U'/'; }

bool IsRefusedInName(char32_t c) {
  return c < 32 || c == U'<' || c == U'>' || c == U':' || c == U'"' || c == U'|' || c == U'?' || c == U'*';
}

// The platform resolves these names to devices wherever they appear, extension or not; the
// drive has no devices, so a name that would reach one cannot be opened.
bool IsReservedDeviceName(std::u32string_view part) {
  std::u32string_view base = part.substr(0, part.find(U'.'));
  while (!base.empty() && base.back() == U' ') base.remove_suffix(1);
  std::u32string folded;
  for (char32_t c : base) folded += FoldCase(c);
  if (folded == U"con" || folded == U"prn" || folded == U"aux" || folded == U"nul") return true;
  if (folded.size() != 4) return false;
  std::u32string_view stem = std::u32string_view(folded).substr(0, 3);
  char32_t digit = folded[3];
  bool isDigit = (digit >= U'0' && digit <= U'9') || digit == U'\u00B9' || digit == U'\u00B2' || digit == U'\u00B3';
  return (stem == U"com" || stem == U"lpt") && isDigit;
}

MappedPath Fail(DWORD error) {
  MappedPath result;
  result.error = error;
  return result;
}

}  // namespace

MappedPath MapPath(std::string_view root, std::string_view gbkName) {
  if (gbkName.empty()) return Fail(ERROR_PATH_NOT_FOUND);
  std::u32string name = cp936::ToUnicode(gbkName);
  if (name.find(U'\uFFFD') != std::u32string::npos) return Fail(ERROR_INVALID_NAME);
  if (name.size() > kMaxPathChars) return Fail(ERROR_FILENAME_EXCED_RANGE);

  // Find where the parts below the root begin.
  std::u32string_view rest = name;
  if (name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1])) {
    bool device = name.size() >= 4 && (name[2] == U'?' || name[2] == U'.') && IsSeparator(name[3]);
    return Fail(device ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND);
  }
  if (name.size() >= 2 && name[1] == U':' && IsDriveLetter(name[0])) {
    if (FoldCase(name[0]) != U'c') return Fail(ERROR_PATH_NOT_FOUND);
    if (name.size() == 2 || !IsSeparator(name[2])) return Fail(ERROR_INVALID_NAME);
    rest.remove_prefix(3);
  } else if (IsSeparator(name[0])) {
    rest.remove_prefix(1);
  }

  // Split into parts and apply "." and ".." and the trimming rules.
  std::vector<std::u32string> parts;
  bool namesDirectory = true;  // until a last part says otherwise
  size_t pos = 0;
  while (pos < rest.size()) {
    while (pos < rest.size() && IsSeparator(rest[pos])) ++pos;
    if (pos == rest.size()) break;
    size_t end = pos;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    std::u32string part(rest.substr(pos, end - pos));
    bool last = end == rest.size();
    pos = end;
    if (part == U".") {
      namesDirectory = true;
      continue;
    }
    if (part == U"..") {
      if (!parts.empty()) parts.pop_back();
      namesDirectory = true;
      continue;
    }
    if (last) {
      while (!part.empty() && (part.back() == U'.' || part.back() == U' ')) part.pop_back();
    } else if (part.size() >= 2 && part.back() == U'.' && part[part.size() - 2] != U'.') {
      part.pop_back();
    }
    if (part.empty()) {
      namesDirectory = true;
      continue;
    }
    namesDirectory = !last;
    parts.push_back(std::move(part));
  }

  size_t normalisedLength = 2;  // "C:"
  for (const std::u32string& part : parts) normalisedLength += 1 + part.size();
  if (parts.empty() || namesDirectory) normalisedLength += 1;
  if (normalisedLength > kMaxPathChars) return Fail(ERROR_FILENAME_EXCED_RANGE);

  MappedPath result;
  result.namesDirectory = namesDirectory;
  result.hostPath = std::string(root);
  for (const std::u32string& part : parts) {
    for (char32_t c : part)
      if (IsRefusedInName(c)) return Fail(ERROR_INVALID_NAME);
    if (IsReservedDeviceName(part)) return Fail(ERROR_INVALID_NAME);
    std::string hostName = cp936::Utf32ToUtf8(part);
    if (hostName.size() > kMaxComponentBytes) return Fail(ERROR_FILENAME_EXCED_RANGE);
    result.hostPath += '/';
    result.hostPath += hostName;
    result.components.push_back(std::move(hostName));
  }
  return result;
}

}  // namespace quill::kernel
