#include "db/odbc_dbms/mariadb_column_type.h"

#include <sqlext.h>

#include <map>
#include <string_view>

namespace morvane {

namespace {

SQLSMALLINT DataType(const MariaDbColumnType& type) {
  static const std::map<std::string_view, SQLSMALLINT> kTypes = {{"tinyint", SQL_TINYINT},
                                                                 {"smallint", SQL_SMALLINT},
                                                                 {"year", SQL_SMALLINT},
                                                                 {"mediumint", SQL_INTEGER},
                                                                 {"int", SQL_INTEGER},
                                                                 {"bigint", SQL_BIGINT},
                                                                 {"decimal", SQL_DECIMAL},
                                                                 {"binary", SQL_BINARY},
                                                                 {"varbinary", SQL_VARBINARY},
                                                                 {"text", SQL_WLONGVARCHAR},
                                                                 {"tinytext", SQL_WLONGVARCHAR},
                                                                 {"mediumtext", SQL_WLONGVARCHAR},
                                                                 {"longtext", SQL_WLONGVARCHAR},
                                                                 {"char", SQL_WCHAR},
                                                                 {"enum", SQL_WCHAR},
                                                                 {"set", SQL_WCHAR},
                                                                 {"varchar", SQL_WVARCHAR},
                                                                 {"date", SQL_TYPE_DATE},
                                                                 {"time", SQL_TYPE_TIME},
                                                                 {"datetime", SQL_TYPE_TIMESTAMP},
                                                                 {"timestamp", SQL_TYPE_TIMESTAMP}};
  if (type.dataType == "bit") return type.precision == 1 ? SQL_BIT : SQL_BINARY;
  if (type.dataType == "float") return type.scale ? SQL_DECIMAL : SQL_REAL;
  if (type.dataType == "double") return type.scale ? SQL_DECIMAL : SQL_DOUBLE;
  auto found = kTypes.find(type.dataType);
  return found == kTypes.end() ? SQL_LONGVARBINARY : found->second;
}

// The bytes of a bit field: (precision + 7) / 8, rounded as the server rounds to a whole number.
std::optional<long> BitBytes(const MariaDbColumnType& type) {
  if (!type.precision) return std::nullopt;
  return (2 * *type.precision + 22) / 16;
}

std::optional<long> ColumnSize(const MariaDbColumnType& type) {
  static const std::map<std::string_view, long> kFixed = {
      {"date", 10}, {"time", 8}, {"year", 4}, {"timestamp", 19}, {"datetime", 19}};
  const std::string& name = type.dataType;
  if (name == "bit") return BitBytes(type);
  if (name == "tinyint" || name == "smallint" || name == "mediumint" || name == "int" ||
      name == "bigint" || name == "decimal") {
    return type.precision;
  }
  if (name == "float") return type.scale ? type.precision : 7;
  if (name == "double") return type.scale ? type.precision : 15;
  auto found = kFixed.find(name);
  if (found != kFixed.end()) return found->second;
  return type.maxLength;
}

std::optional<long> BufferLength(const MariaDbColumnType& type, SQLSMALLINT data_type,
                                 std::optional<long> size) {
  switch (data_type) {
    case SQL_BIT:
    case SQL_TINYINT:
      return 1;
    case SQL_SMALLINT:
      return 2;
    case SQL_INTEGER:
      return type.dataType == "mediumint" ? 3 : 4;
    case SQL_BIGINT:
      return 20;
    case SQL_REAL:
      return 4;
    case SQL_DOUBLE:
      return 8;
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
      return 6;
    case SQL_TYPE_TIMESTAMP:
      return 16;
    case SQL_DECIMAL:
      if (!size) return std::nullopt;
      return *size + (type.isUnsigned ? 1 : 2);
    case SQL_BINARY:
      return type.dataType == "bit" ? BitBytes(type) : type.octetLength;
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
      return type.octetLength;
    default:  // text: four bytes a character
      if (!type.maxLength) return std::nullopt;
      return *type.maxLength * 4;
  }
}

}  // namespace

void SetMariaDbColumnType(const MariaDbColumnType& type, OdbcColumnEntry& column) {
  column.dataType = DataType(type);
  column.columnSize = ColumnSize(type);
  column.bufferLength =
      BufferLength(type, static_cast<SQLSMALLINT>(column.dataType), column.columnSize);
  column.decimalDigits = type.scale;
  column.radix = type.octetLength ? std::nullopt : std::optional<long>(10);
  if (type.octetLength) {
    column.octetLength = column.bufferLength;
  } else if (type.dataType == "bit" && type.precision == 1) {
    column.octetLength = std::nullopt;
  } else {
    column.octetLength = BitBytes(type);
  }
}

}  // namespace morvane
