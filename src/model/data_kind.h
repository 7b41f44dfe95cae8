// Data kinds and item levels: the numbers the whole document, the
// tree and the project file are indexed by.
#pragma once

#include <string_view>

#include "model/product_profile.h"

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

// The file version of projects this program writes; files without a version count as 200.
constexpr int kCurrentFileVersion = 280;
constexpr int kUnversionedFileVersion = 200;

constexpr bool IsDataKind(int kind) { return kind >= kDataKindExcel && kind <= kDataKindSql; }
constexpr bool IsItemLevel(int level) {
  return level == kItemLevelTable || level == kItemLevelColumn;
}

// "Red Brick", "Oracle 8", "Oracle 7", "Broadbase"; "未選択" (not selected) for none.
// UTF-8, as shown in the status bar and window caption.
std::string_view ProductName(Product product);

// The tree caption of a data kind (UTF-8), e.g. "テーブル情報"; empty for an invalid kind.
std::string_view DataKindCaption(int kind);

}  // namespace morvane
