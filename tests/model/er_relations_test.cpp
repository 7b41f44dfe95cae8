#include <gtest/gtest.h>

#include "er/er_tables.h"
#include "model/er_relations.h"
#include "model/new_project.h"

namespace morvane {
namespace {

class ErRelationsTest : public ::testing::Test {
 protected:
  void SetUp() override { NewProject(store_, kProductRedBrick, EstimateTextWidth); }

  void AddTable(const std::string& name) {
    TTableRec& rec = store_.AddRecord(kDataKindTable);
    rec.name = name;
    rec.columns.push_back({TValueList{"1", "ID", "INTEGER"}});
  }
  TERTableRec& Place(const std::string& name) {
    return AddERTable(Sheet(), NextERTableName(store_.er), name, 100, 40, 0, 0);
  }
  TERSheetRec& Sheet() { return *store_.er.Current(); }
  int Run(TERTableRec& window) {
    return AddTablesFromRelations(store_, Sheet(), window,
                                  ColumnValuePositionsFor(kProductRedBrick, false));
  }
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (const auto& l : Sheet().lines) {
      lines.push_back(l->fromWindow->name + ">" + l->toWindow->name);
    }
    return lines;
  }

  TCatalogueStore store_;
};

TEST_F(ErRelationsTest, ReferencedTablesAreStackedToTheRight) {
  AddTable("ORDERS");
  AddTable("CUSTOMER");
  AddTable("PRODUCT");
  store_.relations = {{"ORDERS", {"CUSTOMER", "PRODUCT", "MISSING"}}};
  TERTableRec& orders = Place("ORDERS");
  EXPECT_EQ(Run(orders), 2);
  ASSERT_EQ(Sheet().tables.size(), 3u);
  const TERTableRec& customer = *Sheet().tables[1];
  const TERTableRec& product = *Sheet().tables[2];
  EXPECT_EQ(customer.caption, "CUSTOMER");
  EXPECT_EQ(customer.left, 100 + 150 + 50);
  EXPECT_EQ(customer.top, 40);
  EXPECT_EQ(product.left, customer.left);
  EXPECT_EQ(product.top, 200);
  EXPECT_EQ(customer.columns.size(), 1u);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Table1>Table2", "Table1>Table3"}));
  EXPECT_EQ(TablesAddedMessage(2), "2件のテーブルを追加しました。");
}

TEST_F(ErRelationsTest, ASelfReferenceAddsOneWindowAndALineToItself) {
  AddTable("A");
  store_.relations = {{"A", {"A"}}};
  EXPECT_EQ(Run(Place("A")), 1);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Table1>Table2", "Table2>Table2"}));
}

TEST_F(ErRelationsTest, ACycleIsFollowedOnceAndReportsTwo) {
  AddTable("A");
  AddTable("B");
  store_.relations = {{"A", {"B"}}, {"B", {"A"}}};
  EXPECT_EQ(Run(Place("A")), 2);
  // A-B, B-A', A'-B
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Table1>Table2", "Table2>Table3", "Table3>Table2"}));
}

TEST_F(ErRelationsTest, NoRelationOrUnknownTablesAddNothing) {
  AddTable("A");
  store_.relations = {{"A", {"NOT_FETCHED"}}};
  EXPECT_EQ(Run(Place("B")), 0);
  EXPECT_EQ(Run(Place("A")), 0);
  EXPECT_EQ(Sheet().tables.size(), 2u);
  EXPECT_TRUE(Sheet().lines.empty());
}

}  // namespace
}  // namespace morvane
