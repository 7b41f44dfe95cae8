// TItemDef, one item of a data kind (a list column, an Excel heading and a value position),
// with the column-letter and default-width rules every item list uses.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace morvane {

// valueKind values.
constexpr int kValueKindText = 1;    // left-aligned, sorted as text
constexpr int kValueKindNumber = 2;  // right-aligned, sorted as integer

struct TItemDef {
  std::string name;  // header text (CP932)
  int valueKind = kValueKindText;
  int index = 0;            // position of the item's value in every record's values; never changes
  uint8_t output = 1;       // 1: shown as a list column and written to Excel
  std::string excelColumn;  // Excel column letters
  std::string excelCell;    // table level: the cell on a table's own sheet; column level: empty
  int width = 100;          // list column width in pixels; not stored in the project file

  bool operator==(const TItemDef&) const = default;
};

// Measures the pixel width of CP932 text in the list font. The GUI measures with its font;
// the command-line tool and tests use EstimateTextWidth.
using TextMeasurer = std::function<int(std::string_view cp932)>;

// A fixed estimate for use without a display: 7 pixels per byte, so a double-byte character
// counts twice as wide as an ASCII one.
int EstimateTextWidth(std::string_view cp932);

// Excel column letters of a zero-based index: 0 A, 25 Z, 26 AA, 42 AQ, 255 IV, 702 AAA.
// Empty for a negative index.
std::string ColumnLetters(int index);

// Text width of the name plus 20; a text item is at least 100 wide.
int DefaultItemWidth(std::string_view name, int valueKind, const TextMeasurer& measure);

// An item built the default way: output 1, excelColumn from the index, excelCell from the
// column plus "1" at table level and empty at column level, width by the default rule.
TItemDef MakeDefaultItem(std::string name, int valueKind, int index, int itemLevel,
                         const TextMeasurer& measure);

}  // namespace morvane
