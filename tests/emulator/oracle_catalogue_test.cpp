// The Oracle 8 and Oracle 7 catalogue, count and post-pass statements against a small schema.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue_fixture.h"
#include "catalogue_statements.h"

namespace morvane::emulator::test {
namespace {

constexpr const char* kSchema = R"(
CREATE TABLE DEPT (
  DEPT_ID NUMBER(4) NOT NULL,
  DEPT_NAME VARCHAR2(30) NOT NULL,
  CONSTRAINT PK_DEPT PRIMARY KEY (DEPT_ID)
);
CREATE TABLE EMP (
  EMP_ID NUMBER(10) NOT NULL,
  EMP_CODE CHAR(8) NOT NULL,
  EMP_NAME VARCHAR2(300),
  SALARY NUMBER(10,2) DEFAULT 0,
  RATE NUMBER,
  HIRED DATE,
  DEPT_ID NUMBER(4),
  NOTE LONG,
  CONSTRAINT PK_EMP PRIMARY KEY (EMP_ID),
  CONSTRAINT UQ_EMP_CODE UNIQUE (EMP_CODE),
  CONSTRAINT FK_EMP_DEPT FOREIGN KEY (DEPT_ID) REFERENCES DEPT (DEPT_ID)
);
CREATE INDEX IX_EMP_NAME ON EMP (EMP_NAME, HIRED);
CREATE BITMAP INDEX BX_EMP_DEPT ON EMP (DEPT_ID);
COMMENT ON TABLE EMP IS '社員';
COMMENT ON COLUMN EMP.EMP_NAME IS '氏名';
CREATE VIEW EMP_VIEW AS SELECT EMP_ID, EMP_NAME FROM EMP;
INSERT INTO DEPT VALUES (10, '経理部');
INSERT INTO DEPT VALUES (20, '営業部');
)";

// Per-column values that differ between the columns of the fixture.
struct Col {
  const char* id;
  const char* name;
  const char* type;
  const char* length;
  const char* precision;
  const char* scale;
  const char* length2;
  const char* scale2;
  const char* not_null;
  const char* default_length;
  const char* data_default;
  const char* charset;
  const char* decl_length;
  const char* comment;
};

const Col kDeptColumns[] = {
    {"1", "DEPT_ID", "NUMBER", nullptr, "4", nullptr, "4", nullptr, "○", nullptr, nullptr, nullptr,
     nullptr, nullptr},
    {"2", "DEPT_NAME", "VARCHAR2", "30", nullptr, nullptr, "30", nullptr, "○", nullptr, nullptr,
     "CHAR_CS", "30", nullptr},
};

const Col kEmpColumns[] = {
    {"1", "EMP_ID", "NUMBER", nullptr, "10", nullptr, "10", nullptr, "○", nullptr, nullptr, nullptr,
     nullptr, nullptr},
    {"2", "EMP_CODE", "CHAR", "8", nullptr, nullptr, "8", nullptr, "○", nullptr, nullptr, "CHAR_CS",
     "8", nullptr},
    {"3", "EMP_NAME", "VARCHAR2", "300", nullptr, nullptr, "300", nullptr, nullptr, nullptr,
     nullptr, "CHAR_CS", "300", "氏名"},
    {"4", "SALARY", "NUMBER", nullptr, "10", "2", "10", "2", nullptr, "1", "0", nullptr, nullptr,
     nullptr},
    {"5", "RATE", "NUMBER", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, nullptr, nullptr},
    {"6", "HIRED", "DATE", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, nullptr, nullptr},
    {"7", "DEPT_ID", "NUMBER", nullptr, "4", nullptr, "4", nullptr, nullptr, nullptr, nullptr,
     nullptr, nullptr, nullptr},
    {"8", "NOTE", "LONG", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "CHAR_CS", nullptr, nullptr},
};

ResultRow Oracle8TableLevel(const char* table, const char* comment) {
  return Row({"SCOTT", table,   "TABLE", "0",          "0",          "0",     "0",
              "USERS", nullptr, nullptr, "10",         "40",         "1",     "255",
              "65536", "65536", "1",     "2147483645", "50",         "1",     "1",
              "YES",   "N",     nullptr, nullptr,      nullptr,      nullptr, nullptr,
              nullptr, nullptr, nullptr, "         1", "         1", "    N", "ENABLED",
              nullptr, nullptr, "NO",    nullptr,      "N",          "NO",    "DEFAULT",
              comment});
}

ResultRow Oracle8ColumnLevel(const Col& c) {
  return Row({c.id,           c.name,     c.type,   c.length, c.precision,
              c.scale,        c.length2,  c.scale2, "0",      nullptr,
              nullptr,        c.not_null, nullptr,  nullptr,  c.default_length,
              c.data_default, nullptr,    nullptr,  nullptr,  nullptr,
              nullptr,        nullptr,    nullptr,  nullptr,  c.charset,
              c.decl_length,  c.comment});
}

ResultRow Oracle7TableLevel(const char* table, const char* comment) {
  return Row({"SCOTT",      table,   "TABLE",      "0",     "0",     "0",     "0",
              "USERS",      nullptr, "10",         "40",    "1",     "255",   "65536",
              "65536",      "1",     "2147483645", "50",    "1",     "1",     "N",
              nullptr,      nullptr, nullptr,      nullptr, nullptr, nullptr, "         1",
              "         1", "    N", "ENABLED",    comment});
}

ResultRow Oracle7ColumnLevel(const Col& c) {
  return Row({c.id,     c.name,   c.type,  c.length, c.precision, c.scale,          c.length2,
              c.scale2, "0",      nullptr, nullptr,  c.not_null,  c.default_length, c.data_default,
              nullptr,  nullptr,  nullptr, nullptr,  nullptr,     nullptr,          nullptr,
              nullptr,  c.comment});
}

template <typename TableLevel, typename ColumnLevel>
std::vector<ResultRow> TableRows(TableLevel table_level, ColumnLevel column_level) {
  std::vector<ResultRow> rows;
  for (const Col& c : kDeptColumns)
    rows.push_back(Concat(table_level("DEPT", nullptr), column_level(c)));
  for (const Col& c : kEmpColumns)
    rows.push_back(Concat(table_level("EMP", "社員"), column_level(c)));
  return rows;
}

ResultRow Oracle8IndexLevel(const char* name, const char* type, const char* table,
                            const char* uniqueness) {
  return Row({"SCOTT", name,    type,    "SCOTT", table,    "TABLE",      uniqueness, "INDX",
              "2",     "255",   "65536", "65536", "1",      "2147483645", "50",       nullptr,
              nullptr, "1",     "1",     "10",    "YES",    nullptr,      nullptr,    nullptr,
              nullptr, nullptr, nullptr, "VALID", nullptr,  nullptr,      nullptr,    "1",
              "1",     "NO",    "N",     "N",     "DEFAULT"});
}

ResultRow Oracle7IndexLevel(const char* name, const char* table, const char* uniqueness) {
  return Row({"SCOTT", name,    "NORMAL", "SCOTT", table,        "TABLE", uniqueness, "INDX", "2",
              "255",   "65536", "65536",  "1",     "2147483645", "50",    "1",        "1",    "10",
              nullptr, nullptr, nullptr,  nullptr, nullptr,      nullptr, "VALID"});
}

std::vector<ResultRow> Sorted(std::vector<ResultRow> rows) {
  std::sort(rows.begin(), rows.end());
  return rows;
}

class OracleCatalogueTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    db_ = new FixtureDatabase("ORA_FIXTURE", "Morvane Oracle", "scott", "tiger", kSchema);
  }
  static void TearDownTestSuite() {
    delete db_;
    db_ = nullptr;
  }
  static std::vector<ResultRow> Run(const std::string& sql) { return db_->client->Rows(sql); }
  // Oracle statements are sent after "SELECT '" and the owner, upper-cased by the program.
  static std::vector<ResultRow> RunForOwner(const char* text) {
    return Run(std::string("SELECT 'SCOTT") + text);
  }
  static FixtureDatabase* db_;
};
FixtureDatabase* OracleCatalogueTest::db_ = nullptr;

