// Text through ODBC's wide (UTF-16) interface, converted to and from the document's CP932.
//
// The wide functions work with every Unicode driver whatever character set its data source is
// set to, and the driver manager maps them onto the narrow functions of drivers without them.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace morvane {

// A failed ODBC call; the message is the driver's first diagnostic in CP932.
class OdbcFailure : public std::runtime_error {
 public:
  explicit OdbcFailure(const std::string& message_cp932)
      : std::runtime_error(message_cp932), message_(message_cp932) {}
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};

// Throws OdbcFailure with the first diagnostic of stmt (or else dbc) unless rc is a success.
void CheckOdbc(SQLRETURN rc, SQLHDBC dbc, SQLHSTMT stmt);

// A CP932 argument for a wide function: null stays null (the driver's "any"), text converts.
class WideArgument {
 public:
  WideArgument() = default;
  explicit WideArgument(std::string_view cp932);
  SQLWCHAR* get() { return is_null_ ? nullptr : reinterpret_cast<SQLWCHAR*>(text_.data()); }
  SQLSMALLINT length() const { return is_null_ ? 0 : SQL_NTS; }

 private:
  bool is_null_ = true;
  std::u16string text_;
};

// Reads text columns of the current row with SQLGetData as UTF-16. Columns must be read in
// increasing order, which every driver allows.
class WideColumnReader {
 public:
  explicit WideColumnReader(SQLHDBC dbc) : dbc_(dbc) {}
  // The column's text in CP932 (characters CP932 lacks become "?"); nullopt for NULL.
  // Throws OdbcFailure when the driver fails.
  std::optional<std::string> Get(SQLHSTMT stmt, SQLUSMALLINT column);
  // The same, with NULL read as the empty text.
  std::string Text(SQLHSTMT stmt, SQLUSMALLINT column) { return Get(stmt, column).value_or(""); }
  // A whole-number column; nullopt for NULL.
  std::optional<long> Integer(SQLHSTMT stmt, SQLUSMALLINT column);

 private:
  SQLHDBC dbc_;
  std::u16string buffer_;
  std::u16string chunk_;
};

// Fetches the next row: true for a row, false at the normal end. A fetch that fails (a lost
// connection, a server error) throws OdbcFailure, so rows never end early in silence.
bool FetchRow(SQLHDBC dbc, SQLHSTMT stmt);

}  // namespace morvane
