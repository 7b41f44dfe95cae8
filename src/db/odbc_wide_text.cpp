#include "db/odbc_wide_text.h"

#include "db/odbc_error.h"
#include "model/codec.h"

namespace morvane {

namespace {

bool Succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

constexpr size_t kChunkChars = 256;

}  // namespace

void CheckOdbc(SQLRETURN rc, SQLHDBC dbc, SQLHSTMT stmt) {
  if (!Succeeded(rc)) throw OdbcFailure(OdbcErrorText(nullptr, dbc, stmt));
}

WideArgument::WideArgument(std::string_view cp932) : is_null_(false) {
  if (!Cp932ToUtf16(cp932, text_)) text_.assign(1, u'?');
}

std::optional<std::string> WideColumnReader::Get(SQLHSTMT stmt, SQLUSMALLINT column) {
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
