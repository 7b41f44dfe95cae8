// The column facts psqlODBC's SQLColumns reports for a PostgreSQL type (with its data source's
// default settings), worked out from the type and its modifier, so that PostgreSQL's own reader
// gives the columns the catalogue functions give.
#pragma once

#include <optional>

#include "db/odbc_catalogue_calls.h"

namespace morvane {

// A type the facts are not worked out for: the catalogue functions read such a column.
constexpr long kPostgresTypeForFunctions = -1;
// Any type of the database's own (enumerations, composite and extension types): the driver
// takes it for text.
constexpr long kPostgresUserType = 16384;

// Fills data type, column size, buffer length, decimal digits, radix and octet length of
// `column` for the type `type` (its oid; kPostgresUserType for any user type; the base type of
// a domain) and its modifier `typmod` (pg_attribute.atttypmod, or the domain's typtypmod).
// False where only the catalogue functions can tell.
bool SetPostgresColumnType(long type, long typmod, OdbcColumnEntry& column);

}  // namespace morvane
