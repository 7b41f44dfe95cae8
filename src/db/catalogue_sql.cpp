#include "db/catalogue_sql.h"

#include "db/catalogue_sql_texts.h"
#include "model/data_kind.h"

namespace morvane {

namespace {

// Single quotes doubled, as inside an SQL string literal.
std::string QuoteLiteralText(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size());
  for (char c : text) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted;
}

}  // namespace

std::optional<CatalogueSql> BuildCatalogueSql(Product product, DataKind data_kind,
                                              std::string_view owner_name) {
  StatementTexts texts;
  switch (product) {
    case Product::RedBrick:
      texts = RedBrickStatements(data_kind);
      break;
    case Product::Oracle8:
      texts = Oracle8Statements(data_kind);
      break;
    case Product::Broadbase:
      texts = BroadbaseStatements(data_kind);
      break;
    case Product::Oracle7:
      texts = Oracle7Statements(data_kind);
      break;
    case Product::Odbc:  // read through the catalogue functions instead
    case Product::None:
      break;
  }
  if (texts.catalogue == nullptr) return std::nullopt;

  CatalogueSql sql;
  sql.count = texts.count;
  if (ProfileOf(product).ownerIsLogin) {
    sql.catalogue = "SELECT '" + QuoteLiteralText(owner_name) + texts.catalogue;
  } else {
    sql.catalogue = texts.catalogue;
  }
  return sql;
}

const char kOraclePrimaryKeySql[] =
    "SELECT USER_CONS_COLUMNS.TABLE_NAME,USER_CONS_COLUMNS.COLUMN_NAME FROM  USER_CONS_COLUMNS,"
    "USER_CONSTRAINTS WHERE USER_CONS_COLUMNS.OWNER = USER_CONSTRAINTS.OWNER  AND  "
    "USER_CONS_COLUMNS.CONSTRAINT_NAME = USER_CONSTRAINTS.CONSTRAINT_NAME  AND  "
    "USER_CONSTRAINTS.CONSTRAINT_TYPE = 'P'";

const char kOracleUniqueSql[] =
    "SELECT USER_IND_COLUMNS.TABLE_NAME,USER_IND_COLUMNS.COLUMN_NAME FROM  USER_IND_COLUMNS,"
    "USER_INDEXES WHERE USER_IND_COLUMNS.INDEX_NAME = USER_INDEXES.INDEX_NAME  AND  "
    "USER_INDEXES.UNIQUENESS = 'UNIQUE'";

const char kBroadbasePrimaryKeySql[] =
    "SELECT BBINDEXCOLUMNS.SCHEMA_NAME,BBINDEXCOLUMNS.TABLE_NAME,BBINDEXCOLUMNS.COLUMN_ID,"
    "BBINDEXCOLUMNS.POSITION FROM  SYSTEM.BBINDEXCOLUMNS() BBINDEXCOLUMNS,SYSTEM.INDEXES WHERE "
    "BBINDEXCOLUMNS.SCHEMA_NAME = SYSTEM.INDEXES.SCHEMA_NAME  AND  BBINDEXCOLUMNS.INDEX_NAME = "
    "SYSTEM.INDEXES.INDEX_NAME  AND  SYSTEM.INDEXES.INDEX_TYPE = 1";

const char kBroadbaseUniqueSql[] =
    "SELECT BBINDEXCOLUMNS.SCHEMA_NAME,BBINDEXCOLUMNS.TABLE_NAME,BBINDEXCOLUMNS.COLUMN_ID FROM  "
    "SYSTEM.BBINDEXCOLUMNS() BBINDEXCOLUMNS,SYSTEM.INDEXES WHERE BBINDEXCOLUMNS.SCHEMA_NAME = "
    "SYSTEM.INDEXES.SCHEMA_NAME  AND  BBINDEXCOLUMNS.INDEX_NAME = SYSTEM.INDEXES.INDEX_NAME  "
    "AND  SYSTEM.INDEXES.INDEX_TYPE = 2";

const char kRedBrickRelationshipSql[] =
    "SELECT DISTINCT FKTABLE, PKTABLE FROM  RBW_RELATIONSHIPS ORDER BY FKTABLE, PKTABLE";

}  // namespace morvane
