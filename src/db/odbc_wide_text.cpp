#include "db/odbc_wide_text.h"

#include <algorithm>

#include "db/odbc_error.h"
#include "text/codec.h"

namespace morvane {

namespace {

bool Succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

constexpr size_t kChunkChars = 256;
constexpr size_t kMessageBytes = 255;

// The first diagnostic of stmt (or else dbc) read through the wide function, in CP932 and cut as
// OdbcErrorText cuts; empty when there is none. The narrow function would hand over the
// driver's text in the locale's character set, not in CP932.
std::string WideDiagnosticText(SQLHDBC dbc, SQLHSTMT stmt) {
  const SQLSMALLINT type = stmt != SQL_NULL_HSTMT ? SQL_HANDLE_STMT : SQL_HANDLE_DBC;
  SQLHANDLE handle = stmt != SQL_NULL_HSTMT ? stmt : dbc;
  if (handle == SQL_NULL_HANDLE) return {};
  SQLWCHAR state[6] = {};
  SQLINTEGER native_error = 0;
  std::u16string message(1024, u'\0');
  SQLSMALLINT length = 0;
  const SQLRETURN rc = SQLGetDiagRecW(type, handle, 1, state, &native_error,
                                      reinterpret_cast<SQLWCHAR*>(message.data()),
                                      static_cast<SQLSMALLINT>(message.size() - 1), &length);
  if (!Succeeded(rc)) return {};
  message.resize(
      std::min<size_t>(static_cast<size_t>(std::max<SQLSMALLINT>(length, 0)), message.size() - 1));
  std::string text = Utf16ToCp932Lossy(message);
  text.resize(Cp932SafePrefixLength(text, kMessageBytes));
  return text;
}

}  // namespace

void CheckOdbc(SQLRETURN rc, SQLHDBC dbc, SQLHSTMT stmt) {
  if (Succeeded(rc)) return;
  std::string message;
  try {
    message = WideDiagnosticText(dbc, stmt);
  } catch (...) {
  }
  throw OdbcFailure(message.empty() ? OdbcErrorText(nullptr, dbc, stmt) : message);
}

WideArgument::WideArgument(std::string_view cp932, const OdbcTextMode& mode) : is_null_(false) {
  if (mode.narrow) {
    if (!Cp932ToEncoded(cp932, mode.encoding, bytes_)) bytes_.assign(1, '?');
  } else if (!Cp932ToUtf16(cp932, text_)) {
    text_.assign(1, u'?');
  }
}

SQLRETURN ExecDirectText(SQLHSTMT stmt, std::string_view sql_cp932, const OdbcTextMode& mode) {
  WideArgument sql(sql_cp932, mode);
  return mode.narrow ? SQLExecDirect(stmt, sql.narrow(), SQL_NTS)
                     : SQLExecDirectW(stmt, sql.get(), SQL_NTS);
}

std::optional<std::string> WideColumnReader::GetNarrow(SQLHSTMT stmt, SQLUSMALLINT column) {
  narrow_buffer_.clear();
  char chunk[kChunkChars * 4 + 1];
  for (;;) {
    SQLLEN indicator = 0;
    SQLRETURN rc = SQLGetData(stmt, column, SQL_C_CHAR, chunk, sizeof chunk, &indicator);
    if (rc == SQL_NO_DATA) break;
    CheckOdbc(rc, dbc_, stmt);
    if (indicator == SQL_NULL_DATA) return std::nullopt;
    size_t bytes = sizeof chunk - 1;
    if (indicator != SQL_NO_TOTAL && static_cast<size_t>(indicator) < bytes) {
      bytes = static_cast<size_t>(indicator);
    }
    narrow_buffer_.append(chunk, bytes);
    if (rc == SQL_SUCCESS) break;
  }
  return EncodedToCp932Lossy(narrow_buffer_, mode_.encoding);
}

std::optional<std::string> WideColumnReader::Get(SQLHSTMT stmt, SQLUSMALLINT column) {
  if (mode_.narrow) return GetNarrow(stmt, column);
  buffer_.clear();
  chunk_.resize(kChunkChars + 1);
  for (;;) {
    SQLLEN indicator = 0;
    SQLRETURN rc = SQLGetData(stmt, column, SQL_C_WCHAR, chunk_.data(),
                              static_cast<SQLLEN>(chunk_.size() * sizeof(char16_t)), &indicator);
    if (rc == SQL_NO_DATA) break;  // the rest of a long value was read by the previous call
    CheckOdbc(rc, dbc_, stmt);
    if (indicator == SQL_NULL_DATA) return std::nullopt;
    // A full buffer less its terminator, unless the driver says fewer remain.
    size_t chars = chunk_.size() - 1;
    if (indicator != SQL_NO_TOTAL && static_cast<size_t>(indicator) / sizeof(char16_t) < chars) {
      chars = static_cast<size_t>(indicator) / sizeof(char16_t);
    }
    buffer_.append(chunk_.data(), chars);
    if (rc == SQL_SUCCESS) break;
  }
  return Utf16ToCp932Lossy(buffer_);
}

std::optional<long> WideColumnReader::Integer(SQLHSTMT stmt, SQLUSMALLINT column) {
  SQLINTEGER value = 0;
  SQLLEN indicator = 0;
  CheckOdbc(SQLGetData(stmt, column, SQL_C_SLONG, &value, sizeof value, &indicator), dbc_, stmt);
  if (indicator == SQL_NULL_DATA) return std::nullopt;
  return value;
}

bool FetchRow(SQLHDBC dbc, SQLHSTMT stmt) {
  SQLRETURN rc = SQLFetch(stmt);
  if (rc == SQL_NO_DATA) return false;
  CheckOdbc(rc, dbc, stmt);
  return true;
}

}  // namespace morvane
