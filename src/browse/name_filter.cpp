#include "browse/name_filter.h"

namespace morvane {
namespace {

constexpr char16_t kFullWidthUpperA = 0x8260;    // Ａ
constexpr char16_t kFullWidthUpperZ = 0x8279;    // Ｚ
constexpr char16_t kFullWidthLowerA = 0x8281;    // ａ
constexpr char16_t kFullWidthAsterisk = 0x8196;  // ＊

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// One CP932 character as a code: the byte itself, or lead byte * 256 + trail byte. Letters come
// out in lower case (ASCII and full-width alike).
char16_t FoldedCode(unsigned char lead, unsigned char trail, bool doubleByte) {
  if (!doubleByte) {
    return lead >= 'A' && lead <= 'Z' ? static_cast<char16_t>(lead + ('a' - 'A')) : lead;
  }
  const auto code = static_cast<char16_t>(lead << 8 | trail);
  if (code >= kFullWidthUpperA && code <= kFullWidthUpperZ) {
    return static_cast<char16_t>(code - kFullWidthUpperA + kFullWidthLowerA);
  }
  return code;
}

// The text's characters, folded. A lead byte at the very end stands for itself.
std::u16string FoldedCodes(std::string_view text) {
  std::u16string codes;
  codes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const bool double_byte = IsLeadByte(lead) && i + 1 < text.size();
    const auto trail = double_byte ? static_cast<unsigned char>(text[++i]) : 0;
    codes.push_back(FoldedCode(lead, trail, double_byte));
  }
  return codes;
}

bool IsWildcard(char16_t code) { return code == u'*' || code == kFullWidthAsterisk; }

}  // namespace

TNameFilter::TNameFilter(std::string_view patternCp932) {
  std::u16string piece;
  for (char16_t code : FoldedCodes(patternCp932)) {
    if (!IsWildcard(code)) {
      piece.push_back(code);
    } else if (!piece.empty()) {
      pieces_.push_back(std::move(piece));
      piece.clear();
    }
  }
  if (!piece.empty()) pieces_.push_back(std::move(piece));
}

bool TNameFilter::Matches(std::string_view nameCp932) const {
  if (pieces_.empty()) return true;
  const std::u16string name = FoldedCodes(nameCp932);
  // Each piece is looked for after the previous one; the leftmost match leaves the most room.
  size_t from = 0;
  for (const std::u16string& piece : pieces_) {
    const size_t found = name.find(piece, from);
    if (found == std::u16string::npos) return false;
    from = found + piece.size();
  }
  return true;
}

}  // namespace morvane
