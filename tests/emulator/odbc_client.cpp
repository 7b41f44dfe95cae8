#include "odbc_client.h"

#include <odbcinst.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "text/codec.h"
#include "tools/sql_script.h"

namespace morvane::emulator::test {

std::string ToCp932(const std::string& utf8) { return morvane::ToCp932(utf8); }
std::string ToUtf8(const std::string& cp932) {
  CodecResult r = Cp932ToUtf8(cp932);
  return r.ok ? r.text : "(invalid CP932: " + r.error + ")";
}

TempDataSources::TempDataSources() {
  char pattern[] = "/tmp/morvane-emulator-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  dir_ = pattern;
  if (const char* old = getenv("ODBCINI")) {
    had_odbcini_ = true;
    previous_odbcini_ = old;
  }
  Write();
  setenv("ODBCINI", (dir_ + "/odbc.ini").c_str(), 1);
}

TempDataSources::~TempDataSources() {
  if (had_odbcini_) {
    setenv("ODBCINI", previous_odbcini_.c_str(), 1);
  } else {
    unsetenv("ODBCINI");
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

void TempDataSources::Add(const std::string& name, const std::map<std::string, std::string>& keys) {
  sources_.push_back({name, keys});
  Write();
}

void TempDataSources::Write() const {
  {
    std::ofstream out(dir_ + "/odbc.ini", std::ios::trunc);
    for (const auto& [name, keys] : sources_) {
      out << "[" << name << "]\n";
      for (const auto& [key, value] : keys) out << key << " = " << value << "\n";
      out << "\n";
    }
  }
  // The driver manager caches entries by data-source name, not by file, for a while: a test
  // that reuses a name would read the previous test's entries. Writing through the installer
  // (deleting an entry that is not there) empties that cache.
  SQLWritePrivateProfileString("ODBC", "MorvaneNoSuchEntry", nullptr, (dir_ + "/odbc.ini").c_str());
}

OdbcClient::OdbcClient() {
  SQLAllocEnv(&env_);
  SQLAllocConnect(env_, &dbc_);
}

OdbcClient::~OdbcClient() {
  if (connected_) SQLDisconnect(dbc_);
  SQLFreeConnect(dbc_);
  SQLFreeEnv(env_);
}

SQLRETURN OdbcClient::Connect(const std::string& dsn, const std::string& user,
                              const std::string& password) {
  std::string u = ToCp932(user);
  std::string p = ToCp932(password);
  SQLRETURN rc = SQLConnect(
      dbc_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(dsn.c_str())), SQL_NTS,
      u.empty() ? nullptr : reinterpret_cast<SQLCHAR*>(u.data()), u.empty() ? 0 : SQL_NTS,
      p.empty() ? nullptr : reinterpret_cast<SQLCHAR*>(p.data()), p.empty() ? 0 : SQL_NTS);
  connected_ = SQL_SUCCEEDED(rc);
  return rc;
}

SQLRETURN OdbcClient::DriverConnect(const std::string& connection_string) {
  std::string text = connection_string;
  SQLCHAR out[1024];
  SQLSMALLINT out_length = 0;
  SQLRETURN rc = SQLDriverConnect(dbc_, nullptr, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS,
                                  out, sizeof out, &out_length, SQL_DRIVER_NOPROMPT);
  connected_ = SQL_SUCCEEDED(rc);
  return rc;
}

namespace {

struct Diagnostic {
  std::string sqlstate;
  std::string message;
};

Diagnostic ReadError(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt) {
  SQLCHAR state[6] = {0};
  SQLCHAR message[256] = {0};
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  if (SQLError(env, dbc, stmt, state, &native, message, sizeof message - 1, &length) == SQL_NO_DATA)
    return {};
  return {reinterpret_cast<char*>(state), ToUtf8(reinterpret_cast<char*>(message))};
}

}  // namespace

std::string OdbcClient::ConnectionError() {
  Diagnostic d = ReadError(env_, dbc_, SQL_NULL_HSTMT);
  return d.sqlstate + " " + d.message;
}

QueryResult OdbcClient::Query(const std::string& utf8_sql, SQLLEN buffer_length) {
  QueryResult result;
  std::string sql = ToCp932(utf8_sql);
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  SQLAllocStmt(dbc_, &stmt);
  result.exec_rc = SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS);
  if (result.exec_rc != SQL_SUCCESS) {
    Diagnostic d = ReadError(env_, dbc_, stmt);
    result.error = d.message;
    result.sqlstate = d.sqlstate;
  }
  if (!SQL_SUCCEEDED(result.exec_rc)) {
    SQLFreeStmt(stmt, SQL_DROP);
    return result;
  }
  SQLSMALLINT count = 0;
  SQLNumResultCols(stmt, &count);
  std::vector<std::vector<char>> buffers(static_cast<size_t>(count),
                                         std::vector<char>(static_cast<size_t>(buffer_length)));
  result.last_indicators.assign(static_cast<size_t>(count), 0);
  for (SQLSMALLINT i = 0; i < count; ++i) {
    SQLCHAR name[256];
    SQLSMALLINT name_length = 0, type = 0, decimals = 0, nullable = 0;
    SQLULEN size = 0;
    SQLDescribeCol(stmt, static_cast<SQLUSMALLINT>(i + 1), name, sizeof name, &name_length, &type,
                   &size, &decimals, &nullable);
    result.names.push_back(ToUtf8(reinterpret_cast<char*>(name)));
    SQLBindCol(stmt, static_cast<SQLUSMALLINT>(i + 1), SQL_C_CHAR,
               buffers[static_cast<size_t>(i)].data(), buffer_length,
               &result.last_indicators[static_cast<size_t>(i)]);
  }
  while (true) {
    SQLRETURN rc = SQLFetch(stmt);
    if (!SQL_SUCCEEDED(rc)) {
      result.end_rc = rc;
      if (rc == SQL_ERROR) {
        Diagnostic d = ReadError(env_, dbc_, stmt);
        result.error = d.message;
        result.sqlstate = d.sqlstate;
      }
      break;
    }
    if (rc == SQL_SUCCESS_WITH_INFO)
      result.fetch_sqlstates.push_back(ReadError(env_, dbc_, stmt).sqlstate);
    ResultRow row, raw;
    for (size_t i = 0; i < buffers.size(); ++i) {
      if (result.last_indicators[i] == SQL_NULL_DATA) {
        row.push_back(std::nullopt);
        raw.push_back(std::nullopt);
      } else {
        raw.push_back(std::string(buffers[i].data()));
        row.push_back(ToUtf8(*raw.back()));
      }
    }
    result.rows.push_back(std::move(row));
    result.raw_rows.push_back(std::move(raw));
  }
  SQLFreeStmt(stmt, SQL_DROP);
  return result;
}

std::vector<ResultRow> OdbcClient::Rows(const std::string& utf8_sql) {
  QueryResult r = Query(utf8_sql);
  if (!SQL_SUCCEEDED(r.exec_rc) || r.end_rc != SQL_NO_DATA) {
    throw std::runtime_error("statement failed: " + r.error + "\n  in: " + utf8_sql);
  }
  return r.rows;
}

bool OdbcClient::Script(const std::string& utf8_script, std::string* error) {
  return RunScript(dbc_, utf8_script, error);
}

}  // namespace morvane::emulator::test
