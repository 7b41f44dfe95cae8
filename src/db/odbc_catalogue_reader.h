// Reading the catalogue of any ODBC data source through the driver's catalogue functions
// (SQLTables, SQLColumns, SQLPrimaryKeys, SQLStatistics, SQLForeignKeys) into records of the
// generic ODBC product, whose value positions are in model/odbc_default_items.h.
//
// Text is read through the wide functions and converted to CP932; a character CP932 lacks
// becomes "?".
#pragma once

#include <sql.h>

#include <optional>
#include <stdexcept>

#include <string>
#include <string_view>
#include <vector>

#include "db/odbc_wide_text.h"
#include "model/data_kind.h"
#include "model/progress.h"
#include "model/records.h"

namespace morvane {

class OdbcReadCache;

struct OdbcCatalogue {
  // One record per table or view (table and table-index information) or per index (index
  // information), in the order of the driver's table list.
  std::vector<TTableRec> records;
  // Table information: per table with foreign keys, the tables they refer to.
  std::vector<TRelationRec> relations;
  // Table-index information: the largest index count of any table; every column row of every
  // record is already padded to this many index entries.
  int largestIndexCount = 0;
  // Whether the DBMS's own reader gave the records, rather than the catalogue functions.
  bool native = false;
};

// A read the user stopped through the progress display.
class OdbcCancelled : public std::runtime_error {
 public:
  OdbcCancelled() : std::runtime_error("cancelled") {}
};

struct OdbcReadOptions {
  // Through the DBMS's own reader where there is one (odbc_dbms/), else through the catalogue
  // functions.
  bool native = true;
  // The owners (CP932) whose tables are read; nullopt for every owner.
  std::optional<std::vector<std::string>> schemas;
  // Where a command reading several data kinds keeps what it read once (not owned); null to
  // read everything afresh.
  OdbcReadCache* cache = nullptr;
};

// Reads data kind `data_kind` (2 table, 3 index, 4 table-index information) of the data source
// connected on `dbc`. Tables of the system's own schemas are left out (see IsSystemTable), and
// so are those of owners not chosen in `options`. Progress: "データ取得" with one step per
// table. Text crosses the connection as DetectTextMode decides.
//
// Throws OdbcFailure with the driver's first diagnostic when any call fails, including a fetch
// that breaks off mid-way: a read never ends in a partial success. Throws OdbcCancelled when
// the progress display reports that the user has cancelled.
OdbcCatalogue ReadOdbcCatalogue(SQLHDBC dbc, DataKind data_kind, IProgress& progress,
                                const OdbcReadOptions& options = {});

// Whether a table belongs to the database system itself rather than to its users: schemas
// "information_schema", "pg_catalog" and every other "pg_" schema, "mysql",
// "performance_schema", "sys" (ASCII case ignored), and tables whose names start "sqlite_".
bool IsSystemTable(std::string_view owner, std::string_view name);

// The row-count statement of a table: SELECT COUNT(*) FROM owner.name, each part quoted with
// `quote` (a quote inside a name doubled) and the owner left out when empty. `quote` is the
// data source's identifier quote (IdentifierQuote); with none, names go unquoted.
std::string OdbcCountSql(std::string_view quote, std::string_view owner, std::string_view name);

// The data source's identifier quote character (SQL_IDENTIFIER_QUOTE_CHAR); empty when the
// driver has none.
std::string IdentifierQuote(SQLHDBC dbc);

// Runs a CP932 statement through the wide interface and returns the first column of its first
// row as CP932 text (empty for NULL or no row). Throws OdbcFailure on failure.
std::string OdbcQueryValue(SQLHDBC dbc, std::string_view sql_cp932);

}  // namespace morvane
