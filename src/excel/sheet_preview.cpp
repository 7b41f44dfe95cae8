#include "excel/sheet_preview.h"

#include <algorithm>
#include <cmath>

#include "excel/application.h"
#include "excel/text_boundary.h"
#include "xlsx/workbook.h"
#include "xlsx/xml_util.h"

namespace morvane::excel {
namespace {

// The width of a column without a <col> entry: defaultColWidth, else baseColWidth (8 digits)
// with the cell padding Excel adds.
double DefaultWidth(pugi::xml_node worksheet) {
  pugi::xml_node format = xlsx::ChildByLocal(worksheet, "sheetFormatPr");
  pugi::xml_attribute width = xlsx::AttributeByLocal(format, "defaultColWidth");
  if (width && width.as_double() > 0) return width.as_double();
  pugi::xml_attribute base = xlsx::AttributeByLocal(format, "baseColWidth");
  double digits = base ? base.as_double(8) : 8;
  return digits + 1.140625;  // 8 digits give 64 pixels at a 7-pixel digit, as in Excel
}

void ReadColumns(const xlsx::Worksheet& sheet, SheetPreview& preview) {
  pugi::xml_node worksheet = sheet.doc.document_element();
  preview.widths.assign(preview.columns, DefaultWidth(worksheet));
  preview.hidden.assign(preview.columns, false);
  pugi::xml_node cols = xlsx::ChildByLocal(worksheet, "cols");
  for (pugi::xml_node col : xlsx::ChildrenByLocal(cols, "col")) {
    uint32_t min = xlsx::AttributeByLocal(col, "min").as_uint();
    uint32_t max = std::min(xlsx::AttributeByLocal(col, "max").as_uint(), preview.columns);
    pugi::xml_attribute width = xlsx::AttributeByLocal(col, "width");
    bool hidden = xlsx::AttributeByLocal(col, "hidden").as_bool();
    for (uint32_t c = std::max<uint32_t>(min, 1); c <= max; ++c) {
      if (width) preview.widths[c - 1] = width.as_double();
      preview.hidden[c - 1] = hidden || (width && width.as_double() <= 0);
    }
  }
}

}  // namespace

SheetPreview ReadPreview(const Worksheet& sheet, uint32_t max_rows, uint32_t max_columns) {
  std::shared_ptr<xlsx::Worksheet> engine_sheet = sheet.Lock();
  const xlsx::Workbook& engine = sheet.Parent().engine();
  uint32_t used_rows = engine_sheet->data.LastUsedRow();
  uint32_t used_columns = engine_sheet->data.LastUsedColumn();

  SheetPreview preview;
  preview.rows = std::clamp<uint32_t>(used_rows, 1, std::max<uint32_t>(max_rows, 1));
  preview.columns = std::clamp<uint32_t>(used_columns, 1, std::max<uint32_t>(max_columns, 1));
  preview.cut = used_rows > preview.rows || used_columns > preview.columns;
  preview.values.assign(size_t{preview.rows} * preview.columns, std::string());
  for (const xlsx::Row& row : engine_sheet->data.rows()) {
    if (row.index > preview.rows) break;
    for (const xlsx::Cell& cell : row.cells) {
      if (cell.col > preview.columns) break;
      std::string text = Guard([&] {
        return engine.CellText(*engine_sheet, {row.index, cell.col});
      });
      preview.values[size_t{row.index - 1} * preview.columns + (cell.col - 1)] =
          ToDocumentText(text);
    }
  }
  ReadColumns(*engine_sheet, preview);
  return preview;
}

int ColumnWidthPixels(double width, int digit_px) {
  if (width <= 0 || digit_px <= 0) return 0;
  // Excel: Truncate(((256 * width + Truncate(128 / digit)) / 256) * digit)
  double pixels = std::trunc((256 * width + std::trunc(128.0 / digit_px)) / 256 * digit_px);
  return static_cast<int>(pixels);
}

}  // namespace morvane::excel
