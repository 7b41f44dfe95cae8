// Cell addresses in A1 style within Excel's sheet limits (A1 to XFD1048576).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::xlsx {

constexpr uint32_t kMaxRows = 1048576;
constexpr uint32_t kMaxColumns = 16384;  // XFD

// One cell; row and column both count from 1.
struct CellRef {
  uint32_t row = 1;
  uint32_t col = 1;
  bool operator==(const CellRef&) const = default;
};

// Parses "B3", "b3" or "$B$3". Anything else, including ranges, blanks and addresses beyond
// the limits, gives nothing.
std::optional<CellRef> ParseCellRef(std::string_view text);

// Parses column letters ("A" to "XFD", either case) into a 1-based column number.
std::optional<uint32_t> ParseColumnLetters(std::string_view letters);

// 1 -> "A", 27 -> "AA", 16384 -> "XFD".
std::string ColumnLetters(uint32_t col);

std::string FormatCellRef(CellRef ref);

}  // namespace morvane::xlsx
