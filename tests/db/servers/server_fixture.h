// Real database servers for tests: PostgreSQL, MariaDB and SQLite, each started in a temporary
// folder of the test process on a Unix socket (no TCP port), reached through their ODBC drivers
// under data sources of the process's own ini files, and stopped again at the end.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "db/odbc_handles.h"
#include "missing_dependency.h"

namespace morvane::server_test {

// The process's temporary folder holding the ini files and every server; created (and
// ODBCSYSINI/ODBCINI pointed at it) by InstallOdbcIni, removed at exit.
const std::string& TestRoot();

// Writes odbcinst.ini (the three drivers, plus the catalogue emulator's drivers when
// `emulator_ini_dir` names its ini folder) and odbc.ini (data sources "MorvanePostgres",
// "MorvanePostgresCursor" (a declared cursor fetching 10 rows at a time),
// "MorvanePostgresAnsiSjis" and "MorvanePostgresAnsiUtf8" (psqlODBC's ANSI driver with client
// encoding SJIS and UTF8), "MorvaneMariaDb" and
// "MorvaneSqlite", plus the emulator's) into TestRoot, and sets ODBCSYSINI and ODBCINI. Call
// before the first ODBC call of the process.
void InstallOdbcIni(const std::string& emulator_ini_dir);

enum class ServerKind { kPostgres, kMariaDb, kSqlite };

// One running server with its schema. Start it with StartServer.
class TestServer {
 public:
  virtual ~TestServer() = default;
  // The data source name of the server.
  virtual std::string Dsn() const = 0;
};

// Why the server cannot run here (its programs or ODBC driver are not installed); nullopt when
// it can.
std::optional<std::string> MissingServerPart(ServerKind kind);

// Starts a fresh server of `kind` in a folder of its own and loads `schema_utf8` (statements
// ending in ";" at the end of a line). Throws std::runtime_error with the server's log when it
// does not start.
std::unique_ptr<TestServer> StartServer(ServerKind kind, const std::string& schema_utf8);

// A connection of the test's own.
class TestConnection {
 public:
  // Connects to `dsn`, failing the test (ADD_FAILURE) with the driver's message when it cannot.
  explicit TestConnection(const std::string& dsn);
  SQLHDBC dbc() const { return dbc_.get(); }
  bool connected() const { return connected_; }
  // Runs every statement of a UTF-8 script; throws std::runtime_error on the first failure.
  void Script(const std::string& script_utf8);
  ~TestConnection();

 private:
  EnvHandle env_;
  DbcHandle dbc_;
  bool connected_ = false;
};

// The whole text of a file.
std::string ReadTextFile(const std::string& path);

}  // namespace morvane::server_test

// Skips the current test when the server cannot run here (fails it under CI).
#define MORVANE_REQUIRE_SERVER(kind)                                      \
  do {                                                                    \
    if (auto missing = ::morvane::server_test::MissingServerPart(kind)) { \
      MORVANE_SKIP_MISSING_DEPENDENCY(*missing);                          \
    }                                                                     \
  } while (false)
