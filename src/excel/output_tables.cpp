#include "excel/output_tables.h"

namespace morvane::excel {
namespace {

std::string At(const std::string& column, int row) { return column + std::to_string(row); }

std::string ValueOf(const TValueList& values, int index) {
  return index < 0 ? std::string() : std::string(values.ValueOr(static_cast<size_t>(index)));
}

}  // namespace

std::vector<std::string> TableOutputAddresses(const TCatalogueStore& store, DataKind dataKind) {
  const TFormatSettings& settings = store.formatSettings;
  const size_t k = DataKindIndex(dataKind);
  std::vector<std::string> addresses;
  const ItemList& table_items = store.Items(dataKind, kItemLevelTable);
  if (settings.tableOneSheet[k]) {
    for (const TItemDef& item : table_items) {
      if (item.output == 1) addresses.push_back(At(item.excelColumn, settings.tableStartRow[k]));
    }
    return addresses;
  }
  if (!settings.tableNoOutput[k]) {
    for (const TItemDef& item : table_items) {
      if (item.output == 1) addresses.push_back(item.excelCell);
    }
  }
  for (const TItemDef& item : store.Items(dataKind, kItemLevelColumn)) {
    if (item.output == 1) addresses.push_back(At(item.excelColumn, settings.columnStartRow[k]));
  }
  return addresses;
}

void WriteOwnSheet(const Worksheet& sheet, const TCatalogueStore& store, DataKind dataKind,
                   const TTableRec& record, const std::function<void()>& valueWritten) {
  const TFormatSettings& settings = store.formatSettings;
  const size_t k = DataKindIndex(dataKind);
  if (!settings.tableNoOutput[k]) {
    for (const TItemDef& item : store.Items(dataKind, kItemLevelTable)) {
      if (item.output == 1)
        sheet.Range(item.excelCell).SetValue(ValueOf(record.values, item.index));
    }
  }
  for (const TItemDef& item : store.Items(dataKind, kItemLevelColumn)) {
    if (item.output != 1) continue;
    int row = settings.columnStartRow[k];
    if (settings.columnHeader[k]) sheet.Range(At(item.excelColumn, row++)).SetValue(item.name);
    for (const TColumnRow& column : record.columns) {
      sheet.Range(At(item.excelColumn, row++)).SetValue(ValueOf(column.values, item.index));
      if (valueWritten) valueWritten();
    }
  }
}

void WriteOneSheetRow(const Worksheet& sheet, const TCatalogueStore& store, DataKind dataKind,
                      const TTableRec& record, int& row) {
  const TFormatSettings& settings = store.formatSettings;
  const size_t k = DataKindIndex(dataKind);
  const ItemList& items = store.Items(dataKind, kItemLevelTable);
  if (settings.tableHeader[k] && row == settings.tableStartRow[k]) {
    for (const TItemDef& item : items) {
      if (item.output == 1) sheet.Range(At(item.excelColumn, row)).SetValue(item.name);
    }
    ++row;
  }
  for (const TItemDef& item : items) {
    if (item.output == 1)
      sheet.Range(At(item.excelColumn, row)).SetValue(ValueOf(record.values, item.index));
  }
  ++row;
}

}  // namespace morvane::excel
