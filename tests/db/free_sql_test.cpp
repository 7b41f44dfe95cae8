// Free queries through unixODBC and the emulator, for each product.
#include "db/free_sql.h"

#include <gtest/gtest.h>

#include "free_sql_fixture.h"
#include "model/data_kind.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane::db_test {
namespace {

const char* kItemsQuery = "\r\n  select ID, NAME, NOTE from ITEMS order by ID";

class FreeSqlTest : public ProductDatabaseTest {
 protected:
  bool Run(ProgramSide& program, const std::string& sql, int max_rows) {
    return ExecuteFreeSql(program.store, program.session, ToCp932(sql), max_rows,
                          EstimateTextWidth);
  }
  static const TTableRec& Result(const ProgramSide& program) {
    return *program.store.Records(DataKind::Sql).at(0);
  }
  static std::vector<std::string> Column(const TTableRec& result, size_t entry) {
    std::vector<std::string> texts;
    for (const TColumnRow& row : result.columns) texts.push_back(ToUtf8(row.values[entry]));
    return texts;
  }
  static void ExpectTidy(const ProgramSide& program) {
    EXPECT_EQ(program.progress.runs, program.progress.ended);
    EXPECT_EQ(program.status.busy_depth, 0);
  }
};

TEST_P(FreeSqlTest, TheResultIsOneRecordWithOneItemPerColumn) {
  auto program = Connected();
  ASSERT_TRUE(Run(*program, kItemsQuery, 1000)) << program->TakeMessages().at(0);
  EXPECT_TRUE(program->TakeMessages().empty());
  ASSERT_EQ(program->store.Records(DataKind::Sql).size(), 1u);
  const TTableRec& result = Result(*program);
  EXPECT_EQ(result.owner, "");
  EXPECT_EQ(result.type, "");
  EXPECT_EQ(result.name, "");
  EXPECT_TRUE(result.values.empty());
  ASSERT_EQ(result.columns.size(), 5u);
  EXPECT_EQ(Column(result, 0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  // NULL is the empty string.
  EXPECT_EQ(Column(result, 2), (std::vector<std::string>{"first", "long", "", "fourth", "fifth"}));
  // 'A' and 126 whole characters: the 254th byte would have been half a character.
  std::string_view cut = result.columns[1].values[1];
  EXPECT_EQ(cut.size(), 253u);
  EXPECT_EQ(std::string(cut), ToCp932(LongValue()).substr(0, 253));
  EXPECT_EQ(ToUtf8(result.columns[3].values[1]), "四");

  EXPECT_TRUE(program->store.Items(DataKind::Sql, kItemLevelTable).empty());
  const ItemList& items = program->store.Items(DataKind::Sql, kItemLevelColumn);
  ASSERT_EQ(items.size(), 3u);
  const char* names[] = {"ID", "NAME", "NOTE"};
  const char* letters[] = {"A", "B", "C"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(UpperAsciiLetters(items[i].name), names[i]);
    EXPECT_EQ(items[i].index, i);
    EXPECT_EQ(items[i].valueKind, kValueKindText);
    EXPECT_EQ(items[i].output, 1);
    EXPECT_EQ(items[i].excelColumn, letters[i]);
    EXPECT_EQ(items[i].excelCell, "");
    EXPECT_EQ(items[i].width, 100);  // short names: the minimum width
  }
  EXPECT_EQ(program->progress.activity, "データ取得");
  EXPECT_EQ(program->progress.total, 2000);
  EXPECT_EQ(program->status.activity_texts, std::vector<std::string>{ToCp932("データ取得")});
  ExpectTidy(*program);
}

TEST_P(FreeSqlTest, ExactlyTheLimitKeepsEveryRowAndOneMoreRowWarnsOnce) {
  struct Case {
    int max_rows;
    size_t kept;
    bool warned;
  };
  for (const Case& c : {Case{5, 5, false}, Case{6, 5, false}, Case{4, 4, true}, Case{1, 1, true}}) {
    auto program = Connected();
    ASSERT_TRUE(Run(*program, kItemsQuery, c.max_rows)) << c.max_rows;
    EXPECT_EQ(Result(*program).columns.size(), c.kept) << c.max_rows;
    std::vector<std::string> messages = program->TakeMessages();
    EXPECT_EQ(messages, c.warned ? std::vector<std::string>{"最大レコード数を超えました。"}
                                 : std::vector<std::string>{})
        << c.max_rows;
    ExpectTidy(*program);
  }
}

TEST_P(FreeSqlTest, MoreThan256ColumnsKeepTheFirst256) {
  std::string sql = "SELECT ID AS C1";
  for (int i = 2; i <= 300; ++i) sql += ", ID + " + std::to_string(i) + " AS C" + std::to_string(i);
  sql += " FROM ITEMS WHERE ID < 3";
  auto program = Connected();
  ASSERT_TRUE(Run(*program, sql, 10)) << program->TakeMessages().at(0);
  EXPECT_EQ(
      program->TakeMessages(),
      std::vector<std::string>{"指定できる項目数は 256 までです。\r\n残りの項目は切り捨てます。"});
  const ItemList& items = program->store.Items(DataKind::Sql, kItemLevelColumn);
  ASSERT_EQ(items.size(), 256u);
  EXPECT_EQ(items.back().name, "C256");
  EXPECT_EQ(items.back().excelColumn, "IV");
  const TTableRec& result = Result(*program);
  ASSERT_EQ(result.columns.size(), 2u);
  EXPECT_EQ(result.columns[1].values.size(), 256u);
  EXPECT_EQ(result.columns[1].values[255], "258");  // 2 + 256
}

TEST_P(FreeSqlTest, AStatementThatFailsLeavesNoResult) {
  auto program = Connected(failing_dsn_);
  ASSERT_TRUE(Run(*program, "SELECT DEPT_ID FROM DEPT", 10));  // an earlier result
  EXPECT_FALSE(Run(*program, kItemsQuery, 10));
  std::vector<std::string> messages = program->TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("E-4711: items refused"), std::string::npos) << messages[0];
  EXPECT_TRUE(program->store.Records(DataKind::Sql).empty());
  ExpectTidy(*program);
}

TEST_P(FreeSqlTest, RowsThatEndWithAnErrorAreAFailureNotAShortResult) {
  auto program = Connected(breaking_dsn_);
  EXPECT_FALSE(Run(*program, kItemsQuery, 10));
  std::vector<std::string> messages = program->TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("lost after 2 rows"), std::string::npos) << messages[0];
  EXPECT_TRUE(program->store.Records(DataKind::Sql).empty());
  ExpectTidy(*program);

  // A result that ends before the break is whole.
  ASSERT_TRUE(Run(*program, kItemsQuery, 1));
  EXPECT_EQ(Result(*program).columns.size(), 1u);
}

TEST_P(FreeSqlTest, ExplainRunsOnRedBrickOnly) {
  auto program = Connected();
  bool ran = Run(*program, "explain SELECT * FROM ITEMS", 100);
  std::vector<std::string> messages = program->TakeMessages();
  if (GetParam().product == Product::RedBrick) {
    ASSERT_TRUE(ran) << messages.at(0);
    EXPECT_FALSE(Result(*program).columns.empty());
  } else {
    EXPECT_FALSE(ran);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(program->store.Records(DataKind::Sql).empty());
  }
}

TEST_P(FreeSqlTest, DeleteDiscardsTheResultButKeepsTheText) {
  auto program = Connected();
  program->store.sqlText = {"SELECT ID", "FROM ITEMS"};
  program->store.sqlMaxRow = "50";
  ASSERT_TRUE(Run(*program, kItemsQuery, 10));
  ClearFreeSqlResult(program->store);
  EXPECT_TRUE(program->store.Records(DataKind::Sql).empty());
  EXPECT_TRUE(program->store.Items(DataKind::Sql, kItemLevelColumn).empty());
  EXPECT_TRUE(program->store.Items(DataKind::Sql, kItemLevelTable).empty());
  EXPECT_EQ(program->store.sqlText, (std::vector<std::string>{"SELECT ID", "FROM ITEMS"}));
  EXPECT_EQ(program->store.sqlMaxRow, "50");
}

TEST_P(FreeSqlTest, WithoutAConnectionNothingRuns) {
  ProgramSide program(GetParam().product);
  program.store.AddRecord(DataKind::Sql);
  EXPECT_FALSE(Run(program, kItemsQuery, 10));
  EXPECT_EQ(program.TakeMessages(), std::vector<std::string>{"内部エラー"});
}

INSTANTIATE_TEST_SUITE_P(Products, FreeSqlTest, testing::ValuesIn(AllProductDatabases()),
                         ProductTestName);

}  // namespace
}  // namespace morvane::db_test
