// What the workbook window shows of a worksheet: the values of its used area, read as the
// Excel operations read them (CP932, "?" for characters CP932 lacks), and its column widths.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "excel/worksheet.h"

namespace morvane::excel {

struct SheetPreview {
  uint32_t rows = 1;                // rows shown, from row 1; at least one
  uint32_t columns = 1;             // columns shown, from column A; at least one
  bool cut = false;                 // the used area reaches beyond what is shown
  std::vector<std::string> values;  // rows × columns, row by row; CP932
  // Per column shown: the width in Excel's unit (characters of the widest digit, padding
  // included, as the file stores it), and whether the column is hidden.
  std::vector<double> widths;
  std::vector<bool> hidden;

  const std::string& Value(uint32_t row, uint32_t col) const {  // 1-based
    return values[(row - 1) * columns + (col - 1)];
  }
};

SheetPreview ReadPreview(const Worksheet& sheet, uint32_t max_rows, uint32_t max_columns);

// Excel's width unit in pixels, for a font whose widest digit is digit_px wide.
int ColumnWidthPixels(double width, int digit_px);

}  // namespace morvane::excel
