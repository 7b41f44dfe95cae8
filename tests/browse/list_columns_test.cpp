#include "browse/list_columns.h"

#include <gtest/gtest.h>

#include "text/codec.h"

namespace morvane {
namespace {

TItemDef Item(std::string name, int valueKind, int index, uint8_t output, int width) {
  TItemDef item;
  item.name = std::move(name);
  item.valueKind = valueKind;
  item.index = index;
  item.output = output;
  item.width = width;
  return item;
}

TEST(ListColumns, OnlyShownItemsInItemOrderAndNonPositiveWidthsBecome100) {
  ItemList items = {Item("NAME", 1, 1, 1, 0), Item("HIDDEN", 1, 2, 0, 0),
                    Item("COUNT", 2, 4, 1, -5), Item("OWNER", 1, 0, 1, 60)};
  std::vector<TListColumn> columns = BuildListColumns(items);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].caption, "NAME");
  EXPECT_EQ(columns[1].caption, "COUNT");
  EXPECT_EQ(columns[1].valueKind, 2);
  EXPECT_EQ(columns[1].index, 4);
  EXPECT_EQ(columns[2].index, 0);
  EXPECT_EQ(columns[0].width, 100);
  EXPECT_EQ(columns[1].width, 100);
  EXPECT_EQ(columns[2].width, 60);
  // The width 100 is stored back; the hidden item is left alone.
  EXPECT_EQ(items[0].width, 100);
  EXPECT_EQ(items[1].width, 0);
  EXPECT_EQ(items[2].width, 100);
}

TEST(ListColumns, SavedWidthsGoToTheItemOfTheFirstColumnWithItsName) {
  ItemList items = {Item("A", 1, 0, 1, 10), Item("B", 1, 1, 1, 20), Item("C", 1, 2, 0, 30)};
  SaveColumnWidths(items, {{"B", 77}, {"A", 55}, {"B", 99}});
  EXPECT_EQ(items[0].width, 55);
  EXPECT_EQ(items[1].width, 77);
  EXPECT_EQ(items[2].width, 30);
}

TEST(ListColumns, SortTypeCountsOnlyShownItems) {
  ItemList items = {Item("A", 1, 0, 1, 0), Item("N", 2, 1, 0, 0), Item("M", 2, 2, 1, 0)};
  EXPECT_EQ(SortColumnValueKind(items, 0), 1);
  EXPECT_EQ(SortColumnValueKind(items, 1), 2);
  EXPECT_EQ(SortColumnValueKind(items, 2), std::nullopt);
}

class TableListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Add("SALES", "TABLE", "ORDERS");
    Add("", "TABLE", "LOOSE");
    Add("SALES", "VIEW", "V1");
    Add("HR", "TABLE", "EMP");
  }
  void Add(std::string owner, std::string type, std::string name) {
    TTableRec& r = store.AddRecord(DataKind::Table);
    r.owner = owner;
    r.type = type;
    r.name = name;
  }
  std::vector<std::string> Names(const std::vector<const TTableRec*>& records) {
    std::vector<std::string> names;
    for (const TTableRec* r : records) names.push_back(r->name);
    return names;
  }
  TCatalogueStore store;
};

TEST_F(TableListTest, FiltersByOwnerAndTypeWhereSet) {
  const RecordList& records = store.Records(DataKind::Table);
  EXPECT_EQ(Names(TableListRecords(records, std::nullopt, std::nullopt)),
            (std::vector<std::string>{"ORDERS", "LOOSE", "V1", "EMP"}));
  EXPECT_EQ(Names(TableListRecords(records, "SALES", std::nullopt)),
            (std::vector<std::string>{"ORDERS", "V1"}));
  EXPECT_EQ(Names(TableListRecords(records, "SALES", "VIEW")), (std::vector<std::string>{"V1"}));
  // An empty owner is a real owner, not "no filter".
  EXPECT_EQ(Names(TableListRecords(records, "", std::nullopt)),
            (std::vector<std::string>{"LOOSE"}));
  EXPECT_TRUE(TableListRecords(records, "sales", std::nullopt).empty());
}

TEST(ListPath, ShowsTheFilterOrTheTable) {
  const std::string table_info = ToCp932("テーブル情報");
  EXPECT_EQ(ListPathText(DataKind::Table), table_info);
  EXPECT_EQ(ListPathText(DataKind::Sql), "");
  EXPECT_EQ(ListPathText(DataKind::None), "");
  EXPECT_EQ(TableListPathText(DataKind::Table, std::nullopt, std::nullopt), table_info);
  EXPECT_EQ(TableListPathText(DataKind::Table, "SALES", "TABLE"), table_info + " [SALES - TABLE]");
  EXPECT_EQ(TableListPathText(DataKind::Table, "SALES", std::nullopt), table_info + " [SALES]");
  EXPECT_EQ(TableListPathText(DataKind::Table, "", std::nullopt), table_info + " []");
  TTableRec record;
  record.owner = "SALES";
  record.name = "ORDERS";
  EXPECT_EQ(ColumnListPathText(DataKind::Table, record), table_info + " [SALES.ORDERS]");
  EXPECT_EQ(ColumnListPathText(DataKind::Excel, record),
            ToCp932("Excelファイル") + " [SALES.ORDERS]");
}

}  // namespace
}  // namespace morvane
