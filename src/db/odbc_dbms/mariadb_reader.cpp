// MariaDB and MySQL: tables, columns, keys, indexes and foreign keys from information_schema in
// one statement each, in the order and with the values the MariaDB connector's catalogue
// functions give them. A database is an
// owner (the catalogue functions' TABLE_CAT).
#include <sqlext.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "db/odbc_dbms/bulk_source.h"
#include "db/odbc_dbms/dbms_reader.h"
#include "db/odbc_dbms/mariadb_column_type.h"

namespace morvane {

namespace {

// Every value is sent as the bytes of a binary string: the connector converts wide text slowly
// (an iconv_open a value), and the bytes of information_schema's text are UTF-8 whatever the
// connection's character set.
constexpr char kTablesSql[] =
    "SELECT CAST(TABLE_SCHEMA AS BINARY), CAST(TABLE_NAME AS BINARY), "
    "CAST(IF(TABLE_TYPE = 'BASE TABLE' OR TABLE_TYPE = 'SYSTEM VERSIONED', 'TABLE', TABLE_TYPE) "
    "AS BINARY), CAST(TABLE_COMMENT AS BINARY) FROM INFORMATION_SCHEMA.TABLES "
    "WHERE TABLE_TYPE IN ('', 'BASE TABLE', 'SYSTEM VERSIONED', 'VIEW') AND ";

// The type name is the column type without its parenthesised part, in capitals.
constexpr char kColumnsSql[] =
    "SELECT CAST(TABLE_SCHEMA AS BINARY), CAST(TABLE_NAME AS BINARY), "
    "CAST(COLUMN_NAME AS BINARY), CAST(DATA_TYPE AS BINARY), "
    "CAST(UCASE(IF(COLUMN_TYPE LIKE '%(%)%', CONCAT(SUBSTRING(COLUMN_TYPE, 1, "
    "LOCATE('(', COLUMN_TYPE) - 1), SUBSTRING(COLUMN_TYPE, 1 + LOCATE(')', COLUMN_TYPE))), "
    "COLUMN_TYPE)) AS BINARY), CAST(IF(COLUMN_TYPE LIKE '%unsigned', 1, 0) AS BINARY), "
    "CAST(NUMERIC_PRECISION AS BINARY), CAST(NUMERIC_SCALE AS BINARY), "
    "CAST(CHARACTER_MAXIMUM_LENGTH AS BINARY), CAST(CHARACTER_OCTET_LENGTH AS BINARY), "
    "CAST(IF(DATA_TYPE = 'timestamp' OR IS_NULLABLE = 'YES' OR EXTRA = 'auto_increment', 1, 0) "
    "AS BINARY), CAST(COLUMN_COMMENT AS BINARY), CAST(COLUMN_DEFAULT AS BINARY), "
    "CAST(ORDINAL_POSITION AS BINARY) FROM INFORMATION_SCHEMA.COLUMNS WHERE ";

constexpr char kIndexSql[] =
    "SELECT CAST(TABLE_SCHEMA AS BINARY), CAST(TABLE_NAME AS BINARY), "
    "CAST(INDEX_NAME AS BINARY), CAST(IF(NON_UNIQUE = 0, 1, 0) AS BINARY), "
    "CAST(IF(INDEX_TYPE = 'HASH', 2, 3) AS BINARY), CAST(SEQ_IN_INDEX AS BINARY), "
    "CAST(COLUMN_NAME AS BINARY), CAST(COLLATION AS BINARY), "
    "CAST(IF(INDEX_NAME = 'PRIMARY', 1, 0) AS BINARY) "
    "FROM INFORMATION_SCHEMA.STATISTICS WHERE ";

constexpr char kForeignKeySql[] =
    "SELECT CAST(TABLE_SCHEMA AS BINARY), CAST(TABLE_NAME AS BINARY), "
    "CAST(REFERENCED_TABLE_NAME AS BINARY) "
    "FROM INFORMATION_SCHEMA.KEY_COLUMN_USAGE WHERE REFERENCED_TABLE_NAME IS NOT NULL AND ";

class MariaDbSource : public BulkSource {
 public:
  using BulkSource::BulkSource;

  std::vector<OdbcTableEntry> Tables() override;
  const OdbcColumnLists& Columns(std::vector<OdbcTableEntry>& tables) override;

