// What one command that reads several data kinds of a generic ODBC data source in a row (the
// command line's fetch, the refresh of every data kind) reads only once: the tables, their
// columns, keys, indexes and foreign keys. Lives for that command only, so a later fetch sees
// the database as it is then.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "db/odbc_catalogue_source.h"

namespace morvane {

class DbmsReader;

class OdbcReadCache : public OdbcCatalogueSource {
 public:
  // What the first read found of the connection: the DBMS's reader (null for none) and how its
  // text crosses.
  struct ConnectionFacts {
    const DbmsReader* reader = nullptr;
    OdbcTextMode mode;
  };
  // Null before the first read.
  const ConnectionFacts* facts() const { return facts_ ? &*facts_ : nullptr; }
  void KeepFacts(const ConnectionFacts& facts) { facts_ = facts; }

  // Whether a source is kept, and for which choice of reader.
  bool Holds(bool native) const { return inner_ != nullptr && native_ == native; }
  void Keep(std::unique_ptr<OdbcCatalogueSource> inner, bool native);

  std::vector<OdbcTableEntry> Tables() override;
  const OdbcColumnLists& Columns(std::vector<OdbcTableEntry>& tables) override;
  std::vector<OdbcKeyColumn> PrimaryKey(const OdbcTableEntry& table) override;
  std::vector<OdbcIndexEntry> Indexes(const OdbcTableEntry& table, bool unique_only) override;
  std::vector<std::string> ReferencedTables(const OdbcTableEntry& table) override;

 private:
  static std::string Key(const OdbcTableEntry& table);

  std::optional<ConnectionFacts> facts_;
  std::unique_ptr<OdbcCatalogueSource> inner_;
  bool native_ = false;
  std::optional<std::vector<OdbcTableEntry>> tables_;
  // The tables (with the comments Columns filled in) and columns of the last Columns call.
  std::vector<OdbcTableEntry> column_tables_;
  // The inner source's lists, kept by it (only this cache calls it).
  const OdbcColumnLists* columns_ = nullptr;
  std::map<std::string, std::vector<OdbcKeyColumn>> keys_;
  std::map<std::string, std::vector<OdbcIndexEntry>> indexes_[2];
  std::map<std::string, std::vector<std::string>> references_;
};

}  // namespace morvane
