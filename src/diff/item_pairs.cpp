#include "diff/item_pairs.h"

#include <algorithm>

namespace morvane::diff {
namespace {

const TItemDef* FindItem(const ItemList& items, std::string_view name) {
  auto found = std::find_if(items.begin(), items.end(),
                            [name](const TItemDef& item) { return item.name == name; });
  return found == items.end() ? nullptr : &*found;
}

}  // namespace

std::vector<ItemPair> PairItemsByName(const ItemList& before, const ItemList& after,
                                      const ItemFilter& leaveOut) {
  std::vector<ItemPair> pairs;
  for (const TItemDef& item : after) {
    if (leaveOut && leaveOut(item.name)) continue;
    const TItemDef* old = FindItem(before, item.name);
    pairs.push_back({item.name, old ? old->index : -1, item.index});
  }
  for (const TItemDef& item : before) {
    if ((leaveOut && leaveOut(item.name)) || FindItem(after, item.name)) continue;
    pairs.push_back({item.name, item.index, -1});
  }
  return pairs;
}

const std::vector<DesignField>& DesignFields() {
  static const std::vector<DesignField> fields = {
      {"TYPE", {"TYPE", "DATA TYPE"}},
      {"LENGTH", {"LENGTH"}},
      {"PRECISION", {"PRECISION"}},
      {"SCALE", {"SCALE"}},
      {"NOT NULL", {"NOT NULL"}},
      {"PRIMARY KEY", {"PRIMARY KEY"}},
      {"COMMENT1", {"COMMENTS", "COMMENT", "REMARKS"}},
  };
  return fields;
}

std::vector<ItemPair> PairDesignItems(const ItemList& design, const ItemList& database) {
  std::vector<ItemPair> pairs;
  for (const DesignField& field : DesignFields()) {
    const TItemDef* designItem = FindItem(design, field.designItem);
    if (!designItem) continue;
    for (std::string_view name : field.databaseItems) {
      if (const TItemDef* databaseItem = FindItem(database, name)) {
        pairs.push_back({databaseItem->name, designItem->index, databaseItem->index});
        break;
      }
    }
  }
  return pairs;
}

}  // namespace morvane::diff
