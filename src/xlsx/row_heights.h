// Row heights for wrapped text: a row whose wrapped cells need more lines than one gets a
// height that shows them, as a spreadsheet program's automatic row height would. Written
// values leave rows at their default height otherwise, and readers that keep stored heights
// (LibreOffice among them) would cut long comments off.
#pragma once

#include "xlsx/shared_strings.h"
#include "xlsx/styles.h"
#include "xlsx/worksheet.h"

namespace morvane::xlsx {

// Estimates, from the column widths (a merged area counts as one cell) and the text (a
// double-byte character as two digits wide), how many lines each wrapped cell takes, and sets
// the height of each row that needs more than one line and has no height of its own.
void FitWrappedRowHeights(Worksheet& sheet, const StyleSheet& styles, const SharedStrings& strings);

}  // namespace morvane::xlsx
