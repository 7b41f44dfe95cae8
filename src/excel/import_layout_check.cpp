#include "excel/import_layout_check.h"

#include "excel/excel_error.h"
#include "excel/worksheet.h"
#include "text/cp932_text.h"

namespace morvane::excel {
namespace {

bool IsAddress(const Worksheet& sheet, const std::string& address) {
  try {
    sheet.Range(address).Value();
    return true;
  } catch (const ExcelError&) {
    return false;
  }
}

bool FieldIsValid(int field, const std::string& text, const Worksheet& sheet) {
  if (field == kLayoutTableNameCell) return IsAddress(sheet, text);
  if (field == kLayoutFirstItemRow) {
    int row = 0;
    return ParseInt32(text, row) && IsAddress(sheet, "A" + std::to_string(row));
  }
  if (field != kLayoutItemNameColumn && text.empty()) return true;  // optional columns
  return IsAddress(sheet, text + "1");
}

}  // namespace

ImportLayoutTexts LayoutTexts(const TImportLayout& layout) {
  ImportLayoutTexts texts;
  texts[kLayoutTableNameCell] = layout.tableNameCell;
  texts[kLayoutFirstItemRow] = std::to_string(layout.firstItemRow);
  const auto columns = layout.Columns();
  for (size_t i = 0; i < columns.size(); ++i) texts[kLayoutItemNameColumn + i] = *columns[i];
  return texts;
}

std::optional<int> FirstInvalidLayoutField(ImportLayoutTexts& texts, const Worksheet& first_sheet) {
  for (int field = 0; field < kLayoutFieldCount; ++field) {
    texts[field] = TrimBlanks(texts[field]);
    if (!FieldIsValid(field, texts[field], first_sheet)) return field;
  }
  return std::nullopt;
}

TImportLayout LayoutFromTexts(const ImportLayoutTexts& texts) {
  TImportLayout layout;
  layout.tableNameCell = texts[kLayoutTableNameCell];
  ParseInt32(texts[kLayoutFirstItemRow], layout.firstItemRow);
  auto columns = layout.Columns();
  for (size_t i = 0; i < columns.size(); ++i) *columns[i] = texts[kLayoutItemNameColumn + i];
  return layout;
}

}  // namespace morvane::excel