 protected:
  // The system's own databases, whose tables are never read: leaving them out spares the
  // server opening every table of them.
  std::string UserOwnerCondition(const std::string& owner_sql) const override {
    return owner_sql + " NOT IN ('mysql', 'information_schema', 'performance_schema', 'sys')";
  }
  // Compared byte for byte, as database names are.
  std::string TextLiteral(const std::string& utf8) const override {
    return "BINARY CONVERT(X'" + Hex(utf8) + "' USING utf8mb4)";
  }
  char TextKind() const override { return 'u'; }
  std::string IndexSql() const override {
    return kIndexSql + Owners() +
           " ORDER BY TABLE_SCHEMA, TABLE_NAME, NON_UNIQUE, INDEX_NAME, SEQ_IN_INDEX";
  }
  std::string ForeignKeySql() const override {
    return kForeignKeySql + Owners() +
           " ORDER BY TABLE_SCHEMA, TABLE_NAME, REFERENCED_TABLE_SCHEMA, REFERENCED_TABLE_NAME";
  }

 private:
  std::string Owners() const { return OwnerCondition("TABLE_SCHEMA"); }
};

std::vector<OdbcTableEntry> MariaDbSource::Tables() {
  std::vector<OdbcTableEntry> tables;
  std::string sql = kTablesSql + Owners() + " ORDER BY TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE";
  EachRow(sql, "u", [&](Row& row) {
    OdbcTableEntry& table = tables.emplace_back();
    table.catalog = row.text[0].value_or("");
    table.name = row.text[1].value_or("");
    table.type = row.text[2].value_or("");
    table.remarks = row.text[3].value_or("");
  });
  return tables;
}

const OdbcColumnLists& MariaDbSource::Columns(std::vector<OdbcTableEntry>& tables) {
  // In no particular order: sorting is the client's, by table and ordinal.
  TableFinder finder(tables);
  ColumnCollector collector(tables.size());
  EachRow(kColumnsSql + Owners(), "uuuuudddddduud", [&](Row& row) {
    const size_t position = finder.Find(row.text[0], row.text[1]);
    if (position == tables.size()) return;
    OdbcColumnEntry& column = collector.Add(position);
    column.name = row.text[2].value_or("");
    MariaDbColumnType type{row.text[3].value_or(""),
                           row.number[5] == 1,
                           row.number[6],
                           row.number[7],
                           row.number[8],
                           row.number[9]};
    column.typeName = row.text[4].value_or("");
    SetMariaDbColumnType(type, column);
    column.nullable = row.number[10] == 1 ? SQL_NULLABLE : SQL_NO_NULLS;
    column.remarks = row.text[11].value_or("");
    column.defaultValue = std::move(row.text[12]);
    column.ordinal = row.number[13];
  });
  columns_ = collector.Finish();
  return columns_;
}

class MariaDbDbmsReader : public DbmsReader {
 public:
  bool Serves(std::string_view dbms_name) const override {
    return dbms_name == "MariaDB" || dbms_name == "MySQL";
  }
  std::string EncodingQuery() const override { return "SELECT @@character_set_results"; }
  std::string IconvEncoding(std::string_view server_name) const override {
    static const std::map<std::string_view, std::string> kNames = {
        {"utf8mb4", "UTF-8"},     {"utf8mb3", "UTF-8"},  {"utf8", "UTF-8"},
        {"cp932", "CP932"},       {"sjis", "SHIFT_JIS"}, {"ujis", "EUC-JP"},
        {"eucjpms", "EUC-JP-MS"}, {"latin1", "CP1252"},  {"ascii", "ASCII"}};
    auto found = kNames.find(server_name);
    return found == kNames.end() ? std::string() : found->second;
  }
  std::unique_ptr<OdbcCatalogueSource> Open(
      SQLHDBC dbc, const OdbcTextMode& mode,
      const std::optional<std::vector<std::string>>& schemas) const override {
    return std::make_unique<MariaDbSource>(dbc, mode, schemas, CommentsQuery());
  }
};

}  // namespace

const DbmsReader& MariaDbReader() {
  static const MariaDbDbmsReader reader;
  return reader;
}

}  // namespace morvane
