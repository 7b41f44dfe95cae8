// What the report lists show for the current data kind, without any widget: the columns built
// from the item definitions, the rows of the table list and of a column list, and the path
// text above them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue_store.h"

namespace morvane {

// One column of a list: an item with `output` 1.
struct TListColumn {
  std::string caption;  // the item's name (CP932)
  int valueKind = kValueKindText;
  int index = 0;  // position of the column's value in a record's or column row's values
  int width = 100;
};

// The columns of a list for an item list: one per item whose `output` is 1, in item order.
// An item whose width is 0 or less is given (and keeps) the width 100.
std::vector<TListColumn> BuildListColumns(ItemList& items);

// A list's columns as the user left them: caption and width, in column order.
struct TShownColumn {
  std::string caption;
  int width = 0;
};

// Stores the widths of a list's columns back into the items they were built from: each item
// takes the width of the first column whose caption equals its name; items without such a
// column keep theirs.
void SaveColumnWidths(ItemList& items, const std::vector<TShownColumn>& shown);

// The valueKind of the sort column: the item with `output` 1 whose position among those items
// is `column`; nothing when there is no such item.
std::optional<int> SortColumnValueKind(const ItemList& tableItems, int column);

// The records the table list shows, in store order: those whose owner equals the selected
// owner and whose type equals the selected type, where each is set (exact comparisons).
std::vector<const TTableRec*> TableListRecords(const RecordList& records,
                                               const std::optional<std::string>& owner,
                                               const std::optional<std::string>& type);

// The path text above the lists (CP932): the caption of the data kind, and
//  - in the table list, the owner and type filter: " [OWNER]" or " [OWNER - TYPE]";
//  - in a column list, the table: " [OWNER.NAME]".
std::string ListPathText(DataKind dataKind);
std::string TableListPathText(DataKind dataKind, const std::optional<std::string>& owner,
                              const std::optional<std::string>& type);
std::string ColumnListPathText(DataKind dataKind, const TTableRec& record);

}  // namespace morvane
