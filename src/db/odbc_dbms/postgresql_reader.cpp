// PostgreSQL: keys, indexes and foreign keys from pg_catalog in one statement each, in the
// order psqlODBC's catalogue functions give them.
#include <sqlext.h>

#include <map>

#include "db/odbc_handles.h"

#include "db/odbc_dbms/bulk_source.h"
#include "db/odbc_dbms/dbms_reader.h"

namespace morvane {

namespace {

constexpr char kPrimaryKeySql[] =
    "SELECT n.nspname, c.relname, a.attname, k.n "
    "FROM pg_catalog.pg_index i "
    "JOIN pg_catalog.pg_class c ON c.oid = i.indrelid "
    "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
    "CROSS JOIN LATERAL unnest(i.indkey::pg_catalog.int2[]) WITH ORDINALITY AS k(attnum, n) "
    "JOIN pg_catalog.pg_attribute a ON a.attrelid = c.oid AND a.attnum = k.attnum "
    "WHERE i.indisprimary "
    "ORDER BY n.nspname, c.relname, k.n";

// Primary key first, then the other indexes, non-unique before unique, each by name; an
// expression column is named by its expression.
constexpr char kIndexSql[] =
    "SELECT n.nspname, c.relname, ic.relname, CASE WHEN i.indisunique THEN 1 ELSE 0 END, "
    "CASE WHEN i.indisclustered THEN 1 WHEN am.amname = 'hash' THEN 2 ELSE 3 END, k.n, "
    "CASE WHEN k.attnum = 0 "
    "THEN pg_catalog.pg_get_indexdef(i.indexrelid, k.n::integer, false) ELSE a.attname END, "
    "CASE WHEN am.amname <> 'btree' THEN NULL "
    "WHEN (i.indoption[k.n - 1] & 1) = 1 THEN 'D' ELSE 'A' END "
    "FROM pg_catalog.pg_index i "
    "JOIN pg_catalog.pg_class c ON c.oid = i.indrelid "
    "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
    "JOIN pg_catalog.pg_class ic ON ic.oid = i.indexrelid "
    "JOIN pg_catalog.pg_am am ON am.oid = ic.relam "
    "CROSS JOIN LATERAL unnest(i.indkey::pg_catalog.int2[]) WITH ORDINALITY AS k(attnum, n) "
    "LEFT JOIN pg_catalog.pg_attribute a ON a.attrelid = c.oid AND a.attnum = k.attnum "
    "ORDER BY n.nspname, c.relname, i.indisprimary DESC, i.indisunique, ic.relname, k.n";

constexpr char kForeignKeySql[] =
    "SELECT n.nspname, c.relname, rc.relname "
    "FROM pg_catalog.pg_constraint con "
    "JOIN pg_catalog.pg_class c ON c.oid = con.conrelid "
    "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
    "JOIN pg_catalog.pg_class rc ON rc.oid = con.confrelid "
    "JOIN pg_catalog.pg_namespace rn ON rn.oid = rc.relnamespace "
    "WHERE con.contype = 'f' "
    "ORDER BY n.nspname, c.relname, rn.nspname, rc.relname";

bool IsCharacterType(long type) {
  switch (type) {
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_LONGVARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
    case SQL_WLONGVARCHAR:
      return true;
    default:
      return false;
  }
}

class PostgresSource : public BulkSource {
 public:
  using BulkSource::BulkSource;

  // psqlODBC's ANSI driver gives a text column's octet length in its client encoding's widest
  // character, the Unicode driver in UTF-16: the document takes UTF-16's, two bytes a
  // character, whatever the driver.
  std::vector<std::vector<OdbcColumnEntry>> Columns(std::vector<OdbcTableEntry>& tables) override {
    std::vector<std::vector<OdbcColumnEntry>> columns = BulkSource::Columns(tables);
    for (auto& table : columns) {
      for (OdbcColumnEntry& column : table) {
        if (!IsCharacterType(column.dataType) || !column.columnSize) continue;
        column.octetLength = *column.columnSize * 2;
        column.bufferLength = column.octetLength;
      }
    }
    return columns;
  }

 protected:
  const char* PrimaryKeySql() const override { return kPrimaryKeySql; }
  const char* IndexSql() const override { return kIndexSql; }
  const char* ForeignKeySql() const override { return kForeignKeySql; }
};

class PostgresDbmsReader : public DbmsReader {
 public:
  bool Serves(std::string_view dbms_name) const override { return dbms_name == "PostgreSQL"; }
  std::string EncodingQuery() const override { return "SHOW client_encoding"; }
  std::string IconvEncoding(std::string_view server_name) const override {
    // PostgreSQL's SJIS is Microsoft's code page 932, its EUC_JP the plain EUC-JP.
    static const std::map<std::string_view, std::string> kNames = {
        {"UTF8", "UTF-8"},
        {"SJIS", "CP932"},
        {"EUC_JP", "EUC-JP"},
        {"EUC_JIS_2004", "EUC-JISX0213"},
        {"SHIFT_JIS_2004", "SHIFT_JISX0213"},
        {"LATIN1", "ISO-8859-1"},
        {"WIN1252", "CP1252"},
        {"SQL_ASCII", "UTF-8"}};
    auto found = kNames.find(server_name);
    return found == kNames.end() ? std::string() : found->second;
  }
  std::string UseLosslessText(SQLHDBC dbc, OdbcTextMode& mode) const override {
    if (!mode.narrow || mode.encoding == "UTF-8") return {};
    StmtHandle statement = AllocateStatement(dbc);
    std::string show = EncodingQuery();
    WideColumnReader reader(dbc, mode);
    std::string original;
    if (!statement || !SQL_SUCCEEDED(ExecDirectText(statement.get(), show, mode)) ||
        !FetchRow(dbc, statement.get())) {
      return {};
    }
    original = reader.Text(statement.get(), 1);
    statement.Reset();
    statement = AllocateStatement(dbc);
    if (!statement ||
        !SQL_SUCCEEDED(ExecDirectText(statement.get(), "SET client_encoding TO 'UTF8'", mode))) {
      return {};
    }
    mode.encoding = "UTF-8";
    return "SET client_encoding TO '" + original + "'";
  }
  std::unique_ptr<OdbcCatalogueSource> Open(SQLHDBC dbc, const OdbcTextMode& mode) const override {
    return std::make_unique<PostgresSource>(dbc, mode);
  }
};

}  // namespace

const DbmsReader& PostgresReader() {
  static const PostgresDbmsReader reader;
  return reader;
}

}  // namespace morvane
