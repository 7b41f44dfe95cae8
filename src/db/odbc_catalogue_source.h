// Where the generic product's records come from: the tables of the data source and, per table,
// its columns, primary key, indexes and the tables its foreign keys refer to. The catalogue
// functions give them table by table; a DBMS reader (odbc_dbms/) gives the same in a few bulk
// statements.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "db/odbc_catalogue_calls.h"

namespace morvane {

using OdbcColumnLists = std::vector<std::vector<OdbcColumnEntry>>;

class OdbcCatalogueSource {
 public:
  virtual ~OdbcCatalogueSource() = default;
  // Every table and view, in the order of the driver's table list.
  virtual std::vector<OdbcTableEntry> Tables() = 0;
  // The columns of every table of `tables`, numbered from 1 per table, with the comments the
  // driver leaves out filled in; kept by the source until its next call of Columns.
  virtual const OdbcColumnLists& Columns(std::vector<OdbcTableEntry>& tables) = 0;
  // The primary-key columns of a table, by key position.
  virtual std::vector<OdbcKeyColumn> PrimaryKey(const OdbcTableEntry& table) = 0;
  // The indexes of a table (all, or only the unique ones), in the driver's order.
  virtual std::vector<OdbcIndexEntry> Indexes(const OdbcTableEntry& table, bool unique_only) = 0;
  // The names of the tables a table's foreign keys refer to, once each.
  virtual std::vector<std::string> ReferencedTables(const OdbcTableEntry& table) = 0;
};

// The source through the catalogue functions, one call per table.
class OdbcCallsSource : public OdbcCatalogueSource {
 public:
  // `comments_query` as for OdbcCatalogueCalls.
  OdbcCallsSource(SQLHDBC dbc, const OdbcTextMode& mode, const char* comments_query = nullptr)
      : calls_(dbc, mode, comments_query) {}
  std::vector<OdbcTableEntry> Tables() override { return calls_.Tables(); }
  const OdbcColumnLists& Columns(std::vector<OdbcTableEntry>& tables) override;
  std::vector<OdbcKeyColumn> PrimaryKey(const OdbcTableEntry& table) override {
    return calls_.PrimaryKey(table);
  }
  std::vector<OdbcIndexEntry> Indexes(const OdbcTableEntry& table, bool unique_only) override {
    return calls_.Indexes(table, unique_only);
  }
  std::vector<std::string> ReferencedTables(const OdbcTableEntry& table) override {
    return calls_.ReferencedTables(table);
  }

 protected:
  OdbcCatalogueCalls& calls() { return calls_; }
  // The lists the last call of Columns gave.
  OdbcColumnLists columns_;

 private:
  OdbcCatalogueCalls calls_;
};

}  // namespace morvane