TEST_F(OracleCatalogueTest, CountStatementsCountTablesViewsAndIndexes) {
  ExpectRows({Row({"3"})}, Run(kOracle8TablesCount));
  ExpectRows({Row({"5"})}, Run(kOracle8IndexesCount));
  ExpectRows({Row({"3"})}, Run(kOracle7TableIndexesCount));
}

TEST_F(OracleCatalogueTest, Oracle8TableInformationListsTablesWithTheirColumns) {
  ExpectRows(TableRows(Oracle8TableLevel, Oracle8ColumnLevel), RunForOwner(kOracle8Tables));
}

TEST_F(OracleCatalogueTest, Oracle7TableInformationListsTablesWithTheirColumns) {
  ExpectRows(TableRows(Oracle7TableLevel, Oracle7ColumnLevel), RunForOwner(kOracle7Tables));
}

TEST_F(OracleCatalogueTest, Oracle8IndexInformationIsOrderedByTypeThenName) {
  ExpectRows(
      {Concat(Oracle8IndexLevel("BX_EMP_DEPT", "BITMAP", "EMP", "NONUNIQUE"),
              Row({"1", "DEPT_ID", "22"})),
       Concat(Oracle8IndexLevel("IX_EMP_NAME", "NORMAL", "EMP", "NONUNIQUE"),
              Row({"1", "EMP_NAME", "300"})),
       Concat(Oracle8IndexLevel("IX_EMP_NAME", "NORMAL", "EMP", "NONUNIQUE"),
              Row({"2", "HIRED", "7"})),
       Concat(Oracle8IndexLevel("PK_DEPT", "NORMAL", "DEPT", "UNIQUE"),
              Row({"1", "DEPT_ID", "22"})),
       Concat(Oracle8IndexLevel("PK_EMP", "NORMAL", "EMP", "UNIQUE"), Row({"1", "EMP_ID", "22"})),
       Concat(Oracle8IndexLevel("UQ_EMP_CODE", "NORMAL", "EMP", "UNIQUE"),
              Row({"1", "EMP_CODE", "8"}))},
      RunForOwner(kOracle8Indexes));
}

