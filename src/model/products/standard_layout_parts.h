// What the products' standard layouts share, for their files in this folder. The cells and columns
// are those of the bundled template's sheets:
//   テーブル定義 (table information and Excel files): テーブル名 C2, 所有者 E2, 種別 H2, 件数 K2,
//     論理名 C3; grid from row 6 under the headings of row 5: A No, B 論理名, C 物理名,
//     D データ型, E 長さ, F 精度, G 位取り, H NOT NULL, I 主キー, J 既定値, K 備考.
//   テーブル一覧 (table information in one-sheet mode): from row 4, B 論理名, C 物理名, D 種別,
//     E 件数, F 所有者 (column A numbers the rows itself).
//   インデックス定義: インデックス名 C2, テーブル名 C3, 所有者 C4, 種別 E4, 一意性 C5, 備考 E5;
//     grid from row 8: A No, B 列名, C 長さ, D 並び順, E 備考.
//   テーブル・インデックス: テーブル名 C2, 所有者 E2, 種別 G2, インデックス数 I2; the fetched
//     column-by-index matrix from row 4 with its item names as headings.
#pragma once

#include <span>

#include "model/standard_layout.h"

namespace morvane::standard_layouts {

using P = StandardPlacement;
using K = StandardKindLayout;

inline constexpr int kTableGridRow = 6;
inline constexpr int kListRow = 4;
inline constexpr int kIndexGridRow = 8;
inline constexpr int kMatrixRow = 4;

// Excel files imported from sheets, the same for every product.
inline constexpr P kExcelTable[] = {{"NAME", "C2", "C"}};
inline constexpr P kExcelColumn[] = {
    {"NO", "", "A"},          {"COMMENT1", "", "B"},  {"NAME", "", "C"},     {"TYPE", "", "D"},
    {"LENGTH", "", "E"},      {"PRECISION", "", "F"}, {"SCALE", "", "G"},    {"NOT NULL", "", "H"},
    {"PRIMARY KEY", "", "I"}, {"COMMENT3", "", "J"},  {"COMMENT2", "", "K"},
};

inline constexpr K Excel() {
  return {DataKind::Excel, kExcelTable, kExcelColumn, true, kListRow, kTableGridRow};
}
inline constexpr K Table(std::span<const P> table, std::span<const P> column) {
  return {DataKind::Table, table, column, true, kListRow, kTableGridRow};
}
inline constexpr K Index(std::span<const P> table, std::span<const P> column) {
  return {DataKind::Index, table, column, true, kListRow, kIndexGridRow};
}
inline constexpr K TableIndex(std::span<const P> table) {
  return {DataKind::TableIndex, table, {}, false, kListRow, kMatrixRow, true};
}

// The table-index sheet of the products whose owner item is OWNER.
inline constexpr P kOwnerTableIndex[] = {{"TABLE NAME", "C2", "A"},
                                         {"OWNER", "E2", "B"},
                                         {"TABLE TYPE", "G2", "C"},
                                         {"INDEX COUNT", "I2", "D"}};

}  // namespace morvane::standard_layouts
