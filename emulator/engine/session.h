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
  bool oracle7 = false;     // an Oracle database seen through Oracle 7's data dictionary
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
  bool oracle7() const { return oracle7_; }  // Oracle 7's data dictionary

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
  // Prepares a statement of the client's; writes to catalogue tables are refused.
  sqlite3_stmt* PrepareClientStatement(const std::string& sql);
  static int Authorize(void* self, int action, const char* object, const char* detail,
                       const char* database, const char* trigger);

  sqlite3* db_ = nullptr;
  Family family_;
  Family db_family_;
  std::string owner_;
  std::string catalogue_schema_;
  std::string fixed_clock_;
  bool autocommit_ = true;
  bool oracle7_ = false;
  bool guard_catalogue_ = false;  // set while a client's statement is prepared
  std::string refused_object_;    // the catalogue table a refused write named
};

}  // namespace morvane::emulator
