// Text through ODBC, converted to and from the document's CP932: through the wide (UTF-16)
// interface, or, for drivers that refuse wide text or lack the wide functions, as narrow text in
// the character set the connection uses (see OdbcTextMode).
//
// The wide functions work with every Unicode driver whatever character set its data source is
// set to.
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

// How text crosses one connection.
struct OdbcTextMode {
  // Narrow (SQL_C_CHAR and the functions without "W") rather than wide text.
  bool narrow = false;
  // The character set of narrow text, as iconv names it ("CP932", "UTF-8", ...).
  std::string encoding;
};

// Throws OdbcFailure with the first diagnostic of stmt (or else dbc) unless rc is a success.
void CheckOdbc(SQLRETURN rc, SQLHDBC dbc, SQLHSTMT stmt);

// A CP932 argument for a wide function, or for a narrow one in the mode's character set: null
// stays null (the driver's "any"), text converts.
class WideArgument {
 public:
  WideArgument() = default;
  explicit WideArgument(std::string_view cp932, const OdbcTextMode& mode = {});
  SQLWCHAR* get() { return is_null_ ? nullptr : reinterpret_cast<SQLWCHAR*>(text_.data()); }
  SQLCHAR* narrow() { return is_null_ ? nullptr : reinterpret_cast<SQLCHAR*>(bytes_.data()); }
  SQLSMALLINT length() const { return is_null_ ? 0 : SQL_NTS; }

 private:
  bool is_null_ = true;
  std::u16string text_;
  std::string bytes_;
};

// Runs a CP932 statement on `stmt` in the connection's text mode.
SQLRETURN ExecDirectText(SQLHSTMT stmt, std::string_view sql_cp932, const OdbcTextMode& mode);

// Reads text columns of the current row with SQLGetData as UTF-16, or as narrow text in the
// mode's character set. Columns must be read in increasing order, which every driver allows.
class WideColumnReader {
 public:
  explicit WideColumnReader(SQLHDBC dbc, OdbcTextMode mode = {}) : dbc_(dbc), mode_(mode) {}
  // The column's text in CP932 (characters CP932 lacks become "?"); nullopt for NULL.
  // Throws OdbcFailure when the driver fails.
  std::optional<std::string> Get(SQLHSTMT stmt, SQLUSMALLINT column);
  // The same, with NULL read as the empty text.
  std::string Text(SQLHSTMT stmt, SQLUSMALLINT column) { return Get(stmt, column).value_or(""); }
  // A whole-number column; nullopt for NULL.
  std::optional<long> Integer(SQLHSTMT stmt, SQLUSMALLINT column);

 private:
  std::optional<std::string> GetNarrow(SQLHSTMT stmt, SQLUSMALLINT column);

  SQLHDBC dbc_;
  OdbcTextMode mode_;
  std::u16string buffer_;
  std::u16string chunk_;
  std::string narrow_buffer_;
};

// Fetches the next row: true for a row, false at the normal end. A fetch that fails (a lost
// connection, a server error) throws OdbcFailure, so rows never end early in silence.
bool FetchRow(SQLHDBC dbc, SQLHSTMT stmt);

}  // namespace morvane
