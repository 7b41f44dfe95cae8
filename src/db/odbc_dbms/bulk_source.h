// A catalogue source that takes keys, indexes and foreign keys of every table in one statement
// each, run when the first table asks for them, and hands them out per table. The tables and
// their columns still come through the catalogue functions, which read a whole schema per call.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "db/odbc_catalogue_source.h"
#include "db/odbc_wide_text.h"

namespace morvane {

class BulkSource : public OdbcCallsSource {
 public:
  BulkSource(SQLHDBC dbc, const OdbcTextMode& mode);

  std::vector<OdbcKeyColumn> PrimaryKey(const OdbcTableEntry& table) override;
  std::vector<OdbcIndexEntry> Indexes(const OdbcTableEntry& table, bool unique_only) override;
  std::vector<std::string> ReferencedTables(const OdbcTableEntry& table) override;

 protected:
  // The statements, each returning rows that start with owner and table name:
  // keys: owner, table, column, key position; in key order.
  virtual const char* PrimaryKeySql() const = 0;
  // indexes: owner, table, index, unique (1/0), type (SQL_INDEX_*), position, column, "A"/"D";
  // in the driver's order of indexes, then by position.
  virtual const char* IndexSql() const = 0;
  // foreign keys: owner, table, referenced table; in the driver's order.
  virtual const char* ForeignKeySql() const = 0;

 private:
  using Rows = std::vector<std::vector<std::string>>;
  static std::string Key(const std::string& owner, const std::string& table);
  // Runs `sql` and groups its rows by their first two values.
  std::map<std::string, Rows> Grouped(const char* sql);
  // `rows`, read with `sql` on first use.
  const std::map<std::string, Rows>& Loaded(std::optional<std::map<std::string, Rows>>& rows,
                                            const char* sql);

  SQLHDBC dbc_;
  OdbcTextMode mode_;
  std::optional<std::map<std::string, Rows>> keys_;
  std::optional<std::map<std::string, Rows>> indexes_;
  std::optional<std::map<std::string, Rows>> references_;
};

}  // namespace morvane
