// The shape of the data tree below a data-kind node, worked out from the records alone.
//
// Catalogue records (data kinds 2 to 4) are grouped into runs: a new owner node whenever a
// record's owner differs from the record before it, and within it a new type node whenever the
// type differs. The grouping follows the store's order, so the fetch's ORDER BY makes one node
// per owner and type; a record that breaks a run starts a node with a repeated text. An empty
// owner or type is a real value and gets a node with empty text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue_store.h"
#include "model/er_data.h"
#include "model/product_profile.h"

namespace morvane {

// The texts of the fixed tree nodes (UTF-8, as the tree shows them).
inline constexpr std::string_view kExcelRootText = "Excelファイル";
inline constexpr std::string_view kDatabaseRootText = "データベース";
inline constexpr std::string_view kSqlRootText = "SQL入力";
inline constexpr std::string_view kPlaceholderText = "Dummy";

// The families of tree nodes: the root a node descends from.
enum class TreeFamily { kNone, kExcel, kDatabase, kSql };
TreeFamily FamilyOfRootText(std::string_view rootText);

// The catalogue data kind (2, 3 or 4) whose node carries `caption`; 0 for any other text.
DataKind CatalogueKindOfCaption(std::string_view caption);

// A table node: the record it stands for and its text (CP932).
struct TTreeLeaf {
  const TTableRec* record = nullptr;
  std::string text;
};
struct TTypeGroup {
  std::string type;
  std::vector<TTreeLeaf> leaves;
};
struct TOwnerGroup {
  std::string owner;
  std::vector<TTypeGroup> types;
};

// A table node's text: the record's name; for table-index information the name followed by
// the index count in brackets, e.g. "ORDERS (2)".
std::string TreeLeafText(const TTableRec& record, DataKind dataKind);

// The owner, type and table nodes of a catalogue data kind (2 to 4), in store order.
std::vector<TOwnerGroup> GroupCatalogueRecords(const RecordList& records, DataKind dataKind);

// The table nodes under the Excel root, one per record in store order.
std::vector<TTreeLeaf> ExcelTreeLeaves(const RecordList& records);

// Where ER table windows take a column's name, type, length, scale and key mark from in a
// column row, for a selection in the Excel family or the database family of `product`.
inline TColumnValuePositions ColumnValuePositionsFor(TreeFamily family, Product product) {
  return ColumnValuePositionsFor(product, family != TreeFamily::kDatabase);
}

}  // namespace morvane
