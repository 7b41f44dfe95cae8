// Connecting to a data source, the driver's information, transactions.
#include <cstring>

#include "driver/diagnostics.h"
#include "driver/odbc_api.h"
#include "engine/lexer.h"

namespace morvane::emulator::odbc {
namespace {

// Default schema owner of a new database when the data source names none.
std::string DefaultOwner(const DataSourceOptions& o) {
  if (!o.owner.empty()) return AsciiUpper(o.owner);
  if (!o.uid.empty()) return AsciiUpper(o.uid);
  return "MORVANE";
}

// Checks the account, opens the database and records the connection. `user` and `password`
// are what the client gave; null means "none given" and takes the data source's own.
SQLRETURN Open(Connection* dbc, DataSourceOptions options, const std::string* user,
               const std::string* password) {
  std::string dialect = options.dialect.empty() ? DriverDialect(options.driver) : options.dialect;
  std::optional<Family> family = ParseFamily(dialect);
  if (!family) {
    return Fail(dbc->diag, "IM002",
                DriverMessage("Data source \"" + options.dsn +
                              "\" names no Dialect (RedBrick, Oracle, Oracle7 or Broadbase)"));
  }
  dbc->family = *family;
  // Options are checked before anything is opened, so that a bad one cannot reach the database.
  FaultPatterns faults;
  std::string problem;
  if (!CompileFaultPatterns(options, faults, &problem) ||
      !ReadFailAfterRows(options.fail_after_rows_text, options.fail_after_rows, &problem) ||
      !CheckFixedClock(options.fixed_clock, &problem)) {
    return Fail(dbc->diag, "HY024", DriverMessage("Invalid data source option: " + problem));
  }
  std::string given_user = user ? *user : options.uid;
  std::string given_password = password ? *password : options.pwd;
  bool account_set = !options.uid.empty() || !options.pwd.empty();
  if (account_set &&
      (AsciiUpper(given_user) != AsciiUpper(options.uid) || given_password != options.pwd)) {
    return Fail(dbc->diag, DescribeError(*family, ErrorKind::kLoginFailed, given_user), &dbc->text);
  }
  SessionOptions session;
  session.database = options.database;
  session.family = *family;
  session.owner = DefaultOwner(options);
  session.create = options.create;
  session.fixed_clock = options.fixed_clock;
  session.oracle7 = IsOracle7Dialect(dialect);
  dbc->session = std::make_unique<Session>(session);
  dbc->faults = std::move(faults);
  dbc->session->SetAutocommit(dbc->autocommit);
  dbc->options = std::move(options);
  if (!dbc->options.connect_info.empty()) {
    Warn(dbc->diag, "01000", dbc->text.ToClient(DriverPrefix(*family) + dbc->options.connect_info));
    return SQL_SUCCESS_WITH_INFO;
  }
  return SQL_SUCCESS;
}

std::string ConnectionStringOut(const DataSourceOptions& o) {
  std::string out = o.dsn.empty() ? "DRIVER={" + o.driver + "}" : "DSN=" + o.dsn;
  out += ";DATABASE=" + o.database;
  if (!o.uid.empty()) out += ";UID=" + o.uid;
  if (!o.pwd.empty()) out += ";PWD=" + o.pwd;
  return out + ";";
}

const char* DbmsName(Family family) {
  switch (family) {
    case Family::kOracle:
      return "Oracle";
    case Family::kRedBrick:
      return "Red Brick Warehouse";
    case Family::kBroadbase:
      return "Broadbase";
  }
  return "";
}

const char* DbmsVersion(Family family, bool oracle7) {
  switch (family) {
    case Family::kOracle:
      return oracle7 ? "07.03.0004" : "08.01.0007";
    case Family::kRedBrick:
      return "06.10.0000";
    case Family::kBroadbase:
      return "05.00.0000";
  }
  return "";
}

}  // namespace

SQLRETURN Connect(Connection* dbc, const std::string& dsn, const std::string* user,
                  const std::string* password) {
  dbc->diag.Clear();
  if (dbc->session) return Fail(dbc->diag, "08002", DriverMessage("Connection name in use"));
  std::optional<DataSourceOptions> options = LoadDataSource(dsn);
  if (!options) {
    return Fail(dbc->diag, "IM002", DriverMessage("Data source name not found: " + dsn));
  }
  return Open(dbc, std::move(*options), user, password);
}

SQLRETURN DriverConnect(Connection* dbc, const std::string& connection_string, SQLCHAR* out,
                        SQLSMALLINT out_max, SQLSMALLINT* out_length) {
  dbc->diag.Clear();
  if (dbc->session) return Fail(dbc->diag, "08002", DriverMessage("Connection name in use"));
  std::map<std::string, std::string> keys = ParseConnectionString(connection_string);
  DataSourceOptions options;
  if (auto it = keys.find("DSN"); it != keys.end() && !it->second.empty()) {
    std::optional<DataSourceOptions> stored = LoadDataSource(it->second);
    if (!stored)
      return Fail(dbc->diag, "IM002", DriverMessage("Data source name not found: " + it->second));
    options = std::move(*stored);
  }
  // The data source's account is what the server checks; the string's UID and PWD are the
  // credentials offered. Without a data source the string defines the account itself.
  std::string account_uid = options.uid;
  std::string account_pwd = options.pwd;
  bool from_dsn = !options.dsn.empty();
  ApplyKeys(keys, options);
  std::string user = options.uid;
  std::string password = options.pwd;
  if (from_dsn) {
    options.uid = account_uid;
    options.pwd = account_pwd;
  }
  bool user_given = keys.count("UID") > 0;
  bool password_given = keys.count("PWD") > 0;
  SQLRETURN rc =
      Open(dbc, options, user_given ? &user : nullptr, password_given ? &password : nullptr);
  if (SQL_SUCCEEDED(rc) &&
      CopyString(ConnectionStringOut(dbc->options), out, out_max, out_length)) {
    Warn(dbc->diag, "01004", DriverMessage("String data, right truncated"));
    rc = SQL_SUCCESS_WITH_INFO;
  }
  return rc;
}

SQLRETURN Disconnect(Connection* dbc) {
  dbc->diag.Clear();
  dbc->FreeStatements();  // their cursors go before the database they read
  dbc->session.reset();
  dbc->faults = FaultPatterns();
  return SQL_SUCCESS;
}

SQLRETURN GetInfo(Connection* dbc, SQLUSMALLINT info, SQLPOINTER value, SQLSMALLINT buffer_length,
                  SQLSMALLINT* length) {
  auto text = [&](const std::string& s) {
    if (CopyString(s, static_cast<SQLCHAR*>(value), buffer_length, length)) {
      Warn(dbc->diag, "01004", DriverMessage("String data, right truncated"));
      return SQL_SUCCESS_WITH_INFO;
    }
    return SQL_SUCCESS;
  };
  auto number16 = [&](SQLUSMALLINT n) {
    if (value) std::memcpy(value, &n, sizeof n);
    if (length) *length = sizeof n;
    return SQL_SUCCESS;
  };
  auto number32 = [&](SQLUINTEGER n) {
    if (value) std::memcpy(value, &n, sizeof n);
    if (length) *length = sizeof n;
    return SQL_SUCCESS;
  };
  switch (info) {
    case SQL_DRIVER_NAME:
      return text("libmorvane_emulator_odbc.so");
    case SQL_DRIVER_VER:
      return text("02.08.0001");
    case SQL_DRIVER_ODBC_VER:
    case SQL_ODBC_VER:
      return text("03.00");
    case SQL_DBMS_NAME:
      return text(DbmsName(dbc->family));
    case SQL_DBMS_VER:
      return text(DbmsVersion(dbc->family, dbc->session && dbc->session->oracle7()));
    case SQL_DATA_SOURCE_NAME:
      return text(dbc->options.dsn);
    case SQL_SERVER_NAME:
    case SQL_DATABASE_NAME:
      return text(dbc->text.ToClient(dbc->options.database));
    case SQL_USER_NAME:
      return text(dbc->session ? dbc->session->owner() : "");
    case SQL_IDENTIFIER_QUOTE_CHAR:
      return text("\"");
    case SQL_SEARCH_PATTERN_ESCAPE:
      return text("\\");
    case SQL_CATALOG_NAME_SEPARATOR:
      return text(".");
    case SQL_ACCESSIBLE_TABLES:
    case SQL_OUTER_JOINS:
    case SQL_EXPRESSIONS_IN_ORDERBY:
    case SQL_COLUMN_ALIAS:
    case SQL_LIKE_ESCAPE_CLAUSE:
      return text("Y");
    case SQL_CATALOG_NAME:
    case SQL_PROCEDURES:
    case SQL_ACCESSIBLE_PROCEDURES:
    case SQL_MULT_RESULT_SETS:
    case SQL_ORDER_BY_COLUMNS_IN_SELECT:
      return text("N");
    case SQL_CATALOG_TERM:
      return text("");
    case SQL_SCHEMA_TERM:
      return text(dbc->family == Family::kRedBrick ? "creator"
                  : dbc->family == Family::kOracle ? "owner"
                                                   : "schema");
    case SQL_TABLE_TERM:
      return text("table");
    case SQL_DATA_SOURCE_READ_ONLY:
    case SQL_NEED_LONG_DATA_LEN:
    case SQL_ROW_UPDATES:
      return text("N");
    case SQL_KEYWORDS:
      return text("");
    case SQL_TXN_CAPABLE:
      return number16(SQL_TC_DDL_COMMIT);
    case SQL_CURSOR_COMMIT_BEHAVIOR:
    case SQL_CURSOR_ROLLBACK_BEHAVIOR:
      return number16(SQL_CB_CLOSE);
    case SQL_MAX_COLUMN_NAME_LEN:
    case SQL_MAX_TABLE_NAME_LEN:
    case SQL_MAX_SCHEMA_NAME_LEN:
      return number16(dbc->family == Family::kOracle ? 30 : 128);
    case SQL_MAX_CATALOG_NAME_LEN:
    case SQL_MAX_CONCURRENT_ACTIVITIES:
    case SQL_MAX_DRIVER_CONNECTIONS:
    case SQL_MAX_CURSOR_NAME_LEN:
    case SQL_MAX_COLUMNS_IN_TABLE:
    case SQL_MAX_COLUMNS_IN_SELECT:
      return number16(0);
    case SQL_CONCAT_NULL_BEHAVIOR:
      return number16(SQL_CB_NULL);
    case SQL_NON_NULLABLE_COLUMNS:
      return number16(SQL_NNC_NON_NULL);
    case SQL_QUOTED_IDENTIFIER_CASE:
      return number16(SQL_IC_SENSITIVE);
    case SQL_IDENTIFIER_CASE:
      return number16(SQL_IC_UPPER);
    case SQL_NULL_COLLATION:
      return number16(SQL_NC_HIGH);
    case SQL_CORRELATION_NAME:
      return number16(SQL_CN_ANY);
    case SQL_GROUP_BY:
      return number16(SQL_GB_GROUP_BY_CONTAINS_SELECT);
    case SQL_FILE_USAGE:
      return number16(SQL_FILE_NOT_SUPPORTED);
    case SQL_GETDATA_EXTENSIONS:
      return number32(SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER);
    case SQL_SCROLL_OPTIONS:
      return number32(SQL_SO_FORWARD_ONLY);
    case SQL_TXN_ISOLATION_OPTION:
    case SQL_DEFAULT_TXN_ISOLATION:
      return number32(SQL_TXN_SERIALIZABLE);
    case SQL_ODBC_INTERFACE_CONFORMANCE:
      return number32(SQL_OIC_CORE);
    case SQL_SQL_CONFORMANCE:
      return number32(SQL_SC_SQL92_ENTRY);
    case SQL_ASYNC_MODE:
      return number32(SQL_AM_NONE);
    case SQL_CURSOR_SENSITIVITY:
      return number32(SQL_INSENSITIVE);
    case SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES1:
      return number32(SQL_CA1_NEXT);
    case SQL_OJ_CAPABILITIES:
      return number32(SQL_OJ_LEFT | SQL_OJ_NESTED | SQL_OJ_NOT_ORDERED | SQL_OJ_ALL_COMPARISON_OPS);
    default:
      return number32(0);
  }
}

SQLRETURN EndTran(SQLSMALLINT handle_type, SQLHANDLE handle, SQLSMALLINT completion) {
  if (handle_type != SQL_HANDLE_DBC) return SQL_SUCCESS;  // environments: nothing open to end
  auto* dbc = static_cast<Connection*>(handle);
  dbc->diag.Clear();
  if (!dbc->session) return SQL_SUCCESS;
  if (completion == SQL_COMMIT) {
    dbc->session->Commit();
  } else {
    dbc->session->Rollback();
  }
  return SQL_SUCCESS;
}

}  // namespace morvane::emulator::odbc
