// The checks of a free query before it runs, and the count statement of a table.
#include <gtest/gtest.h>

#include <string>

#include "db/free_sql_check.h"
#include "db/row_count.h"
#include "model/data_kind.h"
#include "model/default_items.h"
#include "text/codec.h"

namespace morvane {
namespace {

struct StatementCase {
  Product product;
  const char* text;
  bool accepted;
};

TEST(FreeSqlCheckTest, OnlySelectAndForRedBrickExplainAreAccepted) {
  const StatementCase cases[] = {
      {Product::Oracle8, "SELECT * FROM EMP", true},
      {Product::Oracle8, "  \r\n\t select * from emp", true},
      {Product::Oracle7, "Select\nDEPT_ID FROM DEPT", true},
      {Product::Broadbase, "SELECTED", true},  // only the beginning is looked at
      {Product::Oracle8, "WITH T AS (SELECT 1 FROM DUAL) SELECT * FROM T", false},
      {Product::Oracle8, "explain SELECT * FROM EMP", false},
      {Product::Oracle7, "EXPLAIN SELECT 1", false},
      {Product::Broadbase, "EXPLAIN SELECT 1", false},
      {Product::RedBrick, "explain select * from EMP", true},
      {Product::RedBrick, "\n  EXPLAIN SELECT 1", true},
      {Product::RedBrick, "WITH X AS (SELECT 1) SELECT 1", false},
      {Product::Oracle8, "DELETE FROM EMP", false},
      {Product::Oracle8, "", false},
      {Product::Oracle8, "   ", false},
      {Product::Oracle8, "SELEC", false},
      {Product::Oracle8, "\x82\x72\x82\x64\x82\x6B", false},  // full-width "ＳＥＬ" is no keyword
  };
  for (const StatementCase& c : cases) {
    EXPECT_EQ(IsAcceptedStatement(c.product, c.text), c.accepted)
        << ProductName(c.product) << " " << c.text;
  }
}

TEST(FreeSqlCheckTest, RefusedStatementsGetTheProductsWarning) {
  FreeSqlCheck oracle = CheckFreeSql(Product::Oracle8, "WITH X", "1000");
  EXPECT_EQ(oracle.refusal, FreeSqlRefusal::kStatement);
  EXPECT_EQ(ToUtf8(oracle.message), "SELECT 文のみ指定できます。");
  FreeSqlCheck red_brick = CheckFreeSql(Product::RedBrick, "UPDATE X", "1000");
  EXPECT_EQ(ToUtf8(red_brick.message), "SELECT、EXPLAIN 文のみ指定できます。");
  // The statement is checked first, whatever the limit.
  EXPECT_EQ(CheckFreeSql(Product::Oracle8, "WITH X", "abc").refusal, FreeSqlRefusal::kStatement);
}

struct LimitCase {
  const char* text;
  FreeSqlRefusal refusal;
  int maxRows;
  bool wasWord;
};

TEST(FreeSqlCheckTest, TheRowLimitIsAWholeNumberFromOneTo10000) {
  const LimitCase cases[] = {
      {"1", FreeSqlRefusal::kNone, 1, false},
      {"1000", FreeSqlRefusal::kNone, 1000, false},
      {"10000", FreeSqlRefusal::kNone, 10000, false},
      {"0050", FreeSqlRefusal::kNone, 50, false},
      {"0", FreeSqlRefusal::kRowLimit, 0, false},
      {"10001", FreeSqlRefusal::kRowLimit, 10001, false},
      {"-5", FreeSqlRefusal::kRowLimit, -5, false},
      {"abc", FreeSqlRefusal::kRowLimit, 0, true},
      {"", FreeSqlRefusal::kRowLimit, 0, true},
      {"1.5", FreeSqlRefusal::kRowLimit, 0, true},
      {"99999999999", FreeSqlRefusal::kRowLimit, 0, true},
  };
  for (const LimitCase& c : cases) {
    FreeSqlCheck check = CheckFreeSql(Product::Oracle8, "SELECT 1 FROM DUAL", c.text);
    EXPECT_EQ(check.refusal, c.refusal) << c.text;
    EXPECT_EQ(check.maxRows, c.maxRows) << c.text;
    EXPECT_EQ(check.rowLimitWasWord, c.wasWord) << c.text;
    if (c.refusal == FreeSqlRefusal::kRowLimit) {
      EXPECT_EQ(ToUtf8(check.message), "最大レコード数は 1 ～ 10000 の整数で指定して下さい。");
    } else {
      EXPECT_TRUE(check.message.empty());
    }
  }
}

TTableRec Table(std::string owner, std::string name) {
  TTableRec table;
  table.owner = std::move(owner);
  table.name = std::move(name);
  return table;
}

TEST(RowCountStatementTest, OwnerAndNameAreQuotedIdentifiers) {
  TTableRec plain = Table("SCOTT", "EMP");
  EXPECT_EQ(CountStatement(plain), R"(SELECT COUNT(*) FROM "SCOTT"."EMP")");
  TTableRec no_owner = Table("", "Order Lines");
  EXPECT_EQ(CountStatement(no_owner), R"(SELECT COUNT(*) FROM "Order Lines")");
  TTableRec quote = Table("a\"b", "x\"\"y");
  EXPECT_EQ(CountStatement(quote), R"(SELECT COUNT(*) FROM "a""b"."x""""y")");
  TTableRec japanese = Table("SALES", ToCp932("社員"));
  EXPECT_EQ(CountStatement(japanese), "SELECT COUNT(*) FROM \"SALES\".\"" + ToCp932("社員") + "\"");
}

TEST(RowCountStatementTest, TheCountGoesIntoTheValueOfTheCountItem) {
  for (Product product :
       {Product::RedBrick, Product::Oracle8, Product::Oracle7, Product::Broadbase}) {
    std::optional<size_t> entry = CountValueIndex(product);
    ASSERT_TRUE(entry.has_value()) << ProductName(product);
    std::vector<DefaultItem> items = DefaultItemList(product, DataKind::Table, kItemLevelTable);
    ASSERT_LT(*entry, items.size());
    EXPECT_STREQ(items[*entry].nameUtf8, "COUNT") << ProductName(product);
  }
  EXPECT_FALSE(CountValueIndex(Product::None).has_value());
}

}  // namespace
}  // namespace morvane
