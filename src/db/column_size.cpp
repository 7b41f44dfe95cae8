#include "db/column_size.h"

#include <cstdint>

#include "model/data_kind.h"
#include "text/cp932_text.h"

namespace morvane {

namespace {

bool IsWholeNumber(std::string_view text) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The text itself when it is a whole decimal number, otherwise "0".
std::string NumberOrZero(std::string_view text) {
  return IsWholeNumber(text) ? std::string(text) : std::string("0");
}

// Value of a whole decimal number; magnitudes beyond any real size saturate instead of
// overflowing.
int64_t WholeNumberValue(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  constexpr int64_t kLimit = INT64_C(1000000000000000000);
  int64_t value = 0;
  for (char c : text) {
    if (value >= kLimit / 10) {  // one more digit reaches the limit
      value = kLimit;
      break;
    }
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

// Bytes of a Red Brick DECIMAL or NUMERIC of the given precision.
int RedBrickDecimalBytes(int64_t precision) {
  struct Step {
    int max_precision;
    int bytes;
  };
  static constexpr Step kSteps[] = {{2, 1},   {4, 2},   {9, 4},   {11, 5},  {14, 6},
                                    {16, 7},  {18, 8},  {21, 9},  {23, 10}, {26, 11},
                                    {28, 12}, {31, 13}, {33, 14}, {35, 15}, {38, 16}};
  if (precision < 1) return 0;
  for (const Step& step : kSteps) {
    if (precision <= step.max_precision) return step.bytes;
  }
  return 0;
}

std::string RedBrickSize(const std::string& type, const std::string& length,
                         const std::string& scale) {
  if (type == "VARCHAR" || type == "CHARACTER" || type == "CHAR") return length;
  if (type == "DATE") return "3";
  if (type == "TIME") return scale == "0" ? "3" : "5";
  if (type == "TIMESTAMP") return scale == "0" ? "6" : "8";
  if (type == "INTEGER" || type == "INT") return "4";
  if (type == "SMALLINT") return "2";
  if (type == "TINYINT") return "1";
  if (type == "DECIMAL" || type == "DEC" || type == "NUMERIC" || type == "NUM") {
    return std::to_string(RedBrickDecimalBytes(WholeNumberValue(length)));
  }
  if (type == "REAL") return "4";
  if (type == "DOUBLE" || type == "DOUBLE PRECISION" || type == "FLOAT") return "8";
  return "0";
}

std::string OracleSize(const std::string& type, const std::string& length) {
  if (type == "CHAR" || type == "NCHAR" || type == "VARCHAR2" || type == "NVARCHAR2") {
    return length;
  }
  if (type == "NUMBER") {
    if (length == "0") return "22";
    // Two digits per byte, rounded up, plus one byte of exponent.
    int64_t precision = WholeNumberValue(length);
    int64_t half_up = precision >= 0 ? (precision + 1) / 2 : -(-precision / 2);
    return std::to_string(half_up + 1);
  }
  if (type == "DATE") return "7";
  if (type == "ROW") return length;
  return "0";
}

// Sizes as ODBC transfers values of the standard SQL types: the sizes the generic ODBC product's
// catalogue reader gives fetched columns.
std::string OdbcSize(const std::string& type, const std::string& length) {
  // PostgreSQL's own names (int4, bpchar, ...) as its driver reports them are known too.
  if (type == "CHAR" || type == "CHARACTER" || type == "VARCHAR" || type == "CHARACTER VARYING" ||
      type == "BPCHAR" || type == "BINARY" || type == "VARBINARY") {
    return length;
  }
  if (type == "BIT" || type == "TINYINT" || type == "BOOLEAN" || type == "BOOL") return "1";
  if (type == "SMALLINT" || type == "INT2") return "2";
  if (type == "INTEGER" || type == "INT" || type == "INT4" || type == "REAL" || type == "FLOAT4") {
    return "4";
  }
  if (type == "BIGINT" || type == "INT8" || type == "FLOAT" || type == "FLOAT8" ||
      type == "DOUBLE" || type == "DOUBLE PRECISION") {
    return "8";
  }
  if (type == "DECIMAL" || type == "DEC" || type == "NUMERIC") {
    // Digits, sign and decimal point as text.
    const int64_t precision = WholeNumberValue(length);
    return precision > 0 ? std::to_string(precision + 2) : "0";
  }
  if (type == "DATE" || type == "TIME") return "6";
  if (type == "TIMESTAMP" || type == "DATETIME") return "16";
  return "0";
}

}  // namespace

std::string ColumnByteSize(Product product, std::string_view data_type,
                           std::string_view length_or_precision, std::string_view scale) {
  std::string type = UpperAsciiLetters(data_type);
  std::string length = NumberOrZero(length_or_precision);
  std::string scale_text = NumberOrZero(scale);
  switch (ProfileOf(product).typeRules) {
    case TypeRules::kRedBrick:
      return RedBrickSize(type, length, scale_text);
    case TypeRules::kOracle:
      return OracleSize(type, length);
    case TypeRules::kOdbc:
      return OdbcSize(type, length);
    case TypeRules::kNone:
      break;
  }
  return "0";
}

}  // namespace morvane
