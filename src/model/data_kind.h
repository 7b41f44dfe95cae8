// Data kinds and item levels: the numbers the whole document, the
// tree and the project file are indexed by.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "model/product_profile.h"

namespace morvane {

// Data kinds; None wherever a current data kind is kept and nothing is selected.
enum class DataKind : int {
  None = 0,
  Excel = 1,       // Excelファイル: definitions imported from Excel sheets
  Table = 2,       // テーブル情報: tables and views with their columns
  Index = 3,       // インデックス情報: indexes with their columns
  TableIndex = 4,  // テーブル・インデックス情報: index count and matrix
  Sql = 5,         // SQL入力: result of the last free SQL statement
};
constexpr int kDataKindCount = 5;

// The data kinds that hold records, in tree and file order.
inline constexpr DataKind kDataKinds[] = {DataKind::Excel, DataKind::Table, DataKind::Index,
                                          DataKind::TableIndex, DataKind::Sql};

// The number the project file and the command line use for a data kind, and back; nothing
// for a number that names no data kind (0 included).
constexpr int DataKindCode(DataKind kind) { return static_cast<int>(kind); }
constexpr bool IsDataKind(DataKind kind) {
  return kind >= DataKind::Excel && kind <= DataKind::Sql;
}
constexpr std::optional<DataKind> DataKindFromCode(int code) {
  const auto kind = static_cast<DataKind>(code);
  if (!IsDataKind(kind)) return std::nullopt;
  return kind;
}

// The slot of a data kind (Excel to Sql) in arrays of kDataKindCount entries.
constexpr size_t DataKindIndex(DataKind kind) { return static_cast<size_t>(kind) - 1; }

// Item levels.
constexpr int kItemLevelTable = 1;
constexpr int kItemLevelColumn = 2;

// The file version of projects this program writes; files without a version count as 200.
constexpr int kCurrentFileVersion = 280;
constexpr int kUnversionedFileVersion = 200;

constexpr bool IsItemLevel(int level) {
  return level == kItemLevelTable || level == kItemLevelColumn;
}

// The name in the product's profile (such as "Oracle 8" or "汎用 ODBC"); "未選択" (not
// selected) for none. UTF-8, as shown in the status bar and window caption.
std::string_view ProductName(Product product);

// The tree caption of a data kind (UTF-8), e.g. "テーブル情報"; empty for an invalid kind.
std::string_view DataKindCaption(DataKind kind);

}  // namespace morvane
