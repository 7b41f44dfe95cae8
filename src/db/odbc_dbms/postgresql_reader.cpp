// PostgreSQL: tables, columns, keys, indexes and foreign keys from pg_catalog in one statement
// each, in the order and with the values psqlODBC's catalogue functions give them.
#include <sqlext.h>

#include <array>
#include <charconv>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/odbc_handles.h"

#include "db/odbc_dbms/bulk_source.h"
#include "db/odbc_dbms/dbms_reader.h"
#include "db/odbc_dbms/postgresql_column_type.h"

namespace morvane {

namespace {

// The relations SQLTables lists, and their table types.
constexpr char kRelationKinds[] = "c.relkind IN ('r', 'v', 'm', 'f', 'p')";

constexpr char kTablesSql[] =
    "SELECT pg_catalog.current_database(), n.nspname, c.relname, "
    "CASE c.relkind WHEN 'v' THEN 'VIEW' WHEN 'm' THEN 'MATVIEW' "
    "WHEN 'f' THEN 'FOREIGN TABLE' ELSE 'TABLE' END, d.description, c.oid::pg_catalog.int8 "
    "FROM pg_catalog.pg_class c "
    "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
    "LEFT JOIN pg_catalog.pg_description d ON d.objoid = c.oid AND d.objsubid = 0 "
    "AND d.classoid = 'pg_catalog.pg_class'::pg_catalog.regclass "
    "WHERE ";

// The numbers of a column come in one text, "table type modifier not-null position" (the driver
// spends a block of memory on every value): the table's oid; the type as SetPostgresColumnType
// takes it (the base type of a domain, any user type as one, and the large-object type "lo",
// which the driver reads as binary, for the functions); its modifier; 1 for NOT NULL; attnum.
constexpr char kColumnsSql[] =
    "SELECT a.attrelid::pg_catalog.int8 || ' ' || "
    "CASE WHEN t.typname = 'lo' OR bt.typname = 'lo' THEN -1 "
    "WHEN t.typtype = 'd' THEN CASE WHEN t.typbasetype < 16384 "
    "THEN t.typbasetype::pg_catalog.int8 ELSE 16384 END "
    "WHEN a.atttypid < 16384 THEN a.atttypid::pg_catalog.int8 ELSE 16384 END || ' ' || "
    "CASE WHEN t.typtype = 'd' THEN t.typtypmod ELSE a.atttypmod END || ' ' || "
    "CASE WHEN a.attnotnull THEN 1 ELSE 0 END || ' ' || a.attnum, "
    "a.attname, t.typname, pg_catalog.pg_get_expr(ad.adbin, ad.adrelid), d.description "
    "FROM pg_catalog.pg_attribute a "
    "JOIN pg_catalog.pg_class c ON c.oid = a.attrelid "
    "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
    "JOIN pg_catalog.pg_type t ON t.oid = a.atttypid "
    "LEFT JOIN pg_catalog.pg_type bt ON bt.oid = t.typbasetype "
    "LEFT JOIN pg_catalog.pg_attrdef ad ON ad.adrelid = a.attrelid AND ad.adnum = a.attnum "
    "LEFT JOIN pg_catalog.pg_description d ON d.objoid = c.oid AND d.objsubid = a.attnum "
    "AND d.classoid = 'pg_catalog.pg_class'::pg_catalog.regclass "
    "WHERE a.attnum > 0 AND NOT a.attisdropped AND ";

// Primary key first, then the other indexes, non-unique before unique, each by name; an
// expression column is named by its expression.
constexpr char kIndexSql[] =
    "SELECT n.nspname, c.relname, ic.relname, CASE WHEN i.indisunique THEN 1 ELSE 0 END, "
    "CASE WHEN i.indisclustered THEN 1 WHEN am.amname = 'hash' THEN 2 ELSE 3 END, k.n, "
    "CASE WHEN k.attnum = 0 "
    "THEN pg_catalog.pg_get_indexdef(i.indexrelid, k.n::integer, false) ELSE a.attname END, "
    "CASE WHEN am.amname <> 'btree' THEN NULL "
    "WHEN (i.indoption[k.n - 1] & 1) = 1 THEN 'D' ELSE 'A' END, "
    "CASE WHEN i.indisprimary THEN 1 ELSE 0 END "
    "FROM pg_catalog.pg_index i "
    "JOIN pg_catalog.pg_class c ON c.oid = i.indrelid "
    "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
    "JOIN pg_catalog.pg_class ic ON ic.oid = i.indexrelid "
    "JOIN pg_catalog.pg_am am ON am.oid = ic.relam "
    "CROSS JOIN LATERAL unnest(i.indkey::pg_catalog.int2[]) WITH ORDINALITY AS k(attnum, n) "
    "LEFT JOIN pg_catalog.pg_attribute a ON a.attrelid = c.oid AND a.attnum = k.attnum "
    "WHERE ";

constexpr char kForeignKeySql[] =
    "SELECT n.nspname, c.relname, rc.relname "
    "FROM pg_catalog.pg_constraint con "
    "JOIN pg_catalog.pg_class c ON c.oid = con.conrelid "
    "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
    "JOIN pg_catalog.pg_class rc ON rc.oid = con.confrelid "
    "JOIN pg_catalog.pg_namespace rn ON rn.oid = rc.relnamespace "
    "WHERE con.contype = 'f' AND ";

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

// psqlODBC's ANSI driver gives a text column's octet length in its client encoding's widest
// character, the Unicode driver in UTF-16: the document takes UTF-16's, two bytes a
// character, whatever the driver.
void TakeUtf16OctetLengths(OdbcColumnLists& columns) {
  for (auto& table : columns) {
    for (OdbcColumnEntry& column : table) {
      if (!IsCharacterType(column.dataType) || !column.columnSize || !column.octetLength ||
          *column.octetLength <= 0) {
        continue;
      }
      column.octetLength = *column.columnSize * 2;
      column.bufferLength = column.octetLength;
    }
  }
}

// The whole numbers of `text`, one space between each; false unless there are as many as
// `numbers` holds.
template <size_t N>
bool ReadNumbers(std::string_view text, std::array<long, N>& numbers) {
  const char* at = text.data();
  const char* end = text.data() + text.size();
  for (size_t i = 0; i < N; ++i) {
    if (i > 0 && (at == end || *at++ != ' ')) return false;
    auto [next, error] = std::from_chars(at, end, numbers[i]);
    if (error != std::errc()) return false;
    at = next;
  }
  return at == end;
}

class PostgresSource : public BulkSource {
 public:
  using BulkSource::BulkSource;

