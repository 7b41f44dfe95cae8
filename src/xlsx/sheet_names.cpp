#include "xlsx/sheet_names.h"

#include <vector>

namespace morvane::xlsx {
namespace {

std::vector<char32_t> Decode(std::string_view utf8) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    char32_t code = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    out.push_back(code);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

// Half-width katakana U+FF66..U+FF9D in order, as full-width katakana.
constexpr char32_t kHalfKana[] = {
    0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2,
    0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9,
    0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE,
    0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6,
    0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3};

char32_t FoldOne(char32_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // full-width ASCII
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0x0391 && c <= 0x03A9) return c + 32;                 // Greek capitals
  if (c >= 0x0410 && c <= 0x042F) return c + 32;                 // Cyrillic capitals
  if (c == 0x0401) return 0x0451;                                // Ё
  if (c >= 0x2160 && c <= 0x216F) return c + 16;                 // Roman numerals
  if (c >= 0x3041 && c <= 0x3096) return c + 0x60;               // hiragana -> katakana
  if (c >= 0xFF66 && c <= 0xFF9D) return kHalfKana[c - 0xFF66];  // half-width katakana
  return c;
}

// Joins a half-width voiced or semi-voiced mark with the kana before it.
bool Combine(char32_t& previous, char32_t mark) {
  if (mark == 0xFF9E) {
    bool voiced = (previous >= 0x30AB && previous <= 0x30C1 && previous % 2 == 1) ||
                  (previous >= 0x30C4 && previous <= 0x30C8 && previous % 2 == 0) ||
                  (previous >= 0x30CF && previous <= 0x30DD && previous % 3 == 0x30CF % 3);
    if (previous == 0x30A6) {
      previous = 0x30F4;
      return true;
    }
    if (voiced) {
      ++previous;
      return true;
    }
  } else if (mark == 0xFF9F && previous >= 0x30CF && previous <= 0x30DD &&
             previous % 3 == 0x30CF % 3) {
    previous += 2;
    return true;
  }
  return false;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

size_t CharacterCount(std::string_view utf8) {
  size_t count = 0;
  for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

std::string FirstCharacters(std::string_view utf8, size_t count) {
  size_t seen = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
      if (seen == count) return std::string(utf8.substr(0, i));
      ++seen;
    }
  }
  return std::string(utf8);
}

std::optional<std::string> SheetNameProblem(std::string_view utf8) {
  if (utf8.empty()) return "シート名が空です。";
  if (CharacterCount(utf8) > kMaxSheetNameLength) {
    return "シート名は31文字以内にしてください。";
  }
  if (utf8.find_first_of(":\\/?*[]") != std::string_view::npos) {
    return "シート名に使えない文字 ( : \\ / ? * [ ] ) が含まれています。";
  }
  if (utf8.front() == '\'' || utf8.back() == '\'') {
    return "シート名の先頭と末尾にはアポストロフィを使えません。";
  }
  if (SheetNameKey(utf8) == "history") return "「History」はシート名に使えません。";
  return std::nullopt;
}

std::string SheetNameKey(std::string_view utf8) {
  std::vector<char32_t> folded;
  for (char32_t c : Decode(utf8)) {
    if (!folded.empty() && Combine(folded.back(), c)) continue;
    folded.push_back(FoldOne(c));
  }
  std::string key;
  for (char32_t c : folded) AppendUtf8(key, c);
  return key;
}

}  // namespace morvane::xlsx
