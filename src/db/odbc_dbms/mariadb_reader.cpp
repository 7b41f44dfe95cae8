// MariaDB and MySQL: keys, indexes and foreign keys from information_schema in one statement
// each, in the order the MariaDB connector's catalogue functions give them. A database is an
// owner (the catalogue functions' TABLE_CAT).
#include <map>

#include "db/odbc_dbms/bulk_source.h"
#include "db/odbc_dbms/dbms_reader.h"

namespace morvane {

namespace {

// The system's own databases, whose tables are never read: leaving them out spares the server
// opening every table of them.
#define MORVANE_USER_SCHEMAS \
  "TABLE_SCHEMA NOT IN ('mysql', 'information_schema', 'performance_schema', 'sys') "

constexpr char kPrimaryKeySql[] =
    "SELECT TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME, SEQ_IN_INDEX "
    "FROM INFORMATION_SCHEMA.STATISTICS WHERE INDEX_NAME = 'PRIMARY' AND " MORVANE_USER_SCHEMAS
    "ORDER BY TABLE_SCHEMA, TABLE_NAME, SEQ_IN_INDEX";

constexpr char kIndexSql[] =
    "SELECT TABLE_SCHEMA, TABLE_NAME, INDEX_NAME, IF(NON_UNIQUE = 0, 1, 0), "
    "IF(INDEX_TYPE = 'HASH', 2, 3), SEQ_IN_INDEX, COLUMN_NAME, COLLATION "
    "FROM INFORMATION_SCHEMA.STATISTICS WHERE " MORVANE_USER_SCHEMAS
    "ORDER BY TABLE_SCHEMA, TABLE_NAME, NON_UNIQUE, INDEX_NAME, SEQ_IN_INDEX";

constexpr char kForeignKeySql[] =
    "SELECT TABLE_SCHEMA, TABLE_NAME, REFERENCED_TABLE_NAME "
    "FROM INFORMATION_SCHEMA.KEY_COLUMN_USAGE WHERE REFERENCED_TABLE_NAME IS NOT NULL "
    "AND " MORVANE_USER_SCHEMAS
    "ORDER BY TABLE_SCHEMA, TABLE_NAME, REFERENCED_TABLE_SCHEMA, REFERENCED_TABLE_NAME";

class MariaDbSource : public BulkSource {
 public:
  using BulkSource::BulkSource;

 protected:
  const char* PrimaryKeySql() const override { return kPrimaryKeySql; }
  const char* IndexSql() const override { return kIndexSql; }
  const char* ForeignKeySql() const override { return kForeignKeySql; }
};

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
  std::unique_ptr<OdbcCatalogueSource> Open(SQLHDBC dbc, const OdbcTextMode& mode) const override {
    return std::make_unique<MariaDbSource>(dbc, mode);
  }
};

}  // namespace

const DbmsReader& MariaDbReader() {
  static const MariaDbDbmsReader reader;
  return reader;
}

}  // namespace morvane
