#include "browse/tree_groups.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

class TreeGroupsTest : public ::testing::Test {
 protected:
  TTableRec& Add(int kind, std::string owner, std::string type, std::string name) {
    TTableRec& r = store.AddRecord(kind);
    r.owner = owner;
    r.type = type;
    r.name = name;
    r.values = {owner, name, type, "2"};
    return r;
  }
  // "owner/type/leaf" lines of the grouping, for easy comparison.
  std::vector<std::string> Lines(int kind) {
    std::vector<std::string> lines;
    for (const TOwnerGroup& o : GroupCatalogueRecords(store.Records(kind), kind)) {
      for (const TTypeGroup& t : o.types) {
        for (const TTreeLeaf& l : t.leaves) lines.push_back(o.owner + "/" + t.type + "/" + l.text);
        lines.push_back("--");
      }
      lines.push_back("==");
    }
    return lines;
  }
  TCatalogueStore store;
};

TEST_F(TreeGroupsTest, RunsOfOwnerAndTypeBecomeNodes) {
  Add(2, "A", "TABLE", "T1");
  Add(2, "A", "TABLE", "T2");
  Add(2, "A", "VIEW", "V1");
  Add(2, "B", "VIEW", "V2");
  EXPECT_EQ(Lines(2), (std::vector<std::string>{"A/TABLE/T1", "A/TABLE/T2", "--", "A/VIEW/V1", "--",
                                                "==", "B/VIEW/V2", "--", "=="}));
}

TEST_F(TreeGroupsTest, EmptyOwnerAndTypeStillGetNodes) {
  Add(2, "", "", "T1");
  Add(2, "", "", "T2");
  auto groups = GroupCatalogueRecords(store.Records(2), 2);
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].owner, "");
  ASSERT_EQ(groups[0].types.size(), 1u);
  EXPECT_EQ(groups[0].types[0].leaves.size(), 2u);
}

TEST_F(TreeGroupsTest, ABrokenRunRepeatsTheOwnerAndANewOwnerRestartsTheType) {
  Add(2, "A", "TABLE", "T1");
  Add(2, "B", "TABLE", "T2");
  Add(2, "A", "TABLE", "T3");
  EXPECT_EQ(Lines(2), (std::vector<std::string>{"A/TABLE/T1", "--", "==", "B/TABLE/T2", "--",
                                                "==", "A/TABLE/T3", "--", "=="}));
}

TEST_F(TreeGroupsTest, LeavesPointAtTheirRecordsAndTableIndexLeavesShowTheCount) {
  TTableRec& r = Add(4, "A", "TABLE", "ORDERS");
  auto groups = GroupCatalogueRecords(store.Records(4), 4);
  const TTreeLeaf& leaf = groups[0].types[0].leaves[0];
  EXPECT_EQ(leaf.record, &r);
  EXPECT_EQ(leaf.text, "ORDERS (2)");
  EXPECT_EQ(TreeLeafText(r, kDataKindTable), "ORDERS");
  TTableRec short_values;
  short_values.name = "X";
  EXPECT_EQ(TreeLeafText(short_values, kDataKindTableIndex), "X ()");
}

TEST_F(TreeGroupsTest, ExcelLeavesAreFlatInStoreOrder) {
  Add(1, "", "", "SHEET2");
  Add(1, "", "", "SHEET1");
  auto leaves = ExcelTreeLeaves(store.Records(1));
  ASSERT_EQ(leaves.size(), 2u);
  EXPECT_EQ(leaves[0].text, "SHEET2");
  EXPECT_EQ(leaves[1].record, store.Records(1)[1].get());
}

TEST(TreeTexts, FamiliesAndKindsFromCaptions) {
  EXPECT_EQ(FamilyOfRootText("Excelファイル"), TreeFamily::kExcel);
  EXPECT_EQ(FamilyOfRootText("データベース"), TreeFamily::kDatabase);
  EXPECT_EQ(FamilyOfRootText("SQL入力"), TreeFamily::kSql);
  EXPECT_EQ(FamilyOfRootText("Dummy"), TreeFamily::kNone);
  EXPECT_EQ(CatalogueKindOfCaption("テーブル情報"), kDataKindTable);
  EXPECT_EQ(CatalogueKindOfCaption("インデックス情報"), kDataKindIndex);
  EXPECT_EQ(CatalogueKindOfCaption("テーブル・インデックス情報"), kDataKindTableIndex);
  EXPECT_EQ(CatalogueKindOfCaption("Excelファイル"), kDataKindNone);
}

TEST(TreeTexts, ColumnValuePositionsPerFamilyAndProduct) {
  const TColumnValuePositions red_brick{1, 2, 6, 7, 11};
  const TColumnValuePositions oracle{1, 2, 6, 7, 9};
  const TColumnValuePositions broadbase{1, 2, 3, 4, 5};
  EXPECT_EQ(ColumnValuePositionsFor(TreeFamily::kDatabase, Product::RedBrick), red_brick);
  EXPECT_EQ(ColumnValuePositionsFor(TreeFamily::kDatabase, Product::Oracle8), oracle);
  EXPECT_EQ(ColumnValuePositionsFor(TreeFamily::kDatabase, Product::Oracle7), oracle);
  EXPECT_EQ(ColumnValuePositionsFor(TreeFamily::kDatabase, Product::Broadbase), broadbase);
  for (Product product :
       {Product::RedBrick, Product::Oracle8, Product::Broadbase, Product::Oracle7}) {
    EXPECT_EQ(ColumnValuePositionsFor(TreeFamily::kExcel, product), red_brick);
  }
}

}  // namespace
}  // namespace morvane
