#include <gtest/gtest.h>

#include "model/default_items.h"
#include "model/item_def.h"
#include "text/codec.h"

namespace morvane {
namespace {

TEST(ColumnLettersTest, FollowsExcelColumnNaming) {
  EXPECT_EQ(ColumnLetters(0), "A");
  EXPECT_EQ(ColumnLetters(25), "Z");
  EXPECT_EQ(ColumnLetters(26), "AA");
  EXPECT_EQ(ColumnLetters(42), "AQ");
  EXPECT_EQ(ColumnLetters(51), "AZ");
  EXPECT_EQ(ColumnLetters(52), "BA");
  EXPECT_EQ(ColumnLetters(255), "IV");
  EXPECT_EQ(ColumnLetters(701), "ZZ");
  EXPECT_EQ(ColumnLetters(702), "AAA");
  EXPECT_EQ(ColumnLetters(-1), "");
}

TEST(DefaultWidthTest, AddsMarginAndKeepsTextItemsAtLeast100) {
  auto measure = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
  EXPECT_EQ(DefaultItemWidth("ID", kValueKindText, measure), 100);
  EXPECT_EQ(DefaultItemWidth("ID", kValueKindNumber, measure), 40);
  EXPECT_EQ(DefaultItemWidth("AVG SPACE FREELIST BLOCKS", kValueKindText, measure), 270);
}

size_t CountOf(Product product, DataKind kind, int level) {
  return DefaultItemList(product, kind, level).size();
}

TEST(DefaultItemsTest, ListSizesPerProduct) {
  struct Expected {
    Product product;
    size_t excelTable, tableTable, tableColumn, indexTable, indexColumn;
  };
  for (Expected e :
       {Expected{Product::RedBrick, 3, 14, 18, 11, 3}, Expected{Product::Oracle8, 5, 43, 27, 37, 3},
        Expected{Product::Oracle7, 5, 32, 23, 25, 3},
        Expected{Product::Broadbase, 3, 30, 20, 19, 2}}) {
    SCOPED_TRACE(ProductName(e.product));
    EXPECT_EQ(CountOf(e.product, DataKind::Excel, kItemLevelTable), e.excelTable);
    EXPECT_EQ(CountOf(e.product, DataKind::Excel, kItemLevelColumn), 15u);
    EXPECT_EQ(CountOf(e.product, DataKind::Table, kItemLevelTable), e.tableTable);
    EXPECT_EQ(CountOf(e.product, DataKind::Table, kItemLevelColumn), e.tableColumn);
    EXPECT_EQ(CountOf(e.product, DataKind::Index, kItemLevelTable), e.indexTable);
    EXPECT_EQ(CountOf(e.product, DataKind::Index, kItemLevelColumn), e.indexColumn);
    EXPECT_EQ(CountOf(e.product, DataKind::TableIndex, kItemLevelTable), 4u);
    EXPECT_EQ(CountOf(e.product, DataKind::TableIndex, kItemLevelColumn), 0u);
    EXPECT_EQ(CountOf(e.product, DataKind::Sql, kItemLevelTable), 0u);
    EXPECT_EQ(CountOf(e.product, DataKind::Sql, kItemLevelColumn), 0u);
  }
}

TEST(DefaultItemsTest, BuiltItemsCarryIndexLettersAndCells) {
  TCatalogueStore store;
  BuildDefaultItems(store, Product::Oracle8, EstimateTextWidth);
  const ItemList& tables = store.Items(DataKind::Table, kItemLevelTable);
  ASSERT_EQ(tables.size(), 43u);
  EXPECT_EQ(tables[42].name, "COMMENTS");
  EXPECT_EQ(tables[42].index, 42);
  EXPECT_EQ(tables[42].excelColumn, "AQ");
  EXPECT_EQ(tables[42].excelCell, "AQ1");
  EXPECT_EQ(tables[4].name, ToCp932("250byte以下の列数"));
  EXPECT_EQ(tables[4].valueKind, kValueKindNumber);
  const ItemList& columns = store.Items(DataKind::Table, kItemLevelColumn);
  EXPECT_EQ(columns[9].name, "PRIMARY KEY");
  EXPECT_EQ(columns[9].excelColumn, "J");
  EXPECT_EQ(columns[9].excelCell, "");
  for (const TItemDef& item : columns) EXPECT_EQ(item.output, 1);
  // Excel-file table level: SIZE(byte) is a text item there.
  const ItemList& excel = store.Items(DataKind::Excel, kItemLevelTable);
  EXPECT_EQ(excel[2].name, "SIZE(byte)");
  EXPECT_EQ(excel[2].valueKind, kValueKindText);
}

TEST(DefaultItemsTest, CatalogueListsStartWithOwnerNameType) {
  for (Product product :
       {Product::RedBrick, Product::Oracle8, Product::Oracle7, Product::Broadbase}) {
    for (DataKind kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
      auto items = DefaultItemList(product, kind, kItemLevelTable);
      ASSERT_GE(items.size(), 3u);
      const std::string owner = items[0].nameUtf8;
      EXPECT_TRUE(owner == "CREATOR" || owner == "OWNER" || owner == "SCHEMA NAME") << owner;
    }
  }
  // Broadbase STATUS is a number among tables and text among indexes.
  auto bbTables = DefaultItemList(Product::Broadbase, DataKind::Table, kItemLevelTable);
  auto bbIndexes = DefaultItemList(Product::Broadbase, DataKind::Index, kItemLevelTable);
  EXPECT_STREQ(bbTables[17].nameUtf8, "STATUS");
  EXPECT_EQ(bbTables[17].valueKind, kValueKindNumber);
  EXPECT_STREQ(bbIndexes[13].nameUtf8, "STATUS");
  EXPECT_EQ(bbIndexes[13].valueKind, kValueKindText);
  EXPECT_STREQ(bbTables.back().nameUtf8, "REMARKS");
}

TEST(DefaultItemsTest, SetsFormatDefaultsButLeavesLineType) {
  TCatalogueStore store;
  store.formatSettings.lineType = kLineTypeCurved;
  store.formatSettings.tableStartRow[0] = 42;
  BuildDefaultItems(store, Product::RedBrick, EstimateTextWidth);
  const TFormatSettings& s = store.formatSettings;
  EXPECT_EQ(s.lineType, kLineTypeCurved);
  EXPECT_EQ(s.tableStartRow[0], 1);
  EXPECT_EQ(s.tableNoOutput[DataKindIndex(DataKind::Sql)], 1);
  EXPECT_EQ(s.tableNoOutput[DataKindIndex(DataKind::Table)], 0);
  EXPECT_EQ(s.columnHeader[DataKindIndex(DataKind::TableIndex)], 0);
  EXPECT_EQ(s.columnHeader[DataKindIndex(DataKind::Table)], 1);
  EXPECT_EQ(s.columnStartRow[DataKindIndex(DataKind::Excel)], 5);
  EXPECT_EQ(s.erType, 1);
}

}  // namespace
}  // namespace morvane
