// The standard layout of each product, as data. The cells and columns are those of the bundled
// template's sheets:
//   テーブル定義 (table information and Excel files): テーブル名 C2, 所有者 E2, 種別 H2, 件数 K2,
//     論理名 C3; grid from row 6 under the headings of row 5: A No, B 論理名, C 物理名,
//     D データ型, E 長さ, F 精度, G 位取り, H NOT NULL, I 主キー, J 既定値, K 備考.
//   テーブル一覧 (table information in one-sheet mode): from row 4, B 論理名, C 物理名, D 種別,
//     E 件数, F 所有者 (column A numbers the rows itself).
//   インデックス定義: インデックス名 C2, テーブル名 C3, 所有者 C4, 種別 E4, 一意性 C5, 備考 E5;
//     grid from row 8: A No, B 列名, C 長さ, D 並び順, E 備考.
//   テーブル・インデックス: テーブル名 C2, 所有者 E2, 種別 G2, インデックス数 I2; the fetched
//     column-by-index matrix from row 4 with its item names as headings.
#include <iterator>

#include "model/standard_layout.h"

namespace morvane {
namespace {

using P = StandardPlacement;
using K = StandardKindLayout;

constexpr int kTableGridRow = 6;
constexpr int kListRow = 4;
constexpr int kIndexGridRow = 8;
constexpr int kMatrixRow = 4;

// Excel files imported from sheets, the same for every product.
constexpr P kExcelTable[] = {{"NAME", "C2", "C"}};
constexpr P kExcelColumn[] = {
    {"NO", "", "A"},          {"COMMENT1", "", "B"},  {"NAME", "", "C"},     {"TYPE", "", "D"},
    {"LENGTH", "", "E"},      {"PRECISION", "", "F"}, {"SCALE", "", "G"},    {"NOT NULL", "", "H"},
    {"PRIMARY KEY", "", "I"}, {"COMMENT3", "", "J"},  {"COMMENT2", "", "K"},
};

constexpr K Excel() {
  return {DataKind::Excel, kExcelTable, kExcelColumn, true, kListRow, kTableGridRow};
}
constexpr K Table(std::span<const P> table, std::span<const P> column) {
  return {DataKind::Table, table, column, true, kListRow, kTableGridRow};
}
constexpr K Index(std::span<const P> table, std::span<const P> column) {
  return {DataKind::Index, table, column, true, kListRow, kIndexGridRow};
}
constexpr K TableIndex(std::span<const P> table) {
  return {DataKind::TableIndex, table, {}, false, kListRow, kMatrixRow, true};
}

// Red Brick.
constexpr P kRedBrickTable[] = {{"NAME", "C2", "C"},
                                {"COMMENT", "C3", "B"},
                                {"CREATOR", "E2", "F"},
                                {"TYPE", "H2", "D"},
                                {"COUNT", "K2", "E"}};
constexpr P kRedBrickColumn[] = {
    {"SEQ", "", "A"},         {"COMMENT", "", "B"},      {"NAME", "", "C"},  {"TYPE", "", "D"},
    {"LENGTH", "", "E"},      {"PRECISION", "", "F"},    {"SCALE", "", "G"}, {"NOT NULL", "", "H"},
    {"PRIMARY KEY", "", "I"}, {"DEFAULTVALUE", "", "J"},
};
constexpr P kRedBrickIndex[] = {{"NAME", "C2", "A"},
                                {"TNAME", "C3", "B"},
                                {"CREATOR", "C4", "C"},
                                {"TYPE", "E4", "D"},
                                {"COMMENT", "E5", "F"}};
constexpr P kRedBrickIndexColumn[] = {{"SEQ", "", "A"}, {"CNAME", "", "B"}, {"FKNAME", "", "E"}};
constexpr P kRedBrickTableIndex[] = {{"TABLE NAME", "C2", "A"},
                                     {"CREATOR", "E2", "B"},
                                     {"TABLE TYPE", "G2", "C"},
                                     {"INDEX COUNT", "I2", "D"}};
constexpr K kRedBrick[] = {Excel(), Table(kRedBrickTable, kRedBrickColumn),
                           Index(kRedBrickIndex, kRedBrickIndexColumn),
                           TableIndex(kRedBrickTableIndex)};

// Oracle 8 and Oracle 7 share their layout: their lists differ only in items it leaves out.
constexpr P kOracleTable[] = {{"TABLE NAME", "C2", "C"},
                              {"COMMENTS", "C3", "B"},
                              {"OWNER", "E2", "F"},
                              {"TABLE TYPE", "H2", "D"},
                              {"COUNT", "K2", "E"}};
constexpr P kOracleColumn[] = {
    {"ID", "", "A"},          {"COMMENTS", "", "B"},     {"NAME", "", "C"},  {"TYPE", "", "D"},
    {"LENGTH", "", "E"},      {"PRECISION", "", "F"},    {"SCALE", "", "G"}, {"NOT NULL", "", "H"},
    {"PRIMARY KEY", "", "I"}, {"DATA DEFAULT", "", "J"},
};
constexpr P kOracleIndex[] = {{"INDEX NAME", "C2", "A"},
                              {"TABLE NAME", "C3", "B"},
                              {"OWNER", "C4", "C"},
                              {"INDEX TYPE", "E4", "D"},
                              {"UNIQUENESS", "C5", "E"}};
constexpr P kOracleIndexColumn[] = {{"POSITION", "", "A"}, {"NAME", "", "B"}, {"LENGTH", "", "C"}};
constexpr P kOwnerTableIndex[] = {{"TABLE NAME", "C2", "A"},
                                  {"OWNER", "E2", "B"},
                                  {"TABLE TYPE", "G2", "C"},
                                  {"INDEX COUNT", "I2", "D"}};
constexpr K kOracle[] = {Excel(), Table(kOracleTable, kOracleColumn),
                         Index(kOracleIndex, kOracleIndexColumn), TableIndex(kOwnerTableIndex)};

// Broadbase: no length or default among its column items.
constexpr P kBroadbaseTable[] = {{"TABLE NAME", "C2", "C"},
                                 {"REMARKS", "C3", "B"},
                                 {"SCHEMA NAME", "E2", "F"},
                                 {"TABLE TYPE", "H2", "D"},
                                 {"COUNT", "K2", "E"}};
constexpr P kBroadbaseColumn[] = {
    {"ORDINAL", "", "A"},   {"REMARKS", "", "B"},     {"COLUMN NAME", "", "C"},
    {"DATA TYPE", "", "D"}, {"PRECISION", "", "F"},   {"SCALE", "", "G"},
    {"NOT NULL", "", "H"},  {"PRIMARY KEY", "", "I"},
};
constexpr P kBroadbaseIndex[] = {{"INDEX NAME", "C2", "A"},
                                 {"TABLE NAME", "C3", "B"},
                                 {"SCHEMA NAME", "C4", "C"},
                                 {"INDEX TYPE", "E4", "D"},
                                 {"REMARKS", "E5", "F"}};
constexpr P kBroadbaseIndexColumn[] = {{"ORDINAL", "", "A"}, {"COLUMN NAME", "", "B"}};
constexpr P kBroadbaseTableIndex[] = {{"TABLE NAME", "C2", "A"},
                                      {"SCHEMA NAME", "E2", "B"},
                                      {"TABLE TYPE", "G2", "C"},
                                      {"INDEX COUNT", "I2", "D"}};
constexpr K kBroadbase[] = {Excel(), Table(kBroadbaseTable, kBroadbaseColumn),
                            Index(kBroadbaseIndex, kBroadbaseIndexColumn),
                            TableIndex(kBroadbaseTableIndex)};

// The generic ODBC product.
constexpr P kOdbcTable[] = {{"TABLE NAME", "C2", "C"},
                            {"REMARKS", "C3", "B"},
                            {"OWNER", "E2", "F"},
                            {"TABLE TYPE", "H2", "D"},
                            {"COUNT", "K2", "E"}};
constexpr P kOdbcColumn[] = {
    {"NO", "", "A"},          {"REMARKS", "", "B"},   {"NAME", "", "C"},  {"TYPE", "", "D"},
    {"LENGTH", "", "E"},      {"PRECISION", "", "F"}, {"SCALE", "", "G"}, {"NOT NULL", "", "H"},
    {"PRIMARY KEY", "", "I"}, {"DEFAULT", "", "J"},
};
constexpr P kOdbcIndex[] = {{"INDEX NAME", "C2", "A"},
                            {"TABLE NAME", "C3", "B"},
                            {"OWNER", "C4", "C"},
                            {"INDEX TYPE", "E4", "D"},
                            {"UNIQUENESS", "C5", "E"}};
constexpr P kOdbcIndexColumn[] = {{"POSITION", "", "A"}, {"NAME", "", "B"}, {"ORDER", "", "D"}};
constexpr K kOdbc[] = {Excel(), Table(kOdbcTable, kOdbcColumn), Index(kOdbcIndex, kOdbcIndexColumn),
                       TableIndex(kOwnerTableIndex)};

// By product code: none, Red Brick, Oracle 8, Broadbase, Oracle 7, ODBC.
constexpr StandardLayout kLayouts[] = {{},           {kRedBrick}, {kOracle},
                                       {kBroadbase}, {kOracle},   {kOdbc}};

}  // namespace

const StandardLayout& StandardLayoutOf(Product product) {
  const int code = ProductCode(product);
  return code > 0 && code < static_cast<int>(std::size(kLayouts)) ? kLayouts[code] : kLayouts[0];
}

}  // namespace morvane
