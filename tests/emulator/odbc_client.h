// Test helpers that talk to the emulator only through the unixODBC driver manager, the way
// the program does: ODBC 2 handle calls, statements in CP932, every result column bound as
// SQL_C_CHAR into a 255-byte buffer.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace morvane::emulator::test {

using Value = std::optional<std::string>;  // nullopt is SQL NULL
using ResultRow = std::vector<Value>;

struct QueryResult {
  SQLRETURN exec_rc = SQL_ERROR;
  SQLRETURN end_rc = SQL_NO_DATA;   // what the fetch that ended the rows returned
  std::vector<std::string> names;   // UTF-8
  std::vector<ResultRow> rows;      // UTF-8 text (NULL stays nullopt)
  std::vector<ResultRow> raw_rows;  // the same as the client received them, CP932
  std::vector<SQLLEN> last_indicators;
  std::string error;  // first diagnostic (UTF-8) when something failed
  std::string sqlstate;
  std::vector<std::string> fetch_sqlstates;  // SQLSTATEs reported by SQL_SUCCESS_WITH_INFO fetches
};

std::string ToCp932(const std::string& utf8);
std::string ToUtf8(const std::string& cp932);

// A data-source file of its own for a test: writes odbc.ini into a temporary folder and points
// ODBCINI at it while the object lives (ODBCSYSINI keeps naming the build tree's drivers).
class TempDataSources {
 public:
  TempDataSources();
  ~TempDataSources();
  TempDataSources(const TempDataSources&) = delete;
  TempDataSources& operator=(const TempDataSources&) = delete;

  const std::string& dir() const { return dir_; }
  // Adds a data source; `keys` are ini entries such as {"Driver","Morvane Oracle"}.
  void Add(const std::string& name, const std::map<std::string, std::string>& keys);

 private:
  void Write() const;
  std::string dir_;
  std::string previous_odbcini_;
  bool had_odbcini_ = false;
  std::vector<std::pair<std::string, std::map<std::string, std::string>>> sources_;
};

class OdbcClient {
 public:
  OdbcClient();
  ~OdbcClient();
  OdbcClient(const OdbcClient&) = delete;
  OdbcClient& operator=(const OdbcClient&) = delete;

  // SQLConnect; an empty user or password is passed as a null pointer.
  SQLRETURN Connect(const std::string& dsn, const std::string& user, const std::string& password);
  SQLRETURN DriverConnect(const std::string& connection_string);
  // First diagnostic of the connection, read (and so consumed) with SQLError as the program
  // does: "SQLSTATE message" with the message in UTF-8.
  std::string ConnectionError();

  // Runs a statement given in UTF-8 (sent in CP932) and reads all of its rows.
  QueryResult Query(const std::string& utf8_sql, SQLLEN buffer_length = 255);
  // Runs a statement that must succeed; returns its rows.
  std::vector<ResultRow> Rows(const std::string& utf8_sql);
  // Runs a UTF-8 script; false (and the reason in error) when a statement failed.
  bool Script(const std::string& utf8_script, std::string* error = nullptr);

  SQLHENV env() const { return env_; }
  SQLHDBC dbc() const { return dbc_; }

 private:
  SQLHENV env_ = SQL_NULL_HENV;
  SQLHDBC dbc_ = SQL_NULL_HDBC;
  bool connected_ = false;
};

}  // namespace morvane::emulator::test
