#include "browse/tree_groups.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

class TreeGroupsTest : public ::testing::Test {
 protected:
  TTableRec& Add(DataKind kind, std::string owner, std::string type, std::string name) {
    TTableRec& r = store.AddRecord(kind);
    r.owner = owner;
    r.type = type;
    r.name = name;
    r.values = {owner, name, type, "2"};
    return r;
  }
  // "owner/type/leaf" lines of the grouping, for easy comparison.
  std::vector<std::string> Lines(DataKind kind) {
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
  Add(DataKind::Table, "A", "TABLE", "T1");
  Add(DataKind::Table, "A", "TABLE", "T2");
  Add(DataKind::Table, "A", "VIEW", "V1");
  Add(DataKind::Table, "B", "VIEW", "V2");
  EXPECT_EQ(Lines(DataKind::Table),
            (std::vector<std::string>{"A/TABLE/T1", "A/TABLE/T2", "--", "A/VIEW/V1", "--",
                                      "==", "B/VIEW/V2", "--", "=="}));
}

TEST_F(TreeGroupsTest, EmptyOwnerAndTypeStillGetNodes) {
  Add(DataKind::Table, "", "", "T1");
  Add(DataKind::Table, "", "", "T2");
  auto groups = GroupCatalogueRecords(store.Records(DataKind::Table), DataKind::Table);
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].owner, "");
  ASSERT_EQ(groups[0].types.size(), 1u);
  EXPECT_EQ(groups[0].types[0].leaves.size(), 2u);
}

TEST_F(TreeGroupsTest, ABrokenRunRepeatsTheOwnerAndANewOwnerRestartsTheType) {
  Add(DataKind::Table, "A", "TABLE", "T1");
  Add(DataKind::Table, "B", "TABLE", "T2");
  Add(DataKind::Table, "A", "TABLE", "T3");
  EXPECT_EQ(Lines(DataKind::Table),
            (std::vector<std::string>{"A/TABLE/T1", "--", "==", "B/TABLE/T2", "--",
                                      "==", "A/TABLE/T3", "--", "=="}));
}

TEST_F(TreeGroupsTest, LeavesPointAtTheirRecordsAndTableIndexLeavesShowTheCount) {
  TTableRec& r = Add(DataKind::TableIndex, "A", "TABLE", "ORDERS");
  auto groups = GroupCatalogueRecords(store.Records(DataKind::TableIndex), DataKind::TableIndex);
  const TTreeLeaf& leaf = groups[0].types[0].leaves[0];
  EXPECT_EQ(leaf.record, &r);
  EXPECT_EQ(leaf.text, "ORDERS (2)");
  EXPECT_EQ(TreeLeafText(r, DataKind::Table), "ORDERS");
  TTableRec short_values;
  short_values.name = "X";
  EXPECT_EQ(TreeLeafText(short_values, DataKind::TableIndex), "X ()");
}

TEST_F(TreeGroupsTest, ExcelLeavesAreFlatInStoreOrder) {
  Add(DataKind::Excel, "", "", "SHEET2");
  Add(DataKind::Excel, "", "", "SHEET1");
  auto leaves = ExcelTreeLeaves(store.Records(DataKind::Excel));
  ASSERT_EQ(leaves.size(), 2u);
  EXPECT_EQ(leaves[0].text, "SHEET2");
  EXPECT_EQ(leaves[1].record, store.Records(DataKind::Excel)[1].get());
}

TEST(TreeTexts, FamiliesAndKindsFromCaptions) {
  EXPECT_EQ(FamilyOfRootText("Excelファイル"), TreeFamily::kExcel);
  EXPECT_EQ(FamilyOfRootText("データベース"), TreeFamily::kDatabase);
  EXPECT_EQ(FamilyOfRootText("SQL入力"), TreeFamily::kSql);
  EXPECT_EQ(FamilyOfRootText("Dummy"), TreeFamily::kNone);
  EXPECT_EQ(CatalogueKindOfCaption("テーブル情報"), DataKind::Table);
  EXPECT_EQ(CatalogueKindOfCaption("インデックス情報"), DataKind::Index);
  EXPECT_EQ(CatalogueKindOfCaption("テーブル・インデックス情報"), DataKind::TableIndex);
  EXPECT_EQ(CatalogueKindOfCaption("Excelファイル"), DataKind::None);
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
