#include "browse/list_columns.h"

#include "text/codec.h"

namespace morvane {

std::vector<TListColumn> BuildListColumns(ItemList& items) {
  std::vector<TListColumn> columns;
  for (TItemDef& item : items) {
    if (item.output != 1) continue;
    if (item.width <= 0) item.width = 100;
    columns.push_back({item.name, item.valueKind, item.index, item.width});
  }
  return columns;
}

void SaveColumnWidths(ItemList& items, const std::vector<TShownColumn>& shown) {
  for (TItemDef& item : items) {
    for (const TShownColumn& column : shown) {
      if (column.caption == item.name) {
        item.width = column.width;
        break;
      }
    }
  }
}

std::optional<int> SortColumnValueKind(const ItemList& tableItems, int column) {
  int position = 0;
  for (const TItemDef& item : tableItems) {
    if (item.output != 1) continue;
    if (position == column) return item.valueKind;
    ++position;
  }
  return std::nullopt;
}

std::vector<const TTableRec*> TableListRecords(const RecordList& records,
                                               const std::optional<std::string>& owner,
                                               const std::optional<std::string>& type) {
  std::vector<const TTableRec*> shown;
  shown.reserve(records.size());
  for (const auto& record : records) {
    if (owner && *owner != record->owner) continue;
    if (type && *type != record->type) continue;
    shown.push_back(record.get());
  }
  return shown;
}

std::string ListPathText(DataKind dataKind) {
  if (dataKind < DataKind::Excel || dataKind > DataKind::TableIndex) return {};
  return ToCp932(DataKindCaption(dataKind));
}

std::string TableListPathText(DataKind dataKind, const std::optional<std::string>& owner,
                              const std::optional<std::string>& type) {
  std::string text = ListPathText(dataKind);
  if (!owner) return text;
  text += " [" + *owner;
  if (type) text += " - " + *type;
  return text + "]";
}

std::string ColumnListPathText(DataKind dataKind, const TTableRec& record) {
  return ListPathText(dataKind) + " [" + record.owner + "." + record.name + "]";
}

}  // namespace morvane
