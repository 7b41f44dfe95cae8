// A catalogue source that takes the tables, their columns, keys, indexes and foreign keys of the
// chosen owners in one statement each, run when first asked for, and hands them out per table.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "db/odbc_catalogue_source.h"
#include "db/odbc_wide_text.h"

namespace morvane {

class BulkSource : public OdbcCallsSource {
 public:
  // `schemas`: the owners (CP932) whose tables are read; nullopt for every owner but the
  // system's own. `comments_query` serves the tables read through the catalogue functions.
  BulkSource(SQLHDBC dbc, const OdbcTextMode& mode, std::optional<std::vector<std::string>> schemas,
             const char* comments_query);

  std::vector<OdbcKeyColumn> PrimaryKey(const OdbcTableEntry& table) override;
  std::vector<OdbcIndexEntry> Indexes(const OdbcTableEntry& table, bool unique_only) override;
  std::vector<std::string> ReferencedTables(const OdbcTableEntry& table) override;

 protected:
  // One row of a statement, by column from 0: its text (CP932) or its whole number, as the
  // column was read; NULL stays nullopt.
  struct Row {
    std::vector<std::optional<std::string>> text;
    std::vector<std::optional<long>> number;
  };
  using Rows = std::vector<std::vector<std::string>>;

  // A condition on the owner column `owner_sql` that holds for the chosen owners.
  std::string OwnerCondition(const std::string& owner_sql) const;
  // The condition for every owner but the system's: `owner_sql` is the column.
  virtual std::string UserOwnerCondition(const std::string& owner_sql) const = 0;
  // A UTF-8 text as an SQL expression of the system, free of any quoting.
  virtual std::string TextLiteral(const std::string& utf8) const = 0;

  // Runs `sql` and hands over each row. `kinds` has one letter a column (the last one stands
  // for the columns after it): 't' text in the connection's text mode, 'n' a whole number,
  // 'u' text as UTF-8 bytes of a binary column, 'd' a whole number as decimal digits of a
  // binary column. Bytes spare drivers that convert wide text slowly.
  void EachRow(const std::string& sql, std::string_view kinds,
               const std::function<void(Row&)>& on_row);
  // The kind ('t' or 'u') in which the keys, indexes and foreign keys statements give text.
  virtual char TextKind() const { return 't'; }

  // The statements, each returning rows that start with owner and table name, for the owners
  // chosen (OwnerCondition):
  // indexes: owner, table, index, unique (1/0), type (SQL_INDEX_*), position, column, "A"/"D",
  // primary key (1/0); in the driver's order of indexes, then by position. The primary key is
  // read from these rows.
  virtual std::string IndexSql() const = 0;
  // foreign keys: owner, table, referenced table; in the driver's order.
  virtual std::string ForeignKeySql() const = 0;

  static std::string Key(const std::string& owner, const std::string& table);
  // Bytes as hexadecimal digits, two a byte.
  static std::string Hex(const std::string& bytes);

  // Finds tables by owner and name; fastest for rows that come table by table.
  class TableFinder {
   public:
    explicit TableFinder(const std::vector<OdbcTableEntry>& tables);
    // The table's position in the list; the list's size for a table not in it.
    size_t Find(const std::optional<std::string>& owner, const std::optional<std::string>& name);

   private:
    std::unordered_map<std::string, size_t> positions_;
    std::string last_key_;
    size_t last_;
    size_t none_;
  };

  // Gathers the columns of the tables as they come, in any order, into one list per table in
  // the order of their ordinals, numbered from 1.
  class ColumnCollector {
   public:
    explicit ColumnCollector(size_t tables) : tables_(tables) {}
    // A new column of the table at `position`.
    OdbcColumnEntry& Add(size_t position);
    OdbcColumnLists Finish();

   private:
    size_t tables_;
    // One list for all, to grow without moving what it holds.
    std::deque<std::pair<size_t, OdbcColumnEntry>> all_;
  };

 private:
  // Reads a binary column into `bytes`; false for NULL.
  bool ReadBytes(SQLHSTMT stmt, SQLUSMALLINT column, std::string& bytes);
  // Runs `sql` and groups its rows by their first two values.
  std::map<std::string, Rows> Grouped(const std::string& sql);
  // `rows`, read with `sql` on first use.
  const std::map<std::string, Rows>& Loaded(std::optional<std::map<std::string, Rows>>& rows,
                                            const std::string& sql);

  SQLHDBC dbc_;
  OdbcTextMode mode_;
  std::optional<std::vector<std::string>> schemas_;
  std::optional<std::map<std::string, Rows>> indexes_;
  std::optional<std::map<std::string, Rows>> references_;
};

}  // namespace morvane
