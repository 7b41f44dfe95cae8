// Column data types as each family names and measures them. A declared type from DDL is
// brought to the family's own spelling once, when the table is created; the catalogues then
// read lengths, codes and byte sizes from it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/family.h"

namespace morvane::emulator {

struct ColumnType {
  std::string name;  // the family's type name, e.g. "VARCHAR2", "NUMBER", "DOUBLE PRECISION"
  std::optional<int> length;
  std::optional<int> precision;
  std::optional<int> scale;
};

// Brings a declared type (its words upper-cased, e.g. "DOUBLE PRECISION", and its numbers in
// parentheses) to the family's spelling. Throws SqlError for a type the family does not know.
ColumnType NormaliseType(Family family, std::string_view words, const std::vector<int>& params);

// The type as text for the SQLite table, e.g. "NUMBER(10,2)"; parsed back by ParseTypeText.
std::string TypeText(const ColumnType& type);

// Reads a type text (as SQLite reports a view column's declared type). Unknown or empty text
// gives the family's general character type.
ColumnType ParseTypeText(Family family, std::string_view text);

// Oracle USER_TAB_COLUMNS.DATA_LENGTH.
int OracleDataLength(const ColumnType& type);
// Red Brick RBW_COLUMNS.PRECISION and SCALE (LENGTH: redbrick_storage.h).
int RedBrickPrecision(const ColumnType& type);
// Broadbase SYSTEM.COLUMNS.SQL_TYPE (ODBC 2 type number, 0 when unknown), SQL_Q1, SQL_Q2.
int BroadbaseSqlType(const ColumnType& type);
int BroadbaseQ1(const ColumnType& type);
// ODBC SQL type number and column size reported to clients.
int OdbcSqlType(const ColumnType& type);
int OdbcColumnSize(const ColumnType& type);

}  // namespace morvane::emulator
