#include <gtest/gtest.h>

#include "er/er_from_record.h"
#include "er/er_tables.h"
#include "model/catalogue_store.h"
#include "project/new_project.h"
#include "text/codec.h"

namespace morvane {
namespace {

void FillEveryKind(TCatalogueStore& store) {
  for (DataKind kind : kDataKinds) {
    TTableRec& rec = store.AddRecord(kind);
    rec.name = "T" + std::to_string(DataKindCode(kind));
    rec.columns.push_back({TValueList{"c"}});
    store.Items(kind, kItemLevelTable).push_back(TItemDef{});
  }
  store.relations.push_back({"A", {"B"}});
}

TEST(CatalogueStoreTest, ResetClearsContentButKeepsWhatCallersOwn) {
  TCatalogueStore store;
  FillEveryKind(store);
  store.product = Product::Oracle8;
  store.fileName = "/tmp/x.vnk";
  store.fileVersion = 200;
  store.modified = true;
  store.currentDataKind = DataKind::Table;
  store.currentListLevel = 1;
  store.listViewActive = false;
  store.importLayout.firstItemRow = 9;
  store.sqlMaxRow = "20";
  store.erOutputSheets = {"S"};

  store.Reset();
  EXPECT_EQ(store.product, Product::None);
  EXPECT_TRUE(store.fileName.empty());
  EXPECT_EQ(store.currentDataKind, DataKind::None);
  EXPECT_EQ(store.currentListLevel, 0);
  EXPECT_TRUE(store.listViewActive);
  EXPECT_TRUE(store.relations.empty());
  for (DataKind kind : kDataKinds) {
    EXPECT_TRUE(store.Records(kind).empty());
    EXPECT_TRUE(store.Items(kind, kItemLevelTable).empty());
    EXPECT_TRUE(store.Items(kind, kItemLevelColumn).empty());
  }
  EXPECT_EQ(store.fileVersion, 200);
  EXPECT_TRUE(store.modified);
  EXPECT_EQ(store.importLayout.firstItemRow, 9);
  EXPECT_EQ(store.sqlMaxRow, "20");
  EXPECT_EQ(store.erOutputSheets, std::vector<std::string>{"S"});
}

TEST(CatalogueStoreTest, ClearDataKindTouchesOnlyThatKind) {
  TCatalogueStore store;
  FillEveryKind(store);
  store.ClearDataKind(DataKind::Table);
  EXPECT_TRUE(store.Records(DataKind::Table).empty());
  for (DataKind kind : {DataKind::Excel, DataKind::Index, DataKind::TableIndex, DataKind::Sql})
    EXPECT_EQ(store.Records(kind).size(), 1u);
  for (DataKind kind : kDataKinds) {
    EXPECT_EQ(store.Items(kind, kItemLevelTable).size(), 1u);
  }
  EXPECT_EQ(store.relations.size(), 1u);
}

TEST(CatalogueStoreTest, RecordsStayAtTheirAddressWhileTheListGrows) {
  TCatalogueStore store;
  TTableRec* first = &store.AddRecord(DataKind::Table);
  first->name = "FIRST";
  for (int i = 0; i < 1000; ++i) store.AddRecord(DataKind::Table);
  EXPECT_EQ(store.Records(DataKind::Table)[0].get(), first);
  EXPECT_EQ(first->name, "FIRST");
}

TEST(CatalogueStoreTest, InvalidKindOrLevelIsRefusedNotIndexedOutOfBounds) {
  TCatalogueStore store;
  EXPECT_THROW(store.Records(DataKind::None), std::out_of_range);
  EXPECT_THROW(store.Records(static_cast<DataKind>(6)), std::out_of_range);
  EXPECT_THROW(store.Items(DataKind::Excel, 3), std::out_of_range);
}

TEST(CatalogueStoreTest, ImportLayoutDefaults) {
  TCatalogueStore store;
  EXPECT_EQ(store.importLayout.tableNameCell, "A1");
  EXPECT_EQ(store.importLayout.firstItemRow, 5);
  EXPECT_EQ(*store.importLayout.Columns()[0], "A");
  for (size_t i = 1; i < 12; ++i) EXPECT_EQ(*store.importLayout.Columns()[i], "");
}

TEST(NewProjectTest, BuildsTheDocumentOfEveryProduct) {
  for (Product product :
       {Product::RedBrick, Product::Oracle8, Product::Oracle7, Product::Broadbase}) {
    TCatalogueStore store;
    store.fileVersion = 200;
    store.fileName = "/old.vnk";
    store.modified = true;
    store.sqlText = {"SELECT 1"};
    store.formatSettings.lineType = kLineTypeElbow;
    store.sortColumn[1] = 3;
    store.selectedOwner = "SCOTT";
    FillEveryKind(store);

    NewProject(store, product, EstimateTextWidth);
    SCOPED_TRACE(ProductName(product));
    EXPECT_EQ(store.product, product);
    EXPECT_EQ(store.fileVersion, kCurrentFileVersion);
    EXPECT_TRUE(store.fileName.empty());
    EXPECT_FALSE(store.modified);
    EXPECT_TRUE(store.sqlText.empty());
    EXPECT_EQ(store.sqlMaxRow, "1000");
    EXPECT_EQ(store.formatSettings.lineType, kLineTypeStraight);
    EXPECT_EQ(store.sortColumn[1], 0);
    EXPECT_FALSE(store.selectedOwner.has_value());
    EXPECT_TRUE(store.Records(DataKind::Table).empty());
    EXPECT_FALSE(store.Items(DataKind::Table, kItemLevelTable).empty());
    ASSERT_EQ(store.er.sheets.size(), 1u);
    EXPECT_EQ(store.er.sheets[0]->name, ToCp932("シート1"));
    EXPECT_EQ(store.er.currentIndex, 0);
  }
}

TEST(ErFromRecordTest, WindowGetsFreeNameCaptionAndColumnEntries) {
  TCatalogueStore store;
  NewProject(store, Product::Oracle8, EstimateTextWidth);
  TTableRec rec;
  rec.name = "EMP";
  TValueList key{"1", "EMPNO", "NUMBER", "", "", "", "4", "", "", "\x81\x9B"};
  TValueList plain{"2", "ENAME", "VARCHAR2", "", "", "", "10"};
  rec.columns = {{key}, {plain}};
  TERSheetRec& sheet = *store.er.Current();
  TERTableRec& window = AddERTableFromRecord(
      store.er, sheet, rec, ColumnValuePositionsFor(Product::Oracle8, false), 10, 20, 0, 0);
  EXPECT_EQ(window.name, "Table1");
  EXPECT_EQ(window.caption, "EMP");
  EXPECT_EQ(window.width, 150);
  ASSERT_EQ(window.columns.size(), 2u);
  EXPECT_EQ(window.columns[0].listText, "*EMPNO  NUMBER(4)");
  EXPECT_EQ(window.columns[1].listText, " ENAME  VARCHAR2(10)");
  EXPECT_EQ(AddERTableFromRecord(store.er, sheet, rec, {}, 0, 0, 0, 0).name, "Table2");
}

}  // namespace
}  // namespace morvane
