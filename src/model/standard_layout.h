// The standard layout (標準レイアウト) of a database product: where its items go on the sheets of
// the bundled template, which items are written at all, the start rows of each data kind and
// the import layout that reads a written table sheet back. It is designed together with the
// template (data/templates/default): the template carries the headings, labels and formatting,
// the layout puts the values beside them.
#pragma once

#include <span>
#include <string_view>

#include "model/catalogue_store.h"

namespace morvane {

// One placed item: the item (by its name, UTF-8), the cell it takes on a table's own sheet
// (table level only) and its column letters (the grid column at column level, the list column
// of the one-sheet table list at table level).
struct StandardPlacement {
  const char* itemUtf8;
  const char* cell;
  const char* column;
};

// The layout of one data kind. Items that are not placed are not written (output 0).
struct StandardKindLayout {
  DataKind kind = DataKind::None;
  std::span<const StandardPlacement> table;
  std::span<const StandardPlacement> column;
  // False where the column-level list is built by the fetch (table-index information): the
  // list is left as it is, written from the start row with its item names as headings.
  bool placesColumns = true;
  int tableStartRow = 1;   // first table row of the one-sheet table list
  int columnStartRow = 1;  // first row of the column grid on a table's own sheet
  bool columnHeader = false;
};

struct StandardLayout {
  std::span<const StandardKindLayout> kinds;
};

// Template sheet names (UTF-8).
inline constexpr std::string_view kStandardTableSheet = "テーブル定義";
inline constexpr std::string_view kStandardListSheet = "テーブル一覧";
inline constexpr std::string_view kStandardIndexSheet = "インデックス定義";
inline constexpr std::string_view kStandardTableIndexSheet = "テーブル・インデックス";
inline constexpr std::string_view kStandardERSheet = "ER図";

// ER margins of the standard layout, in points: the boxes start below the ER sheet's title.
inline constexpr int kStandardERLeft = 10;
inline constexpr int kStandardERTop = 40;

// The standard layout of a product; empty for Product::None.
const StandardLayout& StandardLayoutOf(Product product);

// The import layout that reads a table sheet written with the standard layout.
TImportLayout StandardImportLayout();

// Puts a list in the standard order: the placed items first, in placement order, written with
// their cell and column letters; every other item after them, in its old order, not written.
// Placements naming no item of the list are passed over.
void PlaceItems(ItemList& items, std::span<const StandardPlacement> placements);

// Writes the standard layout of the store's product into its item lists, format settings and
// import layout for the data kinds the layout covers. Records, relations, ER sheets, the ER
// drawing options (data types, connector type) and the SQL input's settings stay as they are.
// Marks the document modified.
void ApplyStandardLayout(TCatalogueStore& store);

}  // namespace morvane
