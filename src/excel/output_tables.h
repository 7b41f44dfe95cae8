// Writing catalogue records onto output sheets by the item lists and format settings of their
// data kind: own-sheet mode (one sheet per record, table-level values at their cells and the
// column block down the items' columns) and one-sheet mode (one row per record).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "excel/worksheet.h"
#include "model/catalogue_store.h"

namespace morvane::excel {

// Every address the template must accept before a table output of the data kind: in one-sheet
// mode each written table-level item's column at the table start row; in own-sheet mode each
// written table-level item's cell (unless table data is not written) and each written
// column-level item's column at the column start row. An address with a bad row or column
// (a start row of 0, an empty cell) comes out as it is, for the template to reject.
std::vector<std::string> TableOutputAddresses(const TCatalogueStore& store, DataKind dataKind);

// Own-sheet mode: the record's table-level values at their cells (unless not wanted) and its
// column block, headed by the item names when wanted. `valueWritten` is called after each
// value of the column block. A value the record does not hold is written as empty text.
void WriteOwnSheet(const Worksheet& sheet, const TCatalogueStore& store, DataKind dataKind,
                   const TTableRec& record, const std::function<void()>& valueWritten);

// One-sheet mode: the record's table-level values in row `row`, preceded by a row of item
// names when headers are wanted and `row` is the table start row; `row` ends below the values.
void WriteOneSheetRow(const Worksheet& sheet, const TCatalogueStore& store, DataKind dataKind,
                      const TTableRec& record, int& row);

}  // namespace morvane::excel
