// Fetch tests through unixODBC and the catalogue emulator: a fixture database built from a DDL
// script, and the program's side of it (a new project, the connection, the session).
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "catalogue_fixture.h"
#include "db/catalogue_fetch.h"
#include "db/db_connection.h"
#include "model/catalogue_store.h"
#include "recorders.h"

namespace morvane::db_test {

using Rows = std::vector<std::vector<std::string>>;

// A database of the emulator with data source `dsn`, account `uid`/`pwd`, built from `script`
// (UTF-8). More data sources on the same database, with fault options, can be added.
class EmulatorDatabase {
 public:
  EmulatorDatabase(const std::string& dsn, const std::string& driver, const std::string& uid,
                   const std::string& pwd, const std::string& script);

  // Adds data source `name` on the same database with the same account plus `keys`, e.g.
  // {"FailPattern", "RBW_RELATIONSHIPS"}.
  void AddDataSource(const std::string& name, const std::map<std::string, std::string>& keys);

  // Runs a UTF-8 script on the fixture's own connection.
  void Script(const std::string& script);

  const std::string& uid() const { return uid_; }
  const std::string& pwd() const { return pwd_; }

 private:
  std::unique_ptr<emulator::test::FixtureDatabase> fixture_;
  std::string dsn_;
  std::string driver_;
  std::string uid_;
  std::string pwd_;
};

// What the main window holds: a new project of one product, the connection, and the ways the
// database code reports.
class ProgramSide {
 public:
  explicit ProgramSide(Product product);

  bool Connect(const std::string& dsn, const std::string& uid, const std::string& pwd);
  // Fetches `data_kind` as the tree does: it becomes the current data kind.
  bool Fetch(DataKind data_kind);
  // The messages shown so far, in UTF-8, and forgets them.
  std::vector<std::string> TakeMessages();

  TCatalogueStore store;
  TDbConnection connection;
  ScriptedPrompt prompt;
  RecordingProgress progress;
  RecordingStatusBar status;
  DbSession session{connection, prompt, progress, status};
};

// A value list in UTF-8.
std::vector<std::string> Utf8(const TValueList& values);
// The column rows of a record in UTF-8.
Rows ColumnRows(const TTableRec& record);
// The names of the records of a data kind, in list order.
std::vector<std::string> RecordNames(const TCatalogueStore& store, DataKind data_kind);
// The first record of a data kind with this name; fails the test when there is none.
const TTableRec& RecordNamed(const TCatalogueStore& store, DataKind data_kind,
                             const std::string& name);

}  // namespace morvane::db_test
