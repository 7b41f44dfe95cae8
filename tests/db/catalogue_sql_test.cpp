#include "db/catalogue_sql.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "model/data_kind.h"
#include "text/codec.h"

namespace morvane {
namespace {

// The expected statement texts, by heading, converted to CP932.
std::map<std::string, std::string> ExpectedTexts() {
  std::ifstream in(MORVANE_DB_TEST_DATA "/catalogue_statements.txt");
  std::map<std::string, std::string> texts;
  std::string line;
  std::string heading;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("== ", 0) == 0) {
      heading = line.substr(3);
    } else {
      texts[heading] = ToCp932(line);
    }
  }
  return texts;
}

std::string Heading(Product product, DataKind kind, const char* which) {
  return std::to_string(ProductCode(product)) + " " + std::to_string(DataKindCode(kind)) + " " +
         which;
}

TEST(CatalogueSqlTest, EveryStatementIsByteExact) {
  const auto expected = ExpectedTexts();
  ASSERT_EQ(expected.size(), 29u);
  for (Product product :
       {Product::RedBrick, Product::Oracle8, Product::Broadbase, Product::Oracle7}) {
    bool oracle = product == Product::Oracle8 || product == Product::Oracle7;
    for (DataKind kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
      SCOPED_TRACE(Heading(product, kind, ""));
      auto sql = BuildCatalogueSql(product, kind, "SALES");
      ASSERT_TRUE(sql.has_value());
      EXPECT_EQ(sql->count, expected.at(Heading(product, kind, "count")));
      std::string catalogue = expected.at(Heading(product, kind, "catalogue"));
      EXPECT_EQ(sql->catalogue, oracle ? "SELECT 'SALES" + catalogue : catalogue);
      EXPECT_EQ(sql->key_columns, 2);
    }
  }
  const KeyMarkPass& oracle = *CatalogueOf(Product::Oracle8)->keyMarks;
  const KeyMarkPass& broadbase = *CatalogueOf(Product::Broadbase)->keyMarks;
  EXPECT_EQ(oracle.primaryKeySql, expected.at("oracle_primary_key"));
  EXPECT_EQ(oracle.uniqueSql, expected.at("oracle_unique"));
  EXPECT_EQ(broadbase.primaryKeySql, expected.at("broadbase_primary_key"));
  EXPECT_EQ(broadbase.uniqueSql, expected.at("broadbase_unique"));
  EXPECT_EQ(CatalogueOf(Product::RedBrick)->relationshipSql,
            expected.at("red_brick_relationships"));
}

TEST(CatalogueSqlTest, MarksAndTabsAreTheRawBytes) {
  // The NOT NULL mark travels as the two CP932 bytes, never as UTF-8.
  auto red_brick = BuildCatalogueSql(Product::RedBrick, DataKind::Table, "");
  ASSERT_TRUE(red_brick.has_value());
  EXPECT_NE(red_brick->catalogue.find("DECODE(RBW_COLUMNS.NULLS, 'N', '\x81\x9B', NULL)"),
            std::string::npos);
  EXPECT_EQ(red_brick->catalogue.find("\xE2\x97\x8B"), std::string::npos);

  for (Product product : {Product::Oracle8, Product::Oracle7}) {
    auto table_index = BuildCatalogueSql(product, DataKind::TableIndex, "SALES");
    ASSERT_TRUE(table_index.has_value());
    EXPECT_NE(table_index->catalogue.find("USER_IND_COLUMNS WHERE\tUSER_INDEXES.INDEX_NAME"),
              std::string::npos);
    auto tables = BuildCatalogueSql(product, DataKind::Table, "SALES");
    EXPECT_EQ(tables->catalogue.find('\t'), std::string::npos);
  }
}

TEST(CatalogueSqlTest, OracleOwnerIsALiteralWithQuotesDoubled) {
  auto plain = BuildCatalogueSql(Product::Oracle8, DataKind::Table, "SALES");
  EXPECT_EQ(plain->catalogue.rfind("SELECT 'SALES',USER_TAB_COMMENTS.TABLE_NAME,", 0), 0u);

  // A quote in the name must not end the literal and let the rest of the name become SQL.
  auto quoted = BuildCatalogueSql(Product::Oracle7, DataKind::Index, "O'X' OR 1=1 --");
  EXPECT_EQ(quoted->catalogue.rfind("SELECT 'O''X'' OR 1=1 --',USER_INDEXES.INDEX_NAME,", 0), 0u);

  auto empty = BuildCatalogueSql(Product::Oracle8, DataKind::TableIndex, "");
  EXPECT_EQ(empty->catalogue.rfind("SELECT '',TABLES.TABLE_NAME,", 0), 0u);
}

TEST(CatalogueSqlTest, KindsAndProductsWithoutStatementsYieldNothing) {
  for (Product product :
       {Product::RedBrick, Product::Oracle8, Product::Broadbase, Product::Oracle7}) {
    EXPECT_FALSE(BuildCatalogueSql(product, DataKind::None, "A").has_value());
    EXPECT_FALSE(BuildCatalogueSql(product, DataKind::Excel, "A").has_value());
    EXPECT_FALSE(BuildCatalogueSql(product, DataKind::Sql, "A").has_value());
  }
  EXPECT_FALSE(BuildCatalogueSql(Product::None, DataKind::Table, "A").has_value());
  EXPECT_FALSE(BuildCatalogueSql(static_cast<Product>(7), DataKind::Table, "A").has_value());
}

}  // namespace
}  // namespace morvane
