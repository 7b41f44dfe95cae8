// Which sheet of the bundled template (or of a workbook made from it) suits an output: the
// table sheet, the table list in one-sheet mode, the index sheets, or the ER sheet.
#pragma once

#include <string_view>

#include "excel/application.h"
#include "model/data_kind.h"

namespace morvane::excel {

// The template sheet (UTF-8) for a table output of the data kind, or for ER output; empty where
// no sheet is designed for it (SQL input).
std::string_view StandardSheetFor(DataKind dataKind, bool oneSheet, bool er);

// When the active sheet of the active workbook is one of the standard layout's sheets and the
// workbook holds `wanted` too, makes that the active sheet, so that the output offers it as
// its format. Any other workbook or sheet is left as the user chose it.
void OfferStandardSheet(ExcelApplication& app, std::string_view wanted);

}  // namespace morvane::excel
