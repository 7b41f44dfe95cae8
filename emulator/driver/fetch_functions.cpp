// Moving through result rows and handing values to the client's buffers.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "driver/diagnostics.h"
#include "driver/odbc_api.h"

namespace morvane::emulator::odbc {
namespace {

bool IsCharacterTarget(SQLSMALLINT c_type) {
  return c_type == SQL_C_CHAR || c_type == SQL_C_DEFAULT || c_type == SQL_C_BINARY;
}

template <typename T>
void Put(SQLPOINTER target, T value, SQLLEN* indicator) {
  if (target) std::memcpy(target, &value, sizeof value);
  if (indicator) *indicator = sizeof value;
}

// Whether `value`, cut to a whole number, fits the integer type T. Converting a value that does
// not (infinity, NaN or too large) would be undefined.
template <typename T>
bool FitsInteger(double value) {
  if (!std::isfinite(value)) return false;
  double whole = std::trunc(value);
  return whole >= static_cast<double>(std::numeric_limits<T>::min()) &&
         whole <= static_cast<double>(std::numeric_limits<T>::max());
}

template <typename T>
SQLRETURN PutInteger(StatementHandle* stmt, SQLPOINTER target, double value, SQLLEN* indicator) {
  if (!FitsInteger<T>(value)) {
    return Fail(stmt->diag, "22003", DriverMessage("Numeric value out of range"));
  }
  Put<T>(target, static_cast<T>(value), indicator);
  return SQL_SUCCESS;
}

// Stores a number read from `text` as the C type; false when the type is not one of ours.
SQLRETURN PutNumber(StatementHandle* stmt, std::string_view text, SQLSMALLINT c_type,
                    SQLPOINTER target, SQLLEN* indicator) {
  std::string copy(text);
  char* end = nullptr;
  double value = std::strtod(copy.c_str(), &end);
  if (copy.empty() || (end && *end != '\0')) {
    return Fail(stmt->diag, "22018",
                DriverMessage("Invalid character value for the numeric target type"));
  }
  switch (c_type) {
    case SQL_C_LONG:
    case SQL_C_SLONG:
      return PutInteger<SQLINTEGER>(stmt, target, value, indicator);
    case SQL_C_ULONG:
      return PutInteger<SQLUINTEGER>(stmt, target, value, indicator);
    case SQL_C_SHORT:
    case SQL_C_SSHORT:
      return PutInteger<SQLSMALLINT>(stmt, target, value, indicator);
    case SQL_C_USHORT:
      return PutInteger<SQLUSMALLINT>(stmt, target, value, indicator);
    case SQL_C_TINYINT:
    case SQL_C_STINYINT:
      return PutInteger<SQLSCHAR>(stmt, target, value, indicator);
    case SQL_C_UTINYINT:
    case SQL_C_BIT:
      return PutInteger<SQLCHAR>(stmt, target, value, indicator);
    case SQL_C_SBIGINT:
      Put<SQLBIGINT>(target, std::strtoll(copy.c_str(), nullptr, 10), indicator);
      break;
    case SQL_C_UBIGINT:
      Put<SQLUBIGINT>(target, std::strtoull(copy.c_str(), nullptr, 10), indicator);
      break;
    case SQL_C_DOUBLE:
      Put<SQLDOUBLE>(target, value, indicator);
      break;
    case SQL_C_FLOAT:
      Put<SQLREAL>(target, static_cast<SQLREAL>(value), indicator);
      break;
    default:
      return Fail(stmt->diag, "07006", DriverMessage("Restricted data type attribute violation"));
  }
  return SQL_SUCCESS;
}

// The current row's value of a column as the client sees it (CP932); `scratch` holds
// converted text.
std::string_view ClientText(StatementHandle* stmt, int column, std::string& scratch) {
  std::string_view utf8 = stmt->cursor->Text(column);
  if (IsAscii(utf8)) return utf8;
  stmt->dbc->text.ToClient(utf8, scratch);
  return scratch;
}

// Fills the bound buffers from the current row.
SQLRETURN FillBindings(StatementHandle* stmt) {
  SQLRETURN rc = SQL_SUCCESS;
  std::string scratch;
  size_t count = std::min(stmt->bindings.size(), stmt->columns.size());
  for (size_t i = 0; i < count; ++i) {
    const ColumnBinding& b = stmt->bindings[i];
    if (!b.target && !b.indicator) continue;
    int column = static_cast<int>(i);
    if (stmt->cursor->IsNull(column)) {
      if (!b.indicator)
        return Fail(stmt->diag, "22002",
                    DriverMessage("Indicator variable required but not supplied"));
      *b.indicator = SQL_NULL_DATA;
      continue;
    }
    std::string_view text = ClientText(stmt, column, scratch);
    if (!IsCharacterTarget(b.c_type)) {
      if (PutNumber(stmt, text, b.c_type, b.target, b.indicator) == SQL_ERROR) return SQL_ERROR;
      continue;
    }
    if (b.indicator) *b.indicator = static_cast<SQLLEN>(text.size());
    if (CopyString(text, b.target, b.buffer_length)) {
      Warn(stmt->diag, "01004", DriverMessage("String data, right truncated"));
      rc = SQL_SUCCESS_WITH_INFO;
    }
  }
  return rc;
}

SQLRETURN ConnectionLost(StatementHandle* stmt) {
  VendorMessage m =
      DescribeError(stmt->dbc->family, ErrorKind::kInjected,
                    "connection to the server was lost after " +
                        std::to_string(stmt->rows_delivered) + " rows (FailAfterRows)");
  m.sqlstate = "08S01";
  return Fail(stmt->diag, m, &stmt->dbc->text);
}

}  // namespace

SQLRETURN BindCol(StatementHandle* stmt, SQLUSMALLINT column, SQLSMALLINT c_type, SQLPOINTER target,
                  SQLLEN buffer_length, SQLLEN* indicator) {
  stmt->diag.Clear();
  if (column < 1) return Fail(stmt->diag, "07009", DriverMessage("Invalid descriptor index"));
  if (stmt->bindings.size() < column) stmt->bindings.resize(column);
  stmt->bindings[column - 1] = ColumnBinding{c_type, target, buffer_length, indicator};
  return SQL_SUCCESS;
}

SQLRETURN Fetch(StatementHandle* stmt) {
  stmt->diag.Clear();
  if (!stmt->cursor) return Fail(stmt->diag, "24000", DriverMessage("Invalid cursor state"));
  stmt->getdata_column = 0;
  stmt->on_row = false;
  if (stmt->rows_fetched_ptr) *stmt->rows_fetched_ptr = 0;
  if (stmt->max_rows > 0 && static_cast<SQLULEN>(stmt->rows_delivered) >= stmt->max_rows)
    return SQL_NO_DATA;
  if (stmt->fail_after_rows >= 0 && stmt->rows_delivered >= stmt->fail_after_rows)
    return ConnectionLost(stmt);
  if (!stmt->cursor->Next()) return SQL_NO_DATA;
  ++stmt->rows_delivered;
  stmt->on_row = true;
  SQLRETURN rc = FillBindings(stmt);
  if (stmt->rows_fetched_ptr) *stmt->rows_fetched_ptr = 1;
  if (stmt->row_status_ptr)
    *stmt->row_status_ptr = rc == SQL_ERROR ? SQL_ROW_ERROR : SQL_ROW_SUCCESS;
  return rc;
}

SQLRETURN GetData(StatementHandle* stmt, SQLUSMALLINT column, SQLSMALLINT c_type, SQLPOINTER target,
                  SQLLEN buffer_length, SQLLEN* indicator) {
  stmt->diag.Clear();
  if (!stmt->cursor || !stmt->on_row)
    return Fail(stmt->diag, "24000", DriverMessage("Invalid cursor state"));
  if (column < 1 || column > stmt->columns.size()) {
    return Fail(stmt->diag, "07009", DriverMessage("Invalid descriptor index"));
  }
  int index = column - 1;
  bool first_call = stmt->getdata_column != column;
  if (first_call) {
    stmt->getdata_column = column;
    stmt->getdata_offset = 0;
    std::string scratch;
    stmt->getdata_value = std::string(ClientText(stmt, index, scratch));
  }
  if (stmt->cursor->IsNull(index)) {
    if (!first_call) return SQL_NO_DATA;
    if (!indicator)
      return Fail(stmt->diag, "22002",
                  DriverMessage("Indicator variable required but not supplied"));
    *indicator = SQL_NULL_DATA;
    return SQL_SUCCESS;
  }
  if (!IsCharacterTarget(c_type)) {
    if (!first_call) return SQL_NO_DATA;
    return PutNumber(stmt, stmt->getdata_value, c_type, target, indicator);
  }
  const std::string& value = stmt->getdata_value;
  if (!first_call && stmt->getdata_offset >= value.size()) return SQL_NO_DATA;
  std::string_view rest = std::string_view(value).substr(stmt->getdata_offset);
  if (indicator) *indicator = static_cast<SQLLEN>(rest.size());
  bool cut = CopyString(rest, target, buffer_length);
  if (!cut) {
    stmt->getdata_offset = value.size();
    return SQL_SUCCESS;
  }
  if (buffer_length > 0) stmt->getdata_offset += static_cast<size_t>(buffer_length - 1);
  Warn(stmt->diag, "01004", DriverMessage("String data, right truncated"));
  return SQL_SUCCESS_WITH_INFO;
}

}  // namespace morvane::emulator::odbc
