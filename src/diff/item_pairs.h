// Which value of a record on one side is compared with which value on the other: items are
// paired by name, so two projects whose lists are ordered differently still compare item by
// item.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue_store.h"

namespace morvane::diff {

struct ItemPair {
  std::string name;      // CP932, reported as the item of a change
  int beforeIndex = -1;  // value position on the old side; -1: the item is not there (empty)
  int afterIndex = -1;   // value position on the new side; -1: the item is not there (empty)
};

// True for an item name to leave out of the comparison.
using ItemFilter = std::function<bool(std::string_view name)>;

// The items of both lists, in the order of the new list and then those only the old one has.
std::vector<ItemPair> PairItemsByName(const ItemList& before, const ItemList& after,
                                      const ItemFilter& leaveOut);

// One design field: the design list's item name and the names the catalogue lists give it.
struct DesignField {
  std::string_view designItem;
  std::vector<std::string_view> databaseItems;
};

// The fields a design (Excelファイル) column row shares with a catalogue column row.
const std::vector<DesignField>& DesignFields();

// The pairs of design fields both lists hold, reported under the catalogue item's name.
std::vector<ItemPair> PairDesignItems(const ItemList& design, const ItemList& database);

}  // namespace morvane::diff
