#include "db/table_index_matrix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvane {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows RowsOf(const TTableRec& record) {
  Rows rows;
  for (const TColumnRow& row : record.columns) rows.push_back(row.values.ToVector());
  return rows;
}

TEST(TableIndexMatrixTest, IndexesAreOrderedByNameWithTheirTypesAndPositions) {
  TableIndexMatrixBuilder builder;
  TTableRec record;
  builder.StartRecord();
  // Rows as the statement delivers them: a column in two indexes arrives twice.
  builder.TakeRow({"ID", "NUMBER", "PK_A", "UNIQUE", "1"});
  builder.TakeRow({"ID", "NUMBER", "IX_B", "NORMAL", "2"});
  builder.TakeRow({"CODE", "CHAR", "IX_B", "NORMAL", "1"});
  builder.TakeRow({"NOTE", "VARCHAR2", "", "", ""});
  EXPECT_EQ(builder.FinishRecord(record), 2);
  EXPECT_EQ(RowsOf(record), (Rows{{"", "", "IX_B", "PK_A"},
                                  {"", "", "NORMAL", "UNIQUE"},
                                  {"ID", "NUMBER", "2", "1"},
                                  {"CODE", "CHAR", "1", ""},
                                  {"NOTE", "VARCHAR2", "", ""}}));
}

TEST(TableIndexMatrixTest, NamesCompareAsUnsignedBytesWithPrefixesFirst) {
  TableIndexMatrixBuilder builder;
  TTableRec record;
  builder.StartRecord();
  // 0x83 0x41 ("ア") sorts after every ASCII name; "IX" is a proper prefix of "IX1"; lower case
  // letters sort after upper case ones.
  builder.TakeRow({"C", "T", "\x83\x41", "N", "1"});
  builder.TakeRow({"C", "T", "ix", "N", "2"});
  builder.TakeRow({"C", "T", "IX1", "N", "3"});
  builder.TakeRow({"C", "T", "IX", "N", "4"});
  EXPECT_EQ(builder.FinishRecord(record), 4);
  EXPECT_EQ(RowsOf(record)[0], (std::vector<std::string>{"", "", "IX", "IX1", "ix", "\x83\x41"}));
  EXPECT_EQ(RowsOf(record)[2], (std::vector<std::string>{"C", "T", "4", "3", "2", "1"}));
}

TEST(TableIndexMatrixTest, EveryRowIsPaddedToTheLargestIndexCountOfTheFetch) {
  TableIndexMatrixBuilder builder;
  RecordList records;
  records.push_back(std::make_unique<TTableRec>());
  records.push_back(std::make_unique<TTableRec>());
  records.push_back(std::make_unique<TTableRec>());

  builder.StartRecord();
  builder.TakeRow({"A", "CHAR", "I1", "NORMAL", "1"});
  EXPECT_EQ(builder.FinishRecord(*records[0]), 1);

  builder.StartRecord();
  builder.TakeRow({"A", "CHAR", "J1", "NORMAL", "1"});
  builder.TakeRow({"B", "CHAR", "J2", "NORMAL", "1"});
  builder.TakeRow({"C", "CHAR", "J3", "UNIQUE", "1"});
  EXPECT_EQ(builder.FinishRecord(*records[1]), 3);

  builder.StartRecord();  // a table with no index at all
  builder.TakeRow({"X", "DATE", "", "", ""});
  EXPECT_EQ(builder.FinishRecord(*records[2]), 0);

  EXPECT_EQ(builder.largest_index_count(), 3);
  PadTableIndexRows(records, builder.largest_index_count());
  EXPECT_EQ(RowsOf(*records[0]),
            (Rows{{"", "", "I1", "", ""}, {"", "", "NORMAL", "", ""}, {"A", "CHAR", "1", "", ""}}));
  EXPECT_EQ(RowsOf(*records[2]),
            (Rows{{"", "", "", "", ""}, {"", "", "", "", ""}, {"X", "DATE", "", "", ""}}));
  for (const auto& record : records) {
    for (const TColumnRow& row : record->columns) EXPECT_EQ(row.values.size(), 5u);
  }
}

TEST(TableIndexMatrixTest, ItemsNameTheColumnsAndEachIndexPosition) {
  std::vector<TItemDef> items = TableIndexColumnItems(26);
  ASSERT_EQ(items.size(), 28u);
  EXPECT_EQ(items[0].name, "COLUMN NAME");
  EXPECT_EQ(items[0].width, 100);
  EXPECT_EQ(items[1].name, "COLUMN TYPE");
  EXPECT_EQ(items[1].width, 100);
  EXPECT_EQ(items[2].name, "1");
  EXPECT_EQ(items[2].width, 150);
  EXPECT_EQ(items[27].name, "26");
  EXPECT_EQ(items[27].index, 27);
  EXPECT_EQ(items[25].excelColumn, "Z");
  EXPECT_EQ(items[26].excelColumn, "AA");
  for (const TItemDef& item : items) {
    EXPECT_EQ(item.valueKind, kValueKindText);
    EXPECT_EQ(item.output, 1);
    EXPECT_EQ(item.excelCell, "");
  }
  EXPECT_EQ(TableIndexColumnItems(0).size(), 2u);
}

}  // namespace
}  // namespace morvane
