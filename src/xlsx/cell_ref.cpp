#include "xlsx/cell_ref.h"

namespace morvane::xlsx {
namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<uint32_t> ParseColumnLetters(std::string_view letters) {
  if (letters.empty() || letters.size() > 3) return std::nullopt;
  uint32_t col = 0;
  for (char c : letters) {
    if (!IsLetter(c)) return std::nullopt;
    col = col * 26 + static_cast<uint32_t>((c & ~0x20) - 'A' + 1);
  }
  if (col > kMaxColumns) return std::nullopt;
  return col;
}

std::optional<CellRef> ParseCellRef(std::string_view text) {
  size_t pos = 0;
  if (pos < text.size() && text[pos] == '$') ++pos;
  size_t letters_begin = pos;
  while (pos < text.size() && IsLetter(text[pos])) ++pos;
  std::optional<uint32_t> col = ParseColumnLetters(text.substr(letters_begin, pos - letters_begin));
  if (!col) return std::nullopt;
  if (pos < text.size() && text[pos] == '$') ++pos;
  size_t digits_begin = pos;
  uint64_t row = 0;
  while (pos < text.size() && IsDigit(text[pos]) && pos - digits_begin < 8) {
    row = row * 10 + static_cast<uint64_t>(text[pos] - '0');
    ++pos;
  }
  if (pos == digits_begin || pos != text.size() || text[digits_begin] == '0') return std::nullopt;
  if (row < 1 || row > kMaxRows) return std::nullopt;
  return CellRef{static_cast<uint32_t>(row), *col};
}

std::string ColumnLetters(uint32_t col) {
  std::string letters;
  while (col > 0) {
    uint32_t rem = (col - 1) % 26;
    letters.insert(letters.begin(), static_cast<char>('A' + rem));
    col = (col - 1) / 26;
  }
  return letters;
}

std::string FormatCellRef(CellRef ref) { return ColumnLetters(ref.col) + std::to_string(ref.row); }

}  // namespace morvane::xlsx
