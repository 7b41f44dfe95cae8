#include <gtest/gtest.h>

#include "er/er_relations.h"
#include "er/er_tables.h"
#include "project/new_project.h"
#include "text/codec.h"

namespace morvane {
namespace {

class ErRelationsTest : public ::testing::Test {
 protected:
  void SetUp() override { NewProject(store_, Product::RedBrick, EstimateTextWidth); }

  void AddTable(const std::string& name) {
    TTableRec& rec = store_.AddRecord(DataKind::Table);
    rec.name = name;
    rec.columns.push_back({TValueList{"1", "ID", "INTEGER"}});
  }
  TERTableRec& Place(const std::string& name) {
    return AddERTable(Sheet(), NextERTableName(store_.er), name, 100, 40, 0, 0);
  }
  TERSheetRec& Sheet() { return *store_.er.Current(); }
  int Run(TERTableRec& window) {
    return AddTablesFromRelations(store_, Sheet(), window,
                                  ColumnValuePositionsFor(Product::RedBrick, false));
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

TEST_F(ErRelationsTest, TheRunningTopIsSharedByTheNestedLevels) {
  for (const char* name : {"A", "B", "C", "D"}) AddTable(name);
  store_.relations = {{"A", {"B", "C"}}, {"B", {"D"}}};
  EXPECT_EQ(Run(Place("A")), 3);
  struct Where {
    const char* caption;
    int left, top;
  };
  const std::vector<Where> expected = {
      {"A", 100, 40}, {"B", 300, 40}, {"D", 500, 40}, {"C", 300, 200}};
  ASSERT_EQ(Sheet().tables.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(Sheet().tables[i]->caption, expected[i].caption);
    EXPECT_EQ(Sheet().tables[i]->left, expected[i].left) << expected[i].caption;
    EXPECT_EQ(Sheet().tables[i]->top, expected[i].top) << expected[i].caption;
  }
}

TEST_F(ErRelationsTest, TheCommandTellsTheCountAndMarksModifiedOnlyWhenSomethingWasAdded) {
  AddTable("A");
  AddTable("B");
  store_.relations = {{"A", {"B"}}};
  ScriptedPrompt prompt;
  store_.modified = false;
  EXPECT_EQ(RunRelationCommand(store_, Sheet(), Place("B"), prompt), 0);
  EXPECT_FALSE(store_.modified);
  EXPECT_EQ(RunRelationCommand(store_, Sheet(), Place("A"), prompt), 1);
  EXPECT_TRUE(store_.modified);
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[0].kind, PromptKind::kInformation);
  EXPECT_EQ(ToUtf8(prompt.shown[0].text), "0件のテーブルを追加しました。");
  EXPECT_EQ(ToUtf8(prompt.shown[1].text), "1件のテーブルを追加しました。");
  // The line's sides are known as soon as it exists.
  EXPECT_EQ(Sheet().lines.back()->fromSide, LineSide::Right);
  EXPECT_EQ(Sheet().lines.back()->toSide, LineSide::Left);
}

}  // namespace
}  // namespace morvane
