#include "model/standard_layout.h"

#include <algorithm>

#include "text/codec.h"

namespace morvane {

const StandardLayout& StandardLayoutOf(Product product) {
  static constexpr StandardLayout kNone{};
  const ProductProfile& profile = ProfileOf(product);
  return profile.standardLayout ? profile.standardLayout() : kNone;
}

TImportLayout StandardImportLayout() {
  TImportLayout layout;
  layout.tableNameCell = "C2";
  layout.firstItemRow = 6;
  layout.itemNameColumn = "C";
  layout.dataTypeColumn = "D";
  layout.lengthColumn = "E";
  layout.precisionColumn = "F";
  layout.scaleColumn = "G";
  layout.notNullColumn = "H";
  layout.primaryKeyColumn = "I";
  layout.comment1Column = "B";  // 論理名
  layout.comment2Column = "K";  // 備考
  layout.comment3Column = "J";  // 既定値
  return layout;
}

void PlaceItems(ItemList& items, std::span<const StandardPlacement> placements) {
  ItemList placed;
  for (const StandardPlacement& placement : placements) {
    const std::string name = ToCp932(placement.itemUtf8);
    auto found = std::find_if(items.begin(), items.end(),
                              [&](const TItemDef& item) { return item.name == name; });
    if (found == items.end()) continue;
    TItemDef item = *found;
    items.erase(found);
    item.output = 1;
    item.excelCell = placement.cell;
    item.excelColumn = placement.column;
    placed.push_back(std::move(item));
  }
  for (TItemDef& item : items) item.output = 0;
  placed.insert(placed.end(), items.begin(), items.end());
  items = std::move(placed);
}

void ApplyStandardLayout(TCatalogueStore& store) {
  TFormatSettings& settings = store.formatSettings;
  for (const StandardKindLayout& kind : StandardLayoutOf(store.product).kinds) {
    const size_t k = DataKindIndex(kind.kind);
    PlaceItems(store.Items(kind.kind, kItemLevelTable), kind.table);
    if (kind.placesColumns) PlaceItems(store.Items(kind.kind, kItemLevelColumn), kind.column);
    settings.tableNoOutput[k] = 0;
    settings.tableOneSheet[k] = 0;
    settings.tableStartRow[k] = kind.tableStartRow;
    settings.tableHeader[k] = 0;
    settings.columnStartRow[k] = kind.columnStartRow;
    settings.columnHeader[k] = kind.columnHeader ? 1 : 0;
  }
  if (store.product == Product::None) return;
  settings.erLeft = kStandardERLeft;
  settings.erTop = kStandardERTop;
  store.importLayout = StandardImportLayout();
  store.modified = true;
}

}  // namespace morvane