TEST_F(OracleCatalogueTest, Oracle7IndexInformationIsOrderedByNameAndAlwaysNormal) {
  ExpectRows(
      {Concat(Oracle7IndexLevel("BX_EMP_DEPT", "EMP", "NONUNIQUE"), Row({"1", "DEPT_ID", "22"})),
       Concat(Oracle7IndexLevel("IX_EMP_NAME", "EMP", "NONUNIQUE"), Row({"1", "EMP_NAME", "300"})),
       Concat(Oracle7IndexLevel("IX_EMP_NAME", "EMP", "NONUNIQUE"), Row({"2", "HIRED", "7"})),
       Concat(Oracle7IndexLevel("PK_DEPT", "DEPT", "UNIQUE"), Row({"1", "DEPT_ID", "22"})),
       Concat(Oracle7IndexLevel("PK_EMP", "EMP", "UNIQUE"), Row({"1", "EMP_ID", "22"})),
       Concat(Oracle7IndexLevel("UQ_EMP_CODE", "EMP", "UNIQUE"), Row({"1", "EMP_CODE", "8"}))},
      RunForOwner(kOracle7Indexes));
}

std::vector<ResultRow> TableIndexRows(bool oracle7) {
  auto r = [&](const char* table, const char* type, const char* column, const char* data_type,
               const char* index, const char* index_type, const char* position) {
    return Row({"SCOTT", table, type, "0", column, data_type, index,
                oracle7 ? "NORMAL" : index_type, position});
  };
  return {r("DEPT", "TABLE", "DEPT_ID", "NUMBER", "PK_DEPT", "NORMAL", "1"),
          r("DEPT", "TABLE", "DEPT_NAME", "VARCHAR2", nullptr, nullptr, nullptr),
          r("EMP", "TABLE", "EMP_ID", "NUMBER", "PK_EMP", "NORMAL", "1"),
          r("EMP", "TABLE", "EMP_CODE", "CHAR", "UQ_EMP_CODE", "NORMAL", "1"),
          r("EMP", "TABLE", "EMP_NAME", "VARCHAR2", "IX_EMP_NAME", "NORMAL", "1"),
          r("EMP", "TABLE", "SALARY", "NUMBER", nullptr, nullptr, nullptr),
          r("EMP", "TABLE", "RATE", "NUMBER", nullptr, nullptr, nullptr),
          r("EMP", "TABLE", "HIRED", "DATE", "IX_EMP_NAME", "NORMAL", "2"),
          r("EMP", "TABLE", "DEPT_ID", "NUMBER", "BX_EMP_DEPT", "BITMAP", "1"),
          r("EMP", "TABLE", "NOTE", "LONG", nullptr, nullptr, nullptr),
          r("EMP_VIEW", "VIEW", "EMP_ID", "NUMBER", nullptr, nullptr, nullptr),
          r("EMP_VIEW", "VIEW", "EMP_NAME", "VARCHAR2", nullptr, nullptr, nullptr)};
}

