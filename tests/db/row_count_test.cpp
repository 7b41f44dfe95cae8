// Row counts through unixODBC and the emulator, for each product.
#include "db/row_count.h"

#include <gtest/gtest.h>

#include "free_sql_fixture.h"
#include "model/data_kind.h"
#include "text/codec.h"

namespace morvane::db_test {
namespace {

class RowCountTest : public ProductDatabaseTest {
 protected:
  // A connected program with the table information fetched.
  std::unique_ptr<ProgramSide> Fetched() {
    auto program = Connected();
    EXPECT_TRUE(program->Fetch(DataKind::Table)) << program->TakeMessages().at(0);
    program->store.modified = false;
    return program;
  }
  static std::string CountOf(const ProgramSide& program, const TTableRec& table) {
    return std::string(table.values.ValueOr(*CountValueIndex(program.store.product)));
  }
};

TEST_P(RowCountTest, CountsTheSelectedTablesAndMarksAFailingOneWithMinusOne) {
  auto program = Fetched();
  TCatalogueStore& store = program->store;
  const TTableRec& items = RecordNamed(store, DataKind::Table, "ITEMS");
  const TTableRec& dept = RecordNamed(store, DataKind::Table, "DEPT");
  const TTableRec& emp = RecordNamed(store, DataKind::Table, "EMP");
  // A table that has gone from the database since the fetch.
  TTableRec& gone = store.AddRecord(DataKind::Table);
  gone.owner = items.owner;
  gone.name = "GONE";

  const std::string emp_before = CountOf(*program, emp);

  EXPECT_FALSE(GetTableCount(store, program->session, {&items, &gone, &dept}));
  EXPECT_EQ(CountOf(*program, items), "5");
  EXPECT_EQ(CountOf(*program, gone), "-1");
  EXPECT_EQ(CountOf(*program, dept), "2");
  EXPECT_EQ(CountOf(*program, emp), emp_before);  // not selected
  EXPECT_EQ(program->TakeMessages().size(), 1u);  // the failing table's error
  EXPECT_FALSE(store.modified);
  EXPECT_EQ(program->progress.activity, "件数取得");
  EXPECT_EQ(program->progress.total, 3);
  EXPECT_EQ(program->progress.steps, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(program->progress.ended, program->progress.runs);
  EXPECT_EQ(program->status.busy_depth, 0);

  EXPECT_TRUE(GetTableCount(store, program->session, {&emp}));
  EXPECT_EQ(CountOf(*program, emp), "1");
  EXPECT_TRUE(program->TakeMessages().empty());
}

TEST_P(RowCountTest, ATableOfAnotherOwnerIsCountedUnderItsOwner) {
  auto program = Fetched();
  TCatalogueStore& store = program->store;
  const TTableRec& items = RecordNamed(store, DataKind::Table, "ITEMS");
  // A table of that name under another owner does not exist: counting it must fail rather than
  // count the connected user's ITEMS.
  TTableRec& foreign = store.AddRecord(DataKind::Table);
  foreign.owner = "SOMEONE_ELSE";
  foreign.name = "ITEMS";
  EXPECT_FALSE(GetTableCount(store, program->session, {&foreign, &items}));
  EXPECT_EQ(CountOf(*program, foreign), "-1");
  EXPECT_EQ(CountOf(*program, items), "5");
}

TEST_P(RowCountTest, RecordsOutsideTheTableInformationAreNotCounted) {
  auto program = Fetched();
  TTableRec stray;
  stray.name = "ITEMS";
  EXPECT_TRUE(GetTableCount(program->store, program->session, {&stray}));
  EXPECT_TRUE(stray.values.empty());
  EXPECT_TRUE(program->TakeMessages().empty());
}

INSTANTIATE_TEST_SUITE_P(Products, RowCountTest, testing::ValuesIn(AllProductDatabases()),
                         ProductTestName);

}  // namespace
}  // namespace morvane::db_test
