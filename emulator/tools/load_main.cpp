// morvane-emulator-load: runs SQL scripts (UTF-8) against a data source of the emulator.
//   morvane-emulator-load "<connection string>" script.sql [script.sql ...]
// The connection string is passed to SQLDriverConnect, e.g.
//   "DRIVER={Morvane Oracle};Database=/tmp/x.db;Create=Yes;UID=scott;PWD=tiger"
#include <sqlext.h>

#include <fstream>
#include <iostream>
#include <sstream>

#include "tools/sql_script.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: morvane-emulator-load \"<connection string>\" script.sql...\n";
    return 2;
  }
  SQLHENV env = SQL_NULL_HENV;
  SQLHDBC dbc = SQL_NULL_HDBC;
  SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
  SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
  std::string connection = argv[1];
  SQLRETURN rc = SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(connection.data()),
                                  SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
  int status = 0;
  if (!SQL_SUCCEEDED(rc)) {
    std::cerr << "cannot connect: " << morvane::emulator::DiagnosticText(SQL_HANDLE_DBC, dbc)
              << "\n";
    status = 1;
  }
  for (int i = 2; status == 0 && i < argc; ++i) {
    std::ifstream file(argv[i], std::ios::binary);
    if (!file) {
      std::cerr << "cannot read " << argv[i] << "\n";
      status = 1;
      break;
    }
    std::stringstream text;
    text << file.rdbuf();
    std::string error;
    if (!morvane::emulator::RunScript(dbc, text.str(), &error)) {
      std::cerr << argv[i] << ": " << error << "\n";
      status = 1;
    }
  }
  if (SQL_SUCCEEDED(rc)) SQLDisconnect(dbc);
  SQLFreeHandle(SQL_HANDLE_DBC, dbc);
  SQLFreeHandle(SQL_HANDLE_ENV, env);
  return status;
}
