#include "free_sql_fixture.h"

namespace morvane::db_test {

const std::vector<ProductDatabase>& AllProductDatabases() {
  static const std::vector<ProductDatabase> products = {
      {Product::RedBrick, "RedBrick", "Morvane Red Brick", "sales", "sales", "VARCHAR"},
      {Product::Oracle8, "Oracle8", "Morvane Oracle", "scott", "tiger", "VARCHAR2"},
      {Product::Oracle7, "Oracle7", "Morvane Oracle", "scott", "tiger", "VARCHAR2"},
      {Product::Broadbase, "Broadbase", "Morvane Broadbase", "sales", "sales", "VARCHAR"},
  };
  return products;
}

std::string LongValue() {
  std::string text = "A";
  for (int i = 0; i < 150; ++i) text += "あ";
  return text;
}

void ProductDatabaseTest::SetUp() {
  static int databases = 0;
  dsn_ = "FREE_SQL_" + std::to_string(++databases);
  failing_dsn_ = dsn_ + "_FAILING";
  breaking_dsn_ = dsn_ + "_BREAKING";
  const ProductDatabase& p = GetParam();
  const std::string text = p.text_type;
  db_ = std::make_unique<EmulatorDatabase>(
      dsn_, p.driver, p.uid, p.pwd,
      "CREATE TABLE ITEMS (ID INTEGER NOT NULL, NAME " + text + "(400), NOTE " + text +
          "(40));\n"
          "CREATE TABLE DEPT (DEPT_ID INTEGER NOT NULL, DEPT_NAME " +
          text +
          "(30));\n"
          "CREATE TABLE EMP (EMP_ID INTEGER NOT NULL, DEPT_ID INTEGER);\n"
          "INSERT INTO ITEMS VALUES (1, 'one', 'first');\n"
          "INSERT INTO ITEMS VALUES (2, '" +
          LongValue() +
          "', 'long');\n"
          "INSERT INTO ITEMS VALUES (3, 'three', NULL);\n"
          "INSERT INTO ITEMS VALUES (4, '四', 'fourth');\n"
          "INSERT INTO ITEMS VALUES (5, 'five', 'fifth');\n"
          "INSERT INTO DEPT VALUES (10, 'SALES');\n"
          "INSERT INTO DEPT VALUES (20, 'STOCK');\n"
          "INSERT INTO EMP VALUES (1, 10);\n");
  db_->AddDataSource(failing_dsn_,
                     {{"FailPattern", "ITEMS"}, {"FailMessage", "E-4711: items refused"}});
  db_->AddDataSource(breaking_dsn_, {{"FailAfterRows", "2"}, {"FailAfterRowsPattern", "ITEMS"}});
}

std::unique_ptr<ProgramSide> ProductDatabaseTest::Connected(const std::string& dsn) {
  auto program = std::make_unique<ProgramSide>(GetParam().product);
  EXPECT_TRUE(program->Connect(dsn.empty() ? dsn_ : dsn, db_->uid(), db_->pwd()))
      << program->TakeMessages().at(0);
  program->TakeMessages();
  return program;
}

void PrintTo(const ProductDatabase& product, std::ostream* os) { *os << product.name; }

std::string ProductTestName(const testing::TestParamInfo<ProductDatabase>& info) {
  return info.param.name;
}

}  // namespace morvane::db_test
