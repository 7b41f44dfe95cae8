// Drives the Excel operations the way the table and ER outputs use them, so that the tests
// (and the LibreOffice check) exercise exactly that sequence of calls.
#pragma once

#include <string>
#include <vector>

#include "excel/application.h"
#include "excel/shapes.h"

namespace morvane::excel::testing {

struct TableSheet {
  std::string name;                            // CP932
  std::vector<std::string> table_values;       // written to A1, B1, ...
  std::vector<std::vector<std::string>> rows;  // written from the block's start row
};

// Makes a new one-sheet workbook and writes one copy of `format` per table: the copy goes
// after the last sheet, the blank first sheet is deleted after the first copy, the sheet is
// named (trying "name (2)"-style names while the name is refused) and filled. Headings go to
// row `start_row` and the rows below it.
Workbook& WriteTables(ExcelApplication& app, const Worksheet& format,
                      const std::vector<TableSheet>& tables,
                      const std::vector<std::string>& headings, int start_row);

// The sheet name tried after `tried` was refused for the n-th time (n = 2, 3, ...): its last
// characters give way to " (n)", keeping the length; CP932 double-byte characters count as one.
std::string NumberedName(const std::string& tried, int n);

// Puts text into a box in pieces of at most 200 characters, as the ER output does.
void PutTextInPieces(const Shape& box, const std::string& text);

struct ErBox {
  std::string text;  // CP932, lines separated by LF
  int left, top, width, height;
};

struct ErLine {
  int from, to;            // indexes into the boxes
  int from_side, to_side;  // 0 to 4
};

// Draws boxes with shadows and joins them with connectors of `line_type`.
std::vector<Shape> DrawDiagram(const Worksheet& sheet, const std::vector<ErBox>& boxes,
                               const std::vector<ErLine>& lines, int line_type);

}  // namespace morvane::excel::testing
