// The text rules of the ODBC catalogue reader: row-count statements, the system tables it
// leaves out and the value positions of its default items.
#include <gtest/gtest.h>

#include <string>

#include "db/odbc_catalogue_reader.h"
#include "model/data_kind.h"
#include "model/odbc_default_items.h"
#include "text/codec.h"

namespace morvane {
namespace {

TEST(OdbcCountSqlTest, QuotesOwnerAndNameAndDoublesQuotesInside) {
  struct Case {
    std::string quote, owner, name, expected;
  };
  const Case cases[] = {
      {"\"", "public", "customer", "SELECT COUNT(*) FROM \"public\".\"customer\""},
      {"\"", "public", "odd \"name", "SELECT COUNT(*) FROM \"public\".\"odd \"\"name\""},
      {"`", "db", "a`b", "SELECT COUNT(*) FROM `db`.`a``b`"},
      {"\"", "", "t", "SELECT COUNT(*) FROM \"t\""},
      {"", "s", "t", "SELECT COUNT(*) FROM s.t"},
      // "～" is 0x81 0x60: its second byte is a backquote that must not be doubled.
      {"`", "db", ToCp932("～表"), "SELECT COUNT(*) FROM `db`.`" + ToCp932("～表") + "`"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OdbcCountSql(c.quote, c.owner, c.name), c.expected) << c.expected;
  }
}

TEST(OdbcSystemTableTest, LeavesOutTheSystemsOwnSchemasAndTables) {
  struct Case {
    const char* owner;
    const char* name;
    bool system;
  };
  const Case cases[] = {
      {"pg_catalog", "pg_class", true},
      {"information_schema", "tables", true},
      {"INFORMATION_SCHEMA", "TABLES", true},
      {"pg_toast", "pg_toast_1", true},
      {"mysql", "user", true},
      {"performance_schema", "threads", true},
      {"sys", "objects", true},
      {"", "sqlite_sequence", true},
      {"public", "customer", false},
      {"sales", "pg_like_name", false},
      {"system", "t", false},
      {"", "customer", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsSystemTable(c.owner, c.name), c.system) << c.owner << "." << c.name;
  }
}

// The diagram, the import and the key marks find columns where the Excel file's list has them.
TEST(OdbcDefaultItemsTest, ColumnPositionsFollowTheExcelFilesList) {
  std::vector<DefaultItem> odbc = DefaultItemList(Product::Odbc, DataKind::Table, kItemLevelColumn);
  std::vector<DefaultItem> excel =
      DefaultItemList(Product::None, DataKind::Excel, kItemLevelColumn);
  ASSERT_EQ(odbc.size(), odbc_column::kValueCount);
  for (size_t i = 0; i <= odbc_column::kPrimaryKey; ++i) {
    EXPECT_STREQ(odbc[i].nameUtf8, excel[i].nameUtf8) << i;
  }
  std::vector<DefaultItem> table = DefaultItemList(Product::Odbc, DataKind::Table, kItemLevelTable);
  ASSERT_EQ(table.size(), odbc_table::kValueCount);
  EXPECT_STREQ(table[odbc_table::kCount].nameUtf8, "COUNT");
  EXPECT_EQ(DefaultItemList(Product::Odbc, DataKind::Index, kItemLevelTable).size(),
            odbc_index::kValueCount);
  EXPECT_EQ(DefaultItemList(Product::Odbc, DataKind::Index, kItemLevelColumn).size(),
            odbc_index_column::kValueCount);
}

}  // namespace
}  // namespace morvane
