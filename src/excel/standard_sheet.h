// Which sheet of the bundled template (or of a workbook made from it) suits an output: the
// table sheet, the table list in one-sheet mode, the index sheets, or the ER sheet.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "excel/application.h"
#include "excel/output_excel.h"
#include "model/data_kind.h"

namespace morvane::excel {

// The template sheet (UTF-8) for a table output of the data kind, or for ER output; empty where
// no sheet is designed for it (SQL input).
std::string_view StandardSheetFor(DataKind dataKind, bool oneSheet, bool er);

// When the active sheet of the active workbook is one of the standard layout's sheets and the
// workbook holds `wanted` too, makes that the active sheet, so that the output offers it as
// its format. Any other workbook or sheet is left as the user chose it.
void OfferStandardSheet(ExcelApplication& app, std::string_view wanted);

// The template of the last output, offered again to the next one: the workbook an output
// writes becomes the active one (to be looked at and saved), but it is not silently taken as
// the next output's template.
class TemplateMemory {
 public:
  // After an output: its template sheet and the workbook it wrote.
  void Remember(const OutputResult& result);
  // Before an output: while the workbook written last is the active one, the remembered
  // template sheet (if it is still open) becomes active again.
  void OfferAgain(ExcelApplication& app) const;

 private:
  std::optional<Worksheet> template_;
  std::string writtenBook_;  // the written workbook's name (CP932)
};

}  // namespace morvane::excel
