// The driver's environment, connection and statement handles.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "driver/data_source.h"
#include "driver/fault_patterns.h"
#include "driver/text_convert.h"
#include "engine/cursor.h"
#include "engine/session.h"
#include "engine/sql_error.h"

namespace morvane::emulator {

struct DiagRecord {
  std::string sqlstate;
  SQLINTEGER native_error = 0;
  std::string message;  // CP932
};

struct Diagnostics {
  std::vector<DiagRecord> records;
  SQLRETURN return_code = SQL_SUCCESS;
  void Clear() {
    records.clear();
    return_code = SQL_SUCCESS;
  }
  void Add(const std::string& sqlstate, SQLINTEGER native, const std::string& message) {
    records.push_back({sqlstate, native, message});
  }
};

struct Environment {
  Diagnostics diag;
  SQLINTEGER odbc_version = SQL_OV_ODBC3;
};

struct StatementHandle;

struct Connection {
  explicit Connection(Environment* e) : env(e) {}
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  // Frees the statements still allocated on the connection (a client may disconnect without
  // freeing them; the driver manager then leaves them to the driver).
  void FreeStatements();

  Environment* env;
  Diagnostics diag;
  DataSourceOptions options;
  FaultPatterns faults;
  Family family = Family::kOracle;
  std::unique_ptr<Session> session;
  TextConverter text;
  bool autocommit = true;
  std::set<StatementHandle*> statements;
};

struct ColumnBinding {
  SQLSMALLINT c_type = SQL_C_CHAR;
  SQLPOINTER target = nullptr;
  SQLLEN buffer_length = 0;
  SQLLEN* indicator = nullptr;
};

struct StatementHandle {
  explicit StatementHandle(Connection* c) : dbc(c) {}
  Connection* dbc;
  Diagnostics diag;
  std::string prepared;  // CP932 text given to SQLPrepare
  bool has_prepared = false;
  std::unique_ptr<Cursor> cursor;
  std::vector<ResultColumn> columns;    // names in CP932
  std::vector<ColumnBinding> bindings;  // index 0 is column 1
  SQLLEN row_count = -1;
  int64_t rows_delivered = 0;
  int64_t fail_after_rows = -1;  // -1: no fault for this result set
  bool on_row = false;
  // SQLGetData state for the current row.
  int getdata_column = 0;
  size_t getdata_offset = 0;
  std::string getdata_value;
  // Statement attributes.
  SQLULEN* rows_fetched_ptr = nullptr;
  SQLUSMALLINT* row_status_ptr = nullptr;
  SQLULEN max_rows = 0;
  // Stand-ins for the implicit descriptors the driver manager asks for.
  char descriptors[4] = {};
};

inline void Connection::FreeStatements() {
  for (StatementHandle* stmt : statements) delete stmt;
  statements.clear();
}

inline Connection::~Connection() { FreeStatements(); }

}  // namespace morvane::emulator
