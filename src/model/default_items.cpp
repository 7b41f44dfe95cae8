#include "model/default_items.h"

#include <iterator>
#include <span>

#include "text/codec.h"

namespace morvane {
namespace {

constexpr int T = kValueKindText;
constexpr int N = kValueKindNumber;

// Data kind 1 (Excel file), the same for every product except the two column counts of
// products whose tables carry them.
constexpr DefaultItem kExcelTable[] = {
    {"NO", N},
    {"NAME", T},
    {"SIZE(byte)", T},
};
constexpr DefaultItem kExcelTableColumnCounts[] = {
    {"250byte以下の列数", N},
    {"251byte以上の列数", N},
};
constexpr DefaultItem kExcelColumn[] = {
    {"NO", N},     {"NAME", T},        {"TYPE", T},     {"LENGTH", N},     {"PRECISION", N},
    {"SCALE", N},  {"LENGTH2", N},     {"SCALE2", N},   {"SIZE(byte)", N}, {"NOT NULL", T},
    {"UNIQUE", T}, {"PRIMARY KEY", T}, {"COMMENT1", T}, {"COMMENT2", T},   {"COMMENT3", T},
};

std::vector<DefaultItem> ListOf(std::span<const DefaultItem> items) {
  return std::vector<DefaultItem>(items.begin(), items.end());
}

}  // namespace

std::vector<DefaultItem> DefaultItemList(Product product, DataKind dataKind, int itemLevel) {
  const ProductProfile& profile = ProfileOf(product);
  if (dataKind == DataKind::Excel) {
    if (itemLevel == kItemLevelColumn) return ListOf(kExcelColumn);
    std::vector<DefaultItem> items = ListOf(kExcelTable);
    if (profile.columnCountsBySize) {
      items.insert(items.end(), std::begin(kExcelTableColumnCounts),
                   std::end(kExcelTableColumnCounts));
    }
    return items;
  }
  const ProductItemLists& lists = profile.lists;
  if (dataKind == DataKind::Table) {
    return ListOf(itemLevel == kItemLevelTable ? lists.tableTable : lists.tableColumn);
  }
  if (dataKind == DataKind::Index) {
    return ListOf(itemLevel == kItemLevelTable ? lists.indexTable : lists.indexColumn);
  }
  if (dataKind == DataKind::TableIndex && itemLevel == kItemLevelTable) {
    return ListOf(lists.tableIndexTable);
  }
  return {};
}

void BuildDefaultItems(TCatalogueStore& store, Product product, const TextMeasurer& measure) {
  for (DataKind kind : kDataKinds) {
    for (int level = kItemLevelTable; level <= kItemLevelColumn; ++level) {
      ItemList& list = store.Items(kind, level);
      std::vector<DefaultItem> defaults = DefaultItemList(product, kind, level);
      for (const DefaultItem& item : defaults) {
        const int index = static_cast<int>(list.size());
        list.push_back(
            MakeDefaultItem(ToCp932(item.nameUtf8), item.valueKind, index, level, measure));
      }
    }
  }
  const int lineType = store.formatSettings.lineType;
  store.formatSettings = DefaultFormatSettings();
  store.formatSettings.lineType = lineType;
}

}  // namespace morvane
