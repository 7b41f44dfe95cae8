#include "db/record_assembler.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "model/data_kind.h"

namespace morvane {
namespace {

using Texts = std::vector<std::string_view>;

// Column-level texts of a table-information row: entries 2 (type), 6 (length or precision),
// 7 (scale) and 8 (size) filled, the rest empty.
Texts TableColumn(std::string_view name, std::string_view type, std::string_view length,
                  std::string_view scale, std::string_view size, size_t entries) {
  Texts texts(entries);
  texts[1] = name;
  texts[2] = type;
  texts[6] = length;
  texts[7] = scale;
  texts[8] = size;
  return texts;
}

TEST(RecordAssemblerTest, OracleColumnsGetSizesAndTheTableItsTotals) {
  for (int product : {kProductOracle8, kProductOracle7}) {
    SCOPED_TRACE(product);
    RecordAssembler assembler(product, kDataKindTable);
    TTableRec record;
    Texts table = {"SALES", "ORDERS", "TABLE", "0", "0", "0", "0", "USERS"};
    assembler.StartRecord(record, table);
    assembler.TakeRow(TableColumn("ID", "NUMBER", "10", "", "0", 27));
    assembler.TakeRow(TableColumn("NOTE", "VARCHAR2", "300", "", "0", 27));
    assembler.TakeRow(TableColumn("DOC", "CLOB", "4000", "", "0", 27));
    assembler.TakeRow(TableColumn("AT", "DATE", "", "", "0", 27));
    assembler.FinishRecord();

    EXPECT_EQ(record.owner, "SALES");
    EXPECT_EQ(record.name, "ORDERS");
    EXPECT_EQ(record.type, "TABLE");
    ASSERT_EQ(record.columns.size(), 4u);
    EXPECT_EQ(record.columns[0].values[8], "6");
    EXPECT_EQ(record.columns[1].values[8], "300");
    EXPECT_EQ(record.columns[2].values[8], "0");
    EXPECT_EQ(record.columns[3].values[8], "7");
    // Total, columns of at most 250 bytes, columns of 251 bytes or more; a size of 0 is neither.
    EXPECT_EQ(record.values.ToVector(), (std::vector<std::string>{"SALES", "ORDERS", "TABLE", "313",
                                                                  "2", "1", "0", "USERS"}));
  }
}

TEST(RecordAssemblerTest, RedBrickTotalsTheCatalogueLengths) {
  RecordAssembler assembler(kProductRedBrick, kDataKindTable);
  TTableRec record;
  Texts table = {"SYSTEM", "ORDERS", "TABLE", "0", "0"};
  assembler.StartRecord(record, table);
  assembler.TakeRow(TableColumn("ID", "INTEGER", "", "", "4", 18));
  assembler.TakeRow(TableColumn("NAME", "CHAR", "20", "", "20", 18));
  assembler.TakeRow(TableColumn("X", "CHAR", "", "", "", 18));
  assembler.FinishRecord();
  EXPECT_EQ(record.values[3], "24");
  EXPECT_EQ(record.values[4], "0");  // the row count is left for the count command
  EXPECT_EQ(record.columns[1].values[8], "20");
}

TEST(RecordAssemblerTest, BroadbaseAndIndexRowsAreStoredAsTheyCame) {
  RecordAssembler broadbase(kProductBroadbase, kDataKindTable);
  TTableRec table;
  Texts table_texts = {"PUBLIC", "ORDERS", "TABLE", "0"};
  broadbase.StartRecord(table, table_texts);
  broadbase.TakeRow(TableColumn("ID", "INTEGER", "10", "", "", 20));
  broadbase.FinishRecord();
  EXPECT_EQ(table.values[3], "0");
  EXPECT_EQ(table.columns[0].values[8], "");

  RecordAssembler oracle(kProductOracle8, kDataKindIndex);
  TTableRec index;
  Texts index_texts = {"SALES", "PK_ORDERS", "NORMAL", "SALES", "ORDERS", "TABLE"};
  oracle.StartRecord(index, index_texts);
  oracle.TakeRow(Texts{"1", "ID", "22"});
  oracle.TakeRow(Texts{"2", "LINE", "22"});
  oracle.FinishRecord();
  EXPECT_EQ(index.values.size(), 6u);
  ASSERT_EQ(index.columns.size(), 2u);
  EXPECT_EQ(index.columns[1].values.ToVector(), (std::vector<std::string>{"2", "LINE", "22"}));
}

TEST(RecordAssemblerTest, TableIndexRecordsCarryTheirIndexCount) {
  RecordAssembler assembler(kProductOracle8, kDataKindTableIndex);
  TTableRec record;
  Texts table = {"SALES", "ORDERS", "TABLE", "0"};
  assembler.StartRecord(record, table);
  assembler.TakeRow(Texts{"ID", "NUMBER", "PK_ORDERS", "NORMAL", "1"});
  assembler.TakeRow(Texts{"ID", "NUMBER", "IX_ORDERS", "NORMAL", "1"});
  assembler.FinishRecord();
  EXPECT_EQ(record.values[3], "2");
  EXPECT_EQ(assembler.largest_index_count(), 2);
  EXPECT_EQ(record.columns[0].values.ToVector(),
            (std::vector<std::string>{"", "", "IX_ORDERS", "PK_ORDERS"}));
}

TEST(RecordAssemblerTest, ARowBelongsToTheRecordOfItsOwnerAndName) {
  TTableRec record;
  record.values = TValueList{"SALES", "ORDERS", "TABLE"};
  // The type is not part of the key: such a row still belongs to the record.
  EXPECT_TRUE(RowBelongsTo(record, Texts{"SALES", "ORDERS", "VIEW"}, 2));
  EXPECT_FALSE(RowBelongsTo(record, Texts{"SALES", "ORDERS2", "TABLE"}, 2));
  EXPECT_FALSE(RowBelongsTo(record, Texts{"sales", "ORDERS", "TABLE"}, 2));
  EXPECT_FALSE(RowBelongsTo(record, Texts{"SALES", "ORDERS ", "TABLE"}, 2));
}

}  // namespace
}  // namespace morvane
