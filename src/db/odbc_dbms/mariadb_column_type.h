// The column facts MariaDB Connector/ODBC's SQLColumns reports, worked out from a row of
// information_schema.COLUMNS, so that MariaDB's own reader gives the columns the catalogue
// functions give.
#pragma once

#include <optional>
#include <string>

#include "db/odbc_catalogue_calls.h"

namespace morvane {

// What information_schema.COLUMNS tells of a column's type.
struct MariaDbColumnType {
  std::string dataType;  // DATA_TYPE, as "varchar"
  bool isUnsigned = false;
  std::optional<long> precision;    // NUMERIC_PRECISION
  std::optional<long> scale;        // NUMERIC_SCALE
  std::optional<long> maxLength;    // CHARACTER_MAXIMUM_LENGTH
  std::optional<long> octetLength;  // CHARACTER_OCTET_LENGTH
};

// Fills data type, column size, buffer length, decimal digits, radix and octet length.
void SetMariaDbColumnType(const MariaDbColumnType& type, OdbcColumnEntry& column);

}  // namespace morvane
