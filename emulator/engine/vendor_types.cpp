#include "engine/vendor_types.h"

#include <sqlext.h>

#include <map>

#include "engine/lexer.h"
#include "engine/sql_error.h"

namespace morvane::emulator {
namespace {

// How one declared type name maps onto a family's type.
enum class Shape {
  kPlain,           // no parameters
  kLength,          // (n); default length when omitted
  kPrecisionScale,  // (p[, s]); precision and scale as given
  kInteger,         // a whole number type that the family reports with scale 0
  kFraction,        // TIME/TIMESTAMP with fractional-second precision
};

struct Mapping {
  const char* name;  // family's type name
  Shape shape;
  int default_length = 0;
  std::optional<int> default_precision = std::nullopt;
  std::optional<int> default_scale = std::nullopt;
};

using MappingTable = std::map<std::string, Mapping, std::less<>>;

const MappingTable& OracleTypes() {
  static const MappingTable table = {
      {"VARCHAR2", {"VARCHAR2", Shape::kLength, 1}},
      {"VARCHAR", {"VARCHAR2", Shape::kLength, 1}},
      {"CHARACTER VARYING", {"VARCHAR2", Shape::kLength, 1}},
      {"CHAR VARYING", {"VARCHAR2", Shape::kLength, 1}},
      {"NVARCHAR2", {"NVARCHAR2", Shape::kLength, 1}},
      {"CHAR", {"CHAR", Shape::kLength, 1}},
      {"CHARACTER", {"CHAR", Shape::kLength, 1}},
      {"NCHAR", {"NCHAR", Shape::kLength, 1}},
      {"NUMBER", {"NUMBER", Shape::kPrecisionScale}},
      {"NUMERIC", {"NUMBER", Shape::kPrecisionScale, 0, std::nullopt, 0}},
      {"DECIMAL", {"NUMBER", Shape::kPrecisionScale, 0, std::nullopt, 0}},
      {"DEC", {"NUMBER", Shape::kPrecisionScale, 0, std::nullopt, 0}},
      {"INTEGER", {"NUMBER", Shape::kInteger}},
      {"INT", {"NUMBER", Shape::kInteger}},
      {"SMALLINT", {"NUMBER", Shape::kInteger}},
      {"FLOAT", {"FLOAT", Shape::kPrecisionScale, 0, 126}},
      {"REAL", {"FLOAT", Shape::kPlain, 0, 63}},
      {"DOUBLE PRECISION", {"FLOAT", Shape::kPlain, 0, 126}},
      {"DATE", {"DATE", Shape::kPlain}},
      {"TIMESTAMP", {"TIMESTAMP", Shape::kFraction, 0, std::nullopt, 6}},
      {"LONG", {"LONG", Shape::kPlain}},
      {"LONG VARCHAR", {"LONG", Shape::kPlain}},
      {"RAW", {"RAW", Shape::kLength, 1}},
      {"LONG RAW", {"LONG RAW", Shape::kPlain}},
      {"ROWID", {"ROWID", Shape::kPlain}},
      {"CLOB", {"CLOB", Shape::kPlain}},
      {"NCLOB", {"NCLOB", Shape::kPlain}},
      {"BLOB", {"BLOB", Shape::kPlain}},
      {"BFILE", {"BFILE", Shape::kPlain}},
  };
  return table;
}

const MappingTable& RedBrickTypes() {
  static const MappingTable table = {
      {"CHAR", {"CHAR", Shape::kLength, 1}},
      {"CHARACTER", {"CHAR", Shape::kLength, 1}},
      {"VARCHAR", {"VARCHAR", Shape::kLength, 1}},
      {"VARCHAR2", {"VARCHAR", Shape::kLength, 1}},
      {"CHARACTER VARYING", {"VARCHAR", Shape::kLength, 1}},
      {"INTEGER", {"INTEGER", Shape::kPlain}},
      {"INT", {"INTEGER", Shape::kPlain}},
      {"SMALLINT", {"SMALLINT", Shape::kPlain}},
      {"TINYINT", {"TINYINT", Shape::kPlain}},
      {"DECIMAL", {"DECIMAL", Shape::kPrecisionScale, 0, 9, 0}},
      {"DEC", {"DECIMAL", Shape::kPrecisionScale, 0, 9, 0}},
      {"NUMBER", {"DECIMAL", Shape::kPrecisionScale, 0, 9, 0}},
      {"NUMERIC", {"NUMERIC", Shape::kPrecisionScale, 0, 9, 0}},
      {"NUM", {"NUMERIC", Shape::kPrecisionScale, 0, 9, 0}},
      {"REAL", {"REAL", Shape::kPlain}},
      {"FLOAT", {"FLOAT", Shape::kPlain}},
      {"DOUBLE PRECISION", {"DOUBLE PRECISION", Shape::kPlain}},
      {"DOUBLE", {"DOUBLE PRECISION", Shape::kPlain}},
      {"DATE", {"DATE", Shape::kPlain}},
      {"TIME", {"TIME", Shape::kFraction, 0, std::nullopt, 0}},
      {"TIMESTAMP", {"TIMESTAMP", Shape::kFraction, 0, std::nullopt, 0}},
  };
  return table;
}

const MappingTable& BroadbaseTypes() {
  static const MappingTable table = {
      {"BIT", {"BIT", Shape::kPlain}},
      {"TINYINT", {"TINYINT", Shape::kPlain}},
      {"SMALLINT", {"SMALLINT", Shape::kPlain}},
      {"INTEGER", {"INTEGER", Shape::kPlain}},
      {"INT", {"INTEGER", Shape::kPlain}},
      {"BIGINT", {"BIGINT", Shape::kPlain}},
      {"FLOAT", {"FLOAT", Shape::kPlain}},
      {"REAL", {"REAL", Shape::kPlain}},
      {"DOUBLE", {"DOUBLE", Shape::kPlain}},
      {"DOUBLE PRECISION", {"DOUBLE", Shape::kPlain}},
      {"NUMERIC", {"NUMERIC", Shape::kPrecisionScale, 0, 18, 0}},
      {"NUMBER", {"NUMERIC", Shape::kPrecisionScale, 0, 18, 0}},
      {"DECIMAL", {"DECIMAL", Shape::kPrecisionScale, 0, 18, 0}},
      {"DEC", {"DECIMAL", Shape::kPrecisionScale, 0, 18, 0}},
      {"CHAR", {"CHAR", Shape::kLength, 1}},
      {"CHARACTER", {"CHAR", Shape::kLength, 1}},
      {"VARCHAR", {"VARCHAR", Shape::kLength, 1}},
      {"VARCHAR2", {"VARCHAR", Shape::kLength, 1}},
      {"LONG VARCHAR", {"LONG VARCHAR", Shape::kPlain}},
      {"DATE", {"DATE", Shape::kPlain}},
      {"TIME", {"TIME", Shape::kPlain}},
      {"TIMESTAMP", {"TIMESTAMP", Shape::kPlain}},
      {"BINARY", {"BINARY", Shape::kLength, 1}},
      {"VARBINARY", {"VARBINARY", Shape::kLength, 1}},
      {"LONG VARBINARY", {"LONG VARBINARY", Shape::kPlain}},
  };
  return table;
}

const MappingTable& TypesOf(Family family) {
  switch (family) {
    case Family::kOracle:
      return OracleTypes();
    case Family::kRedBrick:
      return RedBrickTypes();
    case Family::kBroadbase:
      return BroadbaseTypes();
  }
  return OracleTypes();
}

std::optional<int> Param(const std::vector<int>& params, size_t i) {
  if (i < params.size()) return params[i];
  return std::nullopt;
}

ColumnType Apply(const Mapping& m, const std::vector<int>& params) {
  ColumnType type{m.name, std::nullopt, std::nullopt, std::nullopt};
  switch (m.shape) {
    case Shape::kPlain:
      type.precision = m.default_precision;
      break;
    case Shape::kLength:
      type.length = Param(params, 0).value_or(m.default_length);
      break;
    case Shape::kPrecisionScale:
      type.precision = Param(params, 0) ? Param(params, 0) : m.default_precision;
      type.scale = Param(params, 1) ? Param(params, 1)
                                    : (Param(params, 0) ? std::optional<int>(0) : m.default_scale);
      break;
    case Shape::kInteger:
      type.scale = 0;
      break;
    case Shape::kFraction:
      type.scale = Param(params, 0) ? Param(params, 0) : m.default_scale;
      break;
  }
  return type;
}

bool IsCharacter(const std::string& n) {
  return n == "CHAR" || n == "VARCHAR" || n == "VARCHAR2" || n == "NCHAR" || n == "NVARCHAR2";
}

}  // namespace

ColumnType NormaliseType(Family family, std::string_view words, const std::vector<int>& params) {
  const MappingTable& table = TypesOf(family);
  std::string key = AsciiUpper(words);
  auto it = table.find(key);
  if (it != table.end()) return Apply(it->second, params);
  if (family == Family::kBroadbase) {
    // Broadbase keeps types it has no code for; its catalogue then shows them as UNKNOWN.
    ColumnType type{key, std::nullopt, std::nullopt, std::nullopt};
    type.length = Param(params, 0);
    return type;
  }
  throw SqlError(ErrorKind::kSyntax, "invalid datatype " + key);
}

std::string TypeText(const ColumnType& type) {
  std::string text = type.name;
  if (type.length) return text + "(" + std::to_string(*type.length) + ")";
  if (type.name == "NUMBER" && type.precision) {
    text += "(" + std::to_string(*type.precision);
    if (type.scale && *type.scale != 0) text += "," + std::to_string(*type.scale);
    return text + ")";
  }
  if ((type.name == "DECIMAL" || type.name == "NUMERIC") && type.precision) {
    return text + "(" + std::to_string(*type.precision) + "," +
           std::to_string(type.scale.value_or(0)) + ")";
  }
  if (type.name == "FLOAT" && type.precision && *type.precision != 126) {
    return text + "(" + std::to_string(*type.precision) + ")";
  }
  if ((type.name == "TIME" || type.name == "TIMESTAMP") && type.scale && *type.scale != 0) {
    return text + "(" + std::to_string(*type.scale) + ")";
  }
  return text;
}

ColumnType ParseTypeText(Family family, std::string_view text) {
  std::string upper = AsciiUpper(text);
  std::vector<int> params;
  size_t open = upper.find('(');
  std::string words = upper.substr(0, open);
  while (!words.empty() && words.back() == ' ') words.pop_back();
  if (open != std::string::npos) {
    size_t pos = open + 1;
    while (pos < upper.size()) {
      size_t used = 0;
      try {
        params.push_back(std::stoi(upper.substr(pos), &used));
      } catch (const std::exception&) {
        break;
      }
      pos = upper.find_first_of(",)", pos + used);
      if (pos == std::string::npos || upper[pos] == ')') break;
      ++pos;
    }
  }
  const MappingTable& table = TypesOf(family);
  if (words.empty() || table.find(words) == table.end()) {
    return NormaliseType(family, family == Family::kOracle ? "VARCHAR2" : "VARCHAR", {4000});
  }
  return NormaliseType(family, words, params);
}

int OracleDataLength(const ColumnType& t) {
  const std::string& n = t.name;
  if (n == "NUMBER" || n == "FLOAT") return 22;
  if (n == "DATE") return 7;
  if (n == "TIMESTAMP") return 11;
  if (n == "NCHAR" || n == "NVARCHAR2") return 2 * t.length.value_or(1);
  if (t.length) return *t.length;
  if (n == "ROWID") return 10;
  if (n == "CLOB" || n == "NCLOB" || n == "BLOB") return 4000;
  if (n == "BFILE") return 530;
  return 0;  // LONG, LONG RAW
}

int RedBrickPrecision(const ColumnType& t) {
  const std::string& n = t.name;
  if (n == "INTEGER") return 10;
  if (n == "SMALLINT") return 5;
  if (n == "TINYINT") return 3;
  if (n == "REAL") return 7;
  if (n == "FLOAT" || n == "DOUBLE PRECISION") return 15;
  if (n == "TIME" || n == "TIMESTAMP") return t.scale.value_or(0);
  return t.precision.value_or(0);
}

int BroadbaseSqlType(const ColumnType& t) {
  static const std::map<std::string, int, std::less<>> kCodes = {
      {"BIT", -7},    {"TINYINT", -6},   {"SMALLINT", 5},       {"INTEGER", 4},
      {"BIGINT", -5}, {"FLOAT", 6},      {"REAL", 7},           {"DOUBLE", 8},
      {"NUMERIC", 2}, {"DECIMAL", 3},    {"CHAR", 1},           {"VARCHAR", 12},
      {"DATE", 9},    {"TIME", 10},      {"TIMESTAMP", 11},     {"LONG VARCHAR", -1},
      {"BINARY", -2}, {"VARBINARY", -3}, {"LONG VARBINARY", -4}};
  auto it = kCodes.find(t.name);
  return it == kCodes.end() ? 0 : it->second;
}

int BroadbaseQ1(const ColumnType& t) {
  const std::string& n = t.name;
  if (t.length) return *t.length;
  if (n == "NUMERIC" || n == "DECIMAL") return t.precision.value_or(0);
  if (n == "INTEGER") return 10;
  if (n == "SMALLINT") return 5;
  if (n == "TINYINT") return 3;
  if (n == "BIGINT") return 19;
  if (n == "BIT") return 1;
  if (n == "REAL") return 7;
  if (n == "FLOAT" || n == "DOUBLE") return 15;
  if (n == "DATE") return 10;
  if (n == "TIME") return 8;
  if (n == "TIMESTAMP") return 19;
  if (n == "LONG VARCHAR" || n == "LONG VARBINARY") return 2147483647;
  return 0;
}

int OdbcSqlType(const ColumnType& t) {
  const std::string& n = t.name;
  if (n == "CHAR" || n == "NCHAR") return SQL_CHAR;
  if (IsCharacter(n)) return SQL_VARCHAR;
  if (n == "NUMBER" || n == "DECIMAL")
    return t.scale.value_or(1) == 0 && t.precision.value_or(39) <= 9 ? SQL_INTEGER : SQL_DECIMAL;
  if (n == "NUMERIC") return SQL_NUMERIC;
  if (n == "INTEGER") return SQL_INTEGER;
  if (n == "SMALLINT") return SQL_SMALLINT;
  if (n == "TINYINT") return SQL_TINYINT;
  if (n == "BIGINT") return SQL_BIGINT;
  if (n == "BIT") return SQL_BIT;
  if (n == "REAL") return SQL_REAL;
  if (n == "FLOAT" || n == "DOUBLE" || n == "DOUBLE PRECISION") return SQL_DOUBLE;
  if (n == "DATE") return SQL_TYPE_TIMESTAMP;
  if (n == "TIME") return SQL_TYPE_TIME;
  if (n == "TIMESTAMP") return SQL_TYPE_TIMESTAMP;
  if (n == "LONG" || n == "CLOB" || n == "NCLOB" || n == "LONG VARCHAR") return SQL_LONGVARCHAR;
  if (n == "RAW" || n == "VARBINARY") return SQL_VARBINARY;
  if (n == "BINARY") return SQL_BINARY;
  if (n == "LONG RAW" || n == "BLOB" || n == "LONG VARBINARY") return SQL_LONGVARBINARY;
  return SQL_VARCHAR;
}

int OdbcColumnSize(const ColumnType& t) {
  if (t.length) return *t.length;
  switch (OdbcSqlType(t)) {
    case SQL_DECIMAL:
    case SQL_NUMERIC:
      return t.precision.value_or(38);
    case SQL_INTEGER:
      return 10;
    case SQL_SMALLINT:
      return 5;
    case SQL_TINYINT:
      return 3;
    case SQL_BIGINT:
      return 19;
    case SQL_BIT:
      return 1;
    case SQL_REAL:
      return 7;
    case SQL_DOUBLE:
      return 15;
    case SQL_TYPE_TIMESTAMP:
      return 19;
    case SQL_TYPE_TIME:
      return 8;
    case SQL_LONGVARCHAR:
    case SQL_LONGVARBINARY:
      return 2147483647;
    default:
      return 255;
  }
}

}  // namespace morvane::emulator
