// Data kinds, item levels and database product codes: the numbers the whole document, the
// tree and the project file are indexed by.
#pragma once

#include <string_view>

namespace morvane {

// Data kinds; 0 means none wherever a current data kind is kept.
constexpr int kDataKindNone = 0;
constexpr int kDataKindExcel = 1;  // Excelファイル: definitions imported from Excel sheets
constexpr int kDataKindTable = 2;  // テーブル情報: tables and views with their columns
constexpr int kDataKindIndex = 3;  // インデックス情報: indexes with their columns
constexpr int kDataKindTableIndex = 4;  // テーブル・インデックス情報: index count and matrix
constexpr int kDataKindSql = 5;         // SQL入力: result of the last free SQL statement
constexpr int kDataKindCount = 5;

// Item levels.
constexpr int kItemLevelTable = 1;
constexpr int kItemLevelColumn = 2;

// Database products. The menus list them as Red Brick, Oracle 8, Oracle 7, Broadbase; the
// codes do not follow that order.
constexpr int kProductNone = 0;
constexpr int kProductRedBrick = 1;
constexpr int kProductOracle8 = 2;
constexpr int kProductBroadbase = 3;
constexpr int kProductOracle7 = 4;

// The file version of projects this program writes; files without a version count as 200.
constexpr int kCurrentFileVersion = 280;
constexpr int kUnversionedFileVersion = 200;

constexpr bool IsDataKind(int kind) { return kind >= kDataKindExcel && kind <= kDataKindSql; }
constexpr bool IsItemLevel(int level) {
  return level == kItemLevelTable || level == kItemLevelColumn;
}
constexpr bool IsProduct(int product) {
  return product >= kProductNone && product <= kProductOracle7;
}
constexpr bool IsOracleProduct(int product) {
  return product == kProductOracle8 || product == kProductOracle7;
}

// "Red Brick", "Oracle 8", "Oracle 7", "Broadbase"; "未選択" (not selected) for none.
// UTF-8, as shown in the status bar and window caption.
std::string_view ProductName(int product);

// The tree caption of a data kind (UTF-8), e.g. "テーブル情報"; empty for an invalid kind.
std::string_view DataKindCaption(int kind);

}  // namespace morvane
