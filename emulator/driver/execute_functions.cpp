// Running statements and describing their results.
#include <cstring>

#include "driver/diagnostics.h"
#include "driver/odbc_api.h"

namespace morvane::emulator::odbc {
namespace {

void ResetResults(StatementHandle* stmt) {
  stmt->cursor.reset();
  stmt->columns.clear();
  stmt->row_count = -1;
  stmt->rows_delivered = 0;
  stmt->fail_after_rows = -1;
  stmt->on_row = false;
  stmt->getdata_column = 0;
}

const ResultColumn* ColumnAt(StatementHandle* stmt, SQLUSMALLINT column) {
  if (column < 1 || column > stmt->columns.size()) {
    Fail(stmt->diag, "07009", DriverMessage("Invalid descriptor index"));
    return nullptr;
  }
  return &stmt->columns[column - 1];
}

const char* TypeName(int sql_type) {
  switch (sql_type) {
    case SQL_CHAR:
      return "CHAR";
    case SQL_INTEGER:
      return "INTEGER";
    case SQL_SMALLINT:
      return "SMALLINT";
    case SQL_DECIMAL:
      return "DECIMAL";
    case SQL_NUMERIC:
      return "NUMERIC";
    case SQL_DOUBLE:
      return "DOUBLE";
    case SQL_REAL:
      return "REAL";
    case SQL_TYPE_TIMESTAMP:
      return "TIMESTAMP";
    case SQL_TYPE_TIME:
      return "TIME";
    case SQL_LONGVARCHAR:
      return "LONG VARCHAR";
    default:
      return "VARCHAR";
  }
}

}  // namespace

SQLRETURN ExecDirect(StatementHandle* stmt, const std::string& text) {
  stmt->diag.Clear();
  ResetResults(stmt);
  Connection* dbc = stmt->dbc;
  const DataSourceOptions& o = dbc->options;
  if (Matches(dbc->faults.fail, text)) {
    std::string message =
        o.fail_message.empty() ? "statement rejected (FailPattern)" : o.fail_message;
    return Fail(stmt->diag, DescribeError(dbc->family, ErrorKind::kInjected, message), &dbc->text);
  }
  std::string utf8;
  if (!dbc->text.FromClient(text, utf8)) {
    return Fail(
        stmt->diag,
        DescribeError(dbc->family, ErrorKind::kSyntax, "invalid character in statement text"),
        nullptr);
  }
  Session::Outcome outcome = dbc->session->Execute(utf8);
  stmt->row_count = outcome.rows_affected;
  if (outcome.cursor) {
    stmt->cursor = std::move(outcome.cursor);
    for (const ResultColumn& c : stmt->cursor->columns()) {
      ResultColumn client = c;
      client.name = dbc->text.ToClient(c.name);
      stmt->columns.push_back(std::move(client));
    }
    if (o.fail_after_rows >= 0 &&
        (!dbc->faults.fail_after_rows || Matches(dbc->faults.fail_after_rows, text))) {
      stmt->fail_after_rows = o.fail_after_rows;
    }
  }
  if (Matches(dbc->faults.exec_info, text)) {
    std::string message =
        o.exec_info_message.empty() ? "statement completed with warnings" : o.exec_info_message;
    Warn(stmt->diag, "01000", dbc->text.ToClient(DriverPrefix(dbc->family) + message));
    return SQL_SUCCESS_WITH_INFO;
  }
  return SQL_SUCCESS;
}

SQLRETURN Prepare(StatementHandle* stmt, const std::string& text) {
  stmt->diag.Clear();
  ResetResults(stmt);
  stmt->prepared = text;
  stmt->has_prepared = true;
  return SQL_SUCCESS;
}

SQLRETURN Execute(StatementHandle* stmt) {
  if (!stmt->has_prepared) {
    stmt->diag.Clear();
    return Fail(stmt->diag, "HY010",
                DriverMessage("Function sequence error: no prepared statement"));
  }
  return ExecDirect(stmt, stmt->prepared);
}

SQLRETURN NumResultCols(StatementHandle* stmt, SQLSMALLINT* count) {
  stmt->diag.Clear();
  if (count) *count = static_cast<SQLSMALLINT>(stmt->columns.size());
  return SQL_SUCCESS;
}

SQLRETURN DescribeCol(StatementHandle* stmt, SQLUSMALLINT column, SQLCHAR* name,
                      SQLSMALLINT name_max, SQLSMALLINT* name_length, SQLSMALLINT* type,
                      SQLULEN* size, SQLSMALLINT* decimals, SQLSMALLINT* nullable) {
  stmt->diag.Clear();
  const ResultColumn* c = ColumnAt(stmt, column);
  if (!c) return SQL_ERROR;
  if (type) *type = static_cast<SQLSMALLINT>(c->sql_type);
  if (size) *size = static_cast<SQLULEN>(c->size);
  if (decimals) *decimals = static_cast<SQLSMALLINT>(c->decimals);
  if (nullable) *nullable = c->nullable ? SQL_NULLABLE : SQL_NO_NULLS;
  if (CopyString(c->name, name, name_max, name_length)) {
    Warn(stmt->diag, "01004", DriverMessage("String data, right truncated"));
    return SQL_SUCCESS_WITH_INFO;
  }
  return SQL_SUCCESS;
}

SQLRETURN ColAttribute(StatementHandle* stmt, SQLUSMALLINT column, SQLUSMALLINT field,
                       SQLPOINTER text, SQLSMALLINT buffer_length, SQLSMALLINT* length,
                       SQLLEN* number) {
  stmt->diag.Clear();
  if (field == SQL_DESC_COUNT || field == SQL_COLUMN_COUNT) {
    if (number) *number = static_cast<SQLLEN>(stmt->columns.size());
    return SQL_SUCCESS;
  }
  const ResultColumn* c = ColumnAt(stmt, column);
  if (!c) return SQL_ERROR;
  auto as_text = [&](const std::string& s) {
    if (CopyString(s, static_cast<SQLCHAR*>(text), buffer_length, length)) {
      Warn(stmt->diag, "01004", DriverMessage("String data, right truncated"));
      return SQL_SUCCESS_WITH_INFO;
    }
    return SQL_SUCCESS;
  };
  auto as_number = [&](SQLLEN n) {
    if (number) *number = n;
    return SQL_SUCCESS;
  };
  switch (field) {
    case SQL_DESC_NAME:
    case SQL_DESC_LABEL:
    case SQL_DESC_BASE_COLUMN_NAME:
    case SQL_COLUMN_NAME:
      return as_text(c->name);
    case SQL_DESC_TYPE_NAME:
      return as_text(TypeName(c->sql_type));
    case SQL_DESC_TABLE_NAME:
    case SQL_DESC_BASE_TABLE_NAME:
    case SQL_DESC_SCHEMA_NAME:
    case SQL_DESC_CATALOG_NAME:
    case SQL_DESC_LITERAL_PREFIX:
    case SQL_DESC_LITERAL_SUFFIX:
    case SQL_DESC_LOCAL_TYPE_NAME:
      return as_text("");
    case SQL_DESC_TYPE:
    case SQL_DESC_CONCISE_TYPE:
      return as_number(c->sql_type);
    case SQL_DESC_LENGTH:
    case SQL_DESC_OCTET_LENGTH:
    case SQL_DESC_PRECISION:
    case SQL_COLUMN_LENGTH:
    case SQL_COLUMN_PRECISION:
    case SQL_DESC_DISPLAY_SIZE:
      return as_number(c->size);
    case SQL_DESC_SCALE:
    case SQL_COLUMN_SCALE:
      return as_number(c->decimals);
    case SQL_DESC_NULLABLE:
    case SQL_COLUMN_NULLABLE:
      return as_number(c->nullable ? SQL_NULLABLE : SQL_NO_NULLS);
    case SQL_DESC_UNSIGNED:
      return as_number(c->sql_type == SQL_VARCHAR || c->sql_type == SQL_CHAR ? SQL_TRUE
                                                                             : SQL_FALSE);
    case SQL_DESC_SEARCHABLE:
      return as_number(SQL_PRED_SEARCHABLE);
    case SQL_DESC_UPDATABLE:
      return as_number(SQL_ATTR_READONLY);
    case SQL_DESC_CASE_SENSITIVE:
      return as_number(SQL_TRUE);
    default:
      return as_number(0);
  }
}

SQLRETURN RowCount(StatementHandle* stmt, SQLLEN* count) {
  stmt->diag.Clear();
  if (count) *count = stmt->row_count;
  return SQL_SUCCESS;
}

SQLRETURN CloseCursor(StatementHandle* stmt) {
  stmt->diag.Clear();
  ResetResults(stmt);
  return SQL_SUCCESS;
}

}  // namespace morvane::emulator::odbc