TEST_F(OracleCatalogueTest, TableIndexInformationKeepsColumnsInNoIndex) {
  ExpectRows(TableIndexRows(false), RunForOwner(kOracle8TableIndexes));
  ExpectRows(TableIndexRows(true), RunForOwner(kOracle7TableIndexes));
}

TEST_F(OracleCatalogueTest, PostPassesListPrimaryKeyAndUniqueColumns) {
  ExpectRows({Row({"DEPT", "DEPT_ID"}), Row({"EMP", "EMP_ID"})}, Sorted(Run(kOraclePrimaryKeys)));
  ExpectRows({Row({"DEPT", "DEPT_ID"}), Row({"EMP", "EMP_CODE"}), Row({"EMP", "EMP_ID"})},
             Sorted(Run(kOracleUniqueColumns)));
}

TEST_F(OracleCatalogueTest, RowCountAndFreeSelectsUseTheDialect) {
  ExpectRows({Row({"2"})}, Run("SELECT COUNT(*) FROM DEPT"));
  ExpectRows({Row({"営業部", "X"})}, Run("SELECT NVL(DEPT_NAME, '-'), DECODE(DEPT_ID, 20, 'X', "
                                         "'Y') FROM DEPT WHERE DEPT_ID = 20"));
  ExpectRows({Row({"2001/04/01 09:30", ".5"})},
             Run("SELECT TO_CHAR(TO_DATE('2001-04-01 09:30:00', 'YYYY-MM-DD HH24:MI:SS'), "
                 "'YYYY/MM/DD HH24:MI'), "
                 "TO_CHAR(0.5) FROM DUAL"));
}

TEST_F(OracleCatalogueTest, SchemaChangesReachTheCatalogue) {
  OdbcClient& c = *db_->client;
  ASSERT_TRUE(c.Script("CREATE TABLE TMP_X (A NUMBER(3) PRIMARY KEY, B VARCHAR2(5) UNIQUE)"));
  ExpectRows({Row({"TMP_X", "A"})}, Run("SELECT TABLE_NAME, COLUMN_NAME FROM USER_CONS_COLUMNS "
                                        "WHERE TABLE_NAME = 'TMP_X' AND POSITION = 1 "
                                        "AND CONSTRAINT_NAME IN (SELECT CONSTRAINT_NAME FROM "
                                        "USER_CONSTRAINTS WHERE CONSTRAINT_TYPE = 'P')"));
  // Unnamed keys get generated SYS_C names, and so do the indexes that enforce them.
  ExpectRows({Row({"2", "2"})},
             Run("SELECT COUNT(*), SUM(CASE WHEN INDEX_NAME LIKE 'SYS_C%' THEN 1 ELSE 0 END) "
                 "FROM USER_INDEXES WHERE TABLE_NAME = 'TMP_X' AND GENERATED = 'Y'"));
  ASSERT_TRUE(c.Script("DROP TABLE TMP_X"));
  ExpectRows({Row({"0"})}, Run("SELECT COUNT(*) FROM USER_TAB_COLUMNS WHERE TABLE_NAME = 'TMP_X'"));
}

}  // namespace
}  // namespace morvane::emulator::test
