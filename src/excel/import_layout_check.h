// The import layout as the fourteen texts of its dialog boxes, and the check that each names a
// cell, row or column of the source workbook.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/format_settings.h"

namespace morvane::excel {

class Worksheet;

// Table-name cell, first item row, then the twelve column letters in layout order.
constexpr int kLayoutFieldCount = 14;
constexpr int kLayoutTableNameCell = 0;
constexpr int kLayoutFirstItemRow = 1;
constexpr int kLayoutItemNameColumn = 2;
using ImportLayoutTexts = std::array<std::string, kLayoutFieldCount>;

// The layout as box texts, the first item row in decimal.
ImportLayoutTexts LayoutTexts(const TImportLayout& layout);

// Checks the fields in order against `first_sheet` (the source workbook's first worksheet):
// the table-name cell must be an address, the first item row an integer n with "A"n an address,
// the item-name column and every other column that is not empty a column with <column>1 an
// address. Each field is trimmed (in `texts`) before its check. Returns the first field that
// fails, or nothing when all pass.
std::optional<int> FirstInvalidLayoutField(ImportLayoutTexts& texts, const Worksheet& first_sheet);

// The layout of texts that passed the check.
TImportLayout LayoutFromTexts(const ImportLayoutTexts& texts);

}  // namespace morvane::excel
