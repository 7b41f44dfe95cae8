// The ODBC catalogue functions, each read into plain structures of CP932 texts.
#pragma once

#include <sql.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "db/odbc_handles.h"
#include "db/odbc_wide_text.h"

namespace morvane {

struct OdbcTableEntry {
  std::string catalog;
  std::string schema;
  std::string name;
  std::string type;
  std::string remarks;

  // The schema, or the catalog where the driver has no schemas.
  const std::string& owner() const { return schema.empty() ? catalog : schema; }
};

struct OdbcColumnEntry {
  std::string name;
  long dataType = SQL_UNKNOWN_TYPE;  // the ODBC SQL type
  std::string typeName;
  std::optional<long> columnSize;
  std::optional<long> bufferLength;
  std::optional<long> decimalDigits;
  std::optional<long> radix;
  long nullable = SQL_NULLABLE_UNKNOWN;
  std::string remarks;
  std::optional<std::string> defaultValue;
  std::optional<long> octetLength;
  std::optional<long> ordinal;
};

struct OdbcIndexColumn {
  long position = 0;
  std::string name;
  std::string order;  // "A", "D" or empty
};

struct OdbcIndexEntry {
  std::string name;
  bool unique = false;
  long type = SQL_INDEX_OTHER;
  std::vector<OdbcIndexColumn> columns;
};

// A comment the catalogue functions leave out; column empty for the table's own comment.
struct OdbcComment {
  std::string schema;
  std::string table;
  std::string column;
  std::string text;
};

struct OdbcKeyColumn {
  std::string name;
  long position = 0;
};

// One statement handle reused for a run of catalogue calls on one connection.
class OdbcCatalogueCalls {
 public:
  // `comments_query`: the system's query for the comments its driver leaves out of REMARKS
  // (DbmsReader::CommentsQuery); null when REMARKS carry them.
  explicit OdbcCatalogueCalls(SQLHDBC dbc, OdbcTextMode mode = {},
                              const char* comments_query = nullptr);

  // Every table and view of the data source's default catalogue, in the driver's order.
  std::vector<OdbcTableEntry> Tables();
  // The columns of every table of (catalog, schema), handed over per row with their table name,
  // in the driver's order (by table, then ordinal).
  void Columns(const std::string& catalog, const std::string& schema,
               const std::function<void(const std::string& table, OdbcColumnEntry&&)>& on_column);
  // The primary-key columns of a table.
  std::vector<OdbcKeyColumn> PrimaryKey(const OdbcTableEntry& table);
  // The indexes of a table (all, or only unique ones), in the driver's order.
  std::vector<OdbcIndexEntry> Indexes(const OdbcTableEntry& table, bool unique_only);
  // The comments of tables and columns where the driver's REMARKS stay empty although the
  // database keeps comments (read with the comments query); empty without that query.
  std::vector<OdbcComment> MissingComments();
  // The names of the tables a table's foreign keys refer to, once each, in the driver's order.
  std::vector<std::string> ReferencedTables(const OdbcTableEntry& table);

 private:
  void Close();
  // `text` as a search pattern that matches only itself.
  std::string EscapePattern(const std::string& text) const;

  SQLHDBC dbc_;
  const char* comments_query_;
  OdbcTextMode mode_;
  StmtHandle statement_;
  WideColumnReader reader_;
  std::string escape_;
};

}  // namespace morvane
