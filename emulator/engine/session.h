// One connection's view of an emulated database: the SQLite file with the user's tables, the
// attached catalogue, the dialect functions, and the statement dispatch (DDL, queries, DML,
// transactions, Red Brick EXPLAIN).
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>

#include "engine/cursor.h"
#include "engine/family.h"
#include "engine/schema_model.h"

namespace morvane::emulator {

struct SessionOptions {
  std::string database;  // path of the SQLite file
  Family family = Family::kOracle;
  std::string owner;        // schema owner stamped on a new database
  bool create = false;      // create the database when the file is missing
  std::string fixed_clock;  // creation time stamped on new objects instead of the clock
};

class Session {
 public:
  explicit Session(const SessionOptions& options);  // throws SqlError
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Family family() const { return family_; }              // the dialect spoken
  Family database_family() const { return db_family_; }  // the catalogue kept
  const std::string& owner() const { return owner_; }

  struct Outcome {
    std::unique_ptr<Cursor> cursor;  // set for statements that return rows
    int64_t rows_affected = -1;
  };
  // Runs one statement written in UTF-8 in the family's dialect.
  Outcome Execute(const std::string& sql);

  void SetAutocommit(bool on);
  void Commit();
  void Rollback();

  SchemaModel Schema();

 private:
  Outcome ExecuteDdl(const std::string& sql);
  Outcome ExecuteQuery(const std::string& sql);
  Outcome ExecuteExplain(const std::string& statement);
  Outcome ExecuteChange(const std::string& sql);
  void EnsureCatalogue();
  void BeginIfManual();
  std::string Now() const;

  sqlite3* db_ = nullptr;
  Family family_;
  Family db_family_;
  std::string owner_;
  std::string catalogue_schema_;
  std::string fixed_clock_;
  bool autocommit_ = true;
};

}  // namespace morvane::emulator
