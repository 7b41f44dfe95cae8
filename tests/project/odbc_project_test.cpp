// A project of the generic ODBC product through the project file.
#include <gtest/gtest.h>

#include "model/odbc_default_items.h"
#include "project/new_project.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "text/codec.h"

namespace morvane {
namespace {

// An ODBC project as a fetch leaves it: tables with Japanese remarks, an index, a foreign key.
void BuildOdbcProject(TCatalogueStore& store) {
  NewProject(store, Product::Odbc, EstimateTextWidth);
  const std::string circle = ToCp932("○");

  TTableRec& customer = store.AddRecord(DataKind::Table);
  customer.owner = "public";
  customer.type = "TABLE";
  customer.name = "customer";
  customer.values =
      TValueList{"public", "customer", "TABLE", "48", "3", "morvane", ToCp932("顧客")};
  customer.columns.push_back({TValueList{"1", "id", "int4", "", "10", "0", "10", "0", "4", circle,
                                         circle, circle, "1", "", ""}});
  customer.columns.push_back({TValueList{"2", "name", "varchar", "40", "", "", "40", "", "40",
                                         circle, "", "", "", "", ToCp932("顧客名")}});

  TTableRec& orders = store.AddRecord(DataKind::Table);
  orders.owner = "sales";
  orders.type = "TABLE";
  orders.name = ToCp932("受注 \"明細\"");
  orders.values = TValueList{"sales", orders.name, "TABLE", "4", "", "morvane", ""};
  orders.columns.push_back({TValueList{"1", "customer_id", "int4", "", "10", "0", "10", "0", "4",
                                       circle, "", circle, "1", "", ""}});
  store.relations = {TRelationRec{orders.name, {"customer"}}};

  TTableRec& index = store.AddRecord(DataKind::Index);
  index.owner = "public";
  index.type = "OTHER";
  index.name = "customer_pkey";
  index.values = TValueList{"public", "customer_pkey", "OTHER", "customer", "UNIQUE", "morvane"};
  index.columns.push_back({TValueList{"1", "id", "A"}});
}

TEST(OdbcProjectTest, IsStoredAsDatabaseTypeFiveAndReadsBackUnchanged) {
  TCatalogueStore store;
  BuildOdbcProject(store);
  const std::string bytes = ProjectFileBytes(store);
  EXPECT_NE(bytes.find("\x01"
                       "DATABASE_TYPE\x02\r\n"
                       "5\x02\r\n"),
            std::string::npos);

  TCatalogueStore reopened;
  ProjectReadResult read = ReadProjectBytes(reopened, bytes, EstimateTextWidth);
  ASSERT_TRUE(read.ok);
  EXPECT_TRUE(read.warnings.empty());
  EXPECT_EQ(reopened.product, Product::Odbc);
  for (DataKind kind : {DataKind::Table, DataKind::Index}) {
    ASSERT_EQ(reopened.Records(kind).size(), store.Records(kind).size()) << DataKindCode(kind);
    for (size_t i = 0; i < store.Records(kind).size(); ++i) {
      EXPECT_EQ(*reopened.Records(kind)[i], *store.Records(kind)[i])
          << DataKindCode(kind) << "/" << i;
    }
  }
  EXPECT_EQ(reopened.relations, store.relations);
  EXPECT_EQ(ProjectFileBytes(reopened), bytes);
}

TEST(OdbcProjectTest, NewProjectStartsWithTheOdbcItemLists) {
  TCatalogueStore store;
  NewProject(store, Product::Odbc, EstimateTextWidth);
  for (DataKind kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
    for (int level : {kItemLevelTable, kItemLevelColumn}) {
      const std::vector<DefaultItem> expected = DefaultItemList(Product::Odbc, kind, level);
      const ItemList& items = store.Items(kind, level);
      ASSERT_EQ(items.size(), expected.size()) << DataKindCode(kind) << "/" << level;
      for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].name, ToCp932(expected[i].nameUtf8))
            << DataKindCode(kind) << "/" << level;
        EXPECT_EQ(items[i].valueKind, expected[i].valueKind);
      }
    }
  }
  // The Excel file lists carry no column counts, as for every product without them.
  EXPECT_EQ(store.Items(DataKind::Excel, kItemLevelTable).size(), 3u);
}

}  // namespace
}  // namespace morvane
