// Settings of one data source: where its database is, which dialect it speaks, its account,
// and the fault-injection options tests use. Read from odbc.ini (and the driver's entry in
// odbcinst.ini), overridden by keys of a SQLDriverConnect connection string.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "engine/family.h"

namespace morvane::emulator {

struct DataSourceOptions {
  std::string dsn;
  std::string driver;
  std::string database;
  std::string dialect;  // the Dialect key as given (empty: the driver's)
  std::string uid;      // the account of the data source
  std::string pwd;
  std::string owner;
  bool create = false;
  std::string fixed_clock;
  // Faults for tests.
  std::string fail_pattern;  // statements matching this regular expression fail
  std::string fail_message;
  std::string fail_after_rows_text;  // as given; checked and read when connecting
  int64_t fail_after_rows = -1;      // result sets end with an error after this many rows
  std::string fail_after_rows_pattern;
  std::string connect_info;       // SQLConnect answers SQL_SUCCESS_WITH_INFO with this text
  std::string exec_info_pattern;  // matching statements answer SQL_SUCCESS_WITH_INFO
  std::string exec_info_message;
};

// Keys of a connection string ("A=1;B={x;y}"), upper-cased.
std::map<std::string, std::string> ParseConnectionString(std::string_view text);

// Reads the data source's entries. Unknown data source: nullopt.
std::optional<DataSourceOptions> LoadDataSource(const std::string& dsn);

// Applies keys (from a connection string or an ini section) to the options.
void ApplyKeys(const std::map<std::string, std::string>& keys, DataSourceOptions& options);

// The driver's "Dialect" entry in odbcinst.ini.
std::string DriverDialect(const std::string& driver);

// Reads FailAfterRows: empty gives -1 (no fault), else a whole number of rows from 0 up.
// False, with the reason, for anything else.
bool ReadFailAfterRows(const std::string& text, int64_t& rows, std::string* error);

// FixedClock is empty or a real time written "YYYY-MM-DD HH:MM:SS".
bool CheckFixedClock(const std::string& text, std::string* error);

}  // namespace morvane::emulator