  std::vector<OdbcTableEntry> Tables() override;
  const OdbcColumnLists& Columns(std::vector<OdbcTableEntry>& tables) override;

 protected:
  std::string UserOwnerCondition(const std::string& owner_sql) const override {
    return "pg_catalog.substr(" + owner_sql + ", 1, 3) <> 'pg_' AND " + owner_sql +
           " <> 'information_schema'";
  }
  std::string TextLiteral(const std::string& utf8) const override {
    return "pg_catalog.convert_from(pg_catalog.decode('" + Hex(utf8) + "', 'hex'), 'UTF8')";
  }
  std::string IndexSql() const override {
    return kIndexSql + Owners() +
           " ORDER BY n.nspname, c.relname, i.indisprimary DESC, i.indisunique, ic.relname, k.n";
  }
  std::string ForeignKeySql() const override {
    return kForeignKeySql + Owners() + " ORDER BY n.nspname, c.relname, rn.nspname, rc.relname";
  }

 private:
  std::string Owners() const { return OwnerCondition("n.nspname"); }
  // The oid of every table Tables listed, by Key.
  std::unordered_map<std::string, long> oids_;
  // Reads the columns of every table of `tables`; marks in `by_functions` the tables with a
  // column of a type only the catalogue functions can tell.
  void ReadColumns(const std::vector<OdbcTableEntry>& tables, OdbcColumnLists& columns,
                   std::vector<bool>& by_functions);
  // Reads the columns of the marked tables through the catalogue functions.
  void ReadByFunctions(std::vector<OdbcTableEntry>& tables, OdbcColumnLists& columns,
                       const std::vector<bool>& by_functions);
};

std::vector<OdbcTableEntry> PostgresSource::Tables() {
  std::vector<OdbcTableEntry> tables;
  std::string sql = std::string(kTablesSql) + kRelationKinds + " AND " + Owners() +
                    " ORDER BY n.nspname, c.relname";
  oids_.clear();
  EachRow(sql, "tttttn", [&](Row& row) {
    oids_[Key(row.text[1].value_or(""), row.text[2].value_or(""))] = row.number[5].value_or(0);
    OdbcTableEntry& table = tables.emplace_back();
    table.catalog = row.text[0].value_or("");
    table.schema = row.text[1].value_or("");
    table.name = row.text[2].value_or("");
    table.type = row.text[3].value_or("");
    table.remarks = row.text[4].value_or("");
  });
  return tables;
}

void PostgresSource::ReadColumns(const std::vector<OdbcTableEntry>& tables,
                                 OdbcColumnLists& columns, std::vector<bool>& by_functions) {
  // In no particular order: sorting is the client's, by table and ordinal.
  std::string sql = std::string(kColumnsSql) + kRelationKinds + " AND " + Owners();
  std::unordered_map<long, size_t> positions;
  for (size_t i = 0; i < tables.size(); ++i) {
    auto found = oids_.find(Key(tables[i].owner(), tables[i].name));
    if (found != oids_.end()) positions[found->second] = i;
  }
  ColumnCollector collector(tables.size());
  EachRow(sql, "t", [&](Row& row) {
    std::array<long, 5> numbers{};
    if (!ReadNumbers(row.text[0].value_or(""), numbers)) return;
    auto found = positions.find(numbers[0]);
    if (found == positions.end()) return;
    const size_t position = found->second;
    OdbcColumnEntry& column = collector.Add(position);
    column.name = row.text[1].value_or("");
    column.typeName = row.text[2].value_or("");
    if (!SetPostgresColumnType(numbers[1], numbers[2], column)) by_functions[position] = true;
    column.nullable = numbers[3] != 0 ? SQL_NO_NULLS : SQL_NULLABLE;
    column.defaultValue = std::move(row.text[3]);
    column.remarks = row.text[4].value_or("");
    column.ordinal = numbers[4];
  });
  columns = collector.Finish();
}

void PostgresSource::ReadByFunctions(std::vector<OdbcTableEntry>& tables, OdbcColumnLists& columns,
                                     const std::vector<bool>& by_functions) {
  std::vector<OdbcTableEntry> marked;
  for (size_t i = 0; i < tables.size(); ++i) {
    if (by_functions[i]) marked.push_back(tables[i]);
  }
  if (marked.empty()) return;
  OdbcCallsSource::Columns(marked);
  OdbcColumnLists read = std::move(columns_);
  size_t next = 0;
  for (size_t i = 0; i < tables.size(); ++i) {
    if (by_functions[i]) columns[i] = std::move(read[next++]);
  }
}

const OdbcColumnLists& PostgresSource::Columns(std::vector<OdbcTableEntry>& tables) {
  OdbcColumnLists columns(tables.size());
  std::vector<bool> by_functions(tables.size(), false);
  ReadColumns(tables, columns, by_functions);
  ReadByFunctions(tables, columns, by_functions);
  TakeUtf16OctetLengths(columns);
  columns_ = std::move(columns);
  return columns_;
}

class PostgresDbmsReader : public DbmsReader {
 public:
  bool Serves(std::string_view dbms_name) const override { return dbms_name == "PostgreSQL"; }
  std::string EncodingQuery() const override { return "SHOW client_encoding"; }
  // psqlODBC leaves REMARKS empty; the comments are in PostgreSQL's own catalogue.
  const char* CommentsQuery() const override {
    return "SELECT n.nspname, c.relname, COALESCE(a.attname, ''), d.description "
           "FROM pg_catalog.pg_description d "
           "JOIN pg_catalog.pg_class c ON c.oid = d.objoid "
           "AND d.classoid = 'pg_catalog.pg_class'::pg_catalog.regclass "
           "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
           "LEFT JOIN pg_catalog.pg_attribute a ON a.attrelid = c.oid AND a.attnum = d.objsubid "
           "AND d.objsubid > 0 "
           "WHERE d.objsubid = 0 OR a.attname IS NOT NULL";
  }
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
  std::unique_ptr<OdbcCatalogueSource> Open(
      SQLHDBC dbc, const OdbcTextMode& mode,
      const std::optional<std::vector<std::string>>& schemas) const override {
    return std::make_unique<PostgresSource>(dbc, mode, schemas, CommentsQuery());
  }
};

}  // namespace

const DbmsReader& PostgresReader() {
  static const PostgresDbmsReader reader;
  return reader;
}

}  // namespace morvane
