#include "db/odbc_dbms/postgresql_column_type.h"

#include <sqlext.h>

#include <array>

namespace morvane {

namespace {

// Type oids of PostgreSQL's own catalogue.
enum PgType : long {
  kBool = 16,
  kBytea = 17,
  kChar = 18,
  kName = 19,
  kInt8 = 20,
  kInt2 = 21,
  kInt4 = 23,
  kText = 25,
  kOid = 26,
  kXid = 28,
  kXml = 142,
  kXmlArray = 143,
  kCidr = 650,
  kFloat4 = 700,
  kFloat8 = 701,
  kMoney = 790,
  kMacaddr = 829,
  kInet = 869,
  kBpchar = 1042,
  kVarchar = 1043,
  kDate = 1082,
  kTime = 1083,
  kTimestamp = 1114,
  kTimestampTz = 1184,
  kInterval = 1186,
  kTimeTz = 1266,
  kBit = 1560,
  kNumeric = 1700,
  kUuid = 2950,
};

// The driver's longest VARCHAR and LONGVARCHAR (MaxVarcharSize, MaxLongVarcharSize).
constexpr long kMaxVarchar = 255;
constexpr long kMaxLongVarchar = 8190;

// Types whose size is fixed.
struct FixedType {
  long type;
  SQLSMALLINT data_type;
  long size;
  long buffer;
  std::optional<long> decimals;
  bool decimal_radix;
};

constexpr std::array<FixedType, 16> kFixedTypes = {{
    {kInt2, SQL_SMALLINT, 5, 2, 0, true},
    {kInt4, SQL_INTEGER, 10, 4, 0, true},
    {kOid, SQL_INTEGER, 10, 4, 0, true},
    {kXid, SQL_INTEGER, 10, 4, 0, true},
    {kInt8, SQL_BIGINT, 19, 8, 0, true},
    {kFloat4, SQL_REAL, 9, 4, 0, true},
    {kFloat8, SQL_FLOAT, 17, 8, 0, true},
    {kMoney, SQL_FLOAT, 10, 4, 0, true},
    {kBool, SQL_VARCHAR, 5, 5, 0, false},  // booleans as text ("BoolsAsChar")
    {kChar, SQL_CHAR, 1, 1, std::nullopt, false},
    {kDate, SQL_TYPE_DATE, 10, 6, std::nullopt, false},
    {kBytea, SQL_LONGVARBINARY, SQL_NO_TOTAL, SQL_NO_TOTAL, std::nullopt, false},
    {kUuid, SQL_GUID, 37, 16, std::nullopt, false},
    {kInet, SQL_VARCHAR, 50, 50, std::nullopt, false},
    {kCidr, SQL_VARCHAR, 50, 50, std::nullopt, false},
    {kMacaddr, SQL_VARCHAR, 17, 17, std::nullopt, false},
}};

// The driver takes four off a modifier of at least four (the length word of variable-length
// types), except for these types, whose modifier is a precision or a length of its own.
long DriverModifier(long type, long typmod) {
  switch (type) {
    case kTimestampTz:
    case kTimestamp:
    case kTime:
    case kTimeTz:
    case kBit:
      return typmod;
    default:
      return typmod >= 4 ? typmod - 4 : typmod;
  }
}

void SetSizes(OdbcColumnEntry& column, SQLSMALLINT data_type, long size, long buffer,
              std::optional<long> decimals, bool decimal_radix, long octets) {
  column.dataType = data_type;
  column.columnSize = size;
  column.bufferLength = buffer;
  column.decimalDigits = decimals;
  column.radix = decimal_radix ? std::optional<long>(10) : std::nullopt;
  column.octetLength = octets;
}

// Text with a declared length (varchar, char, text): UTF-16's two bytes a character.
void SetText(long type, long modifier, OdbcColumnEntry& column) {
  const long size = type == kText ? kMaxLongVarchar : modifier > 0 ? modifier : kMaxVarchar;
  SQLSMALLINT data_type = type == kBpchar ? SQL_CHAR : SQL_VARCHAR;
  if (type == kText || size > kMaxVarchar) data_type = SQL_LONGVARCHAR;
  SetSizes(column, data_type, size, type == kText ? size : size * 2, std::nullopt, false, size * 2);
}

// Any other type, read as text of the modifier's length or the longest VARCHAR.
void SetOtherText(long type, long modifier, OdbcColumnEntry& column) {
  const bool array = type == kXmlArray || (type >= 1000 && type <= 1041);
  const long size = modifier > 0 && !array ? modifier : kMaxVarchar;
  SetSizes(column, type == kXml ? SQL_LONGVARCHAR : SQL_VARCHAR, size, size, std::nullopt, false,
           -1);
}

void SetTimestamp(long type, long modifier, OdbcColumnEntry& column) {
  const long scale = modifier > -1 ? modifier : 6;
  if (type == kTime) {
    SetSizes(column, SQL_TYPE_TIME, 8, 6, scale, false, -1);
    return;
  }
  SetSizes(column, SQL_TYPE_TIMESTAMP, scale > 0 ? 20 + scale : 19, 16, scale, false, -1);
}

void SetNumeric(long modifier, OdbcColumnEntry& column) {
  const long precision = modifier > -1 ? (modifier >> 16) & 0xffff : 28;
  const long scale = modifier > -1 ? modifier & 0xffff : 6;
  SetSizes(column, SQL_NUMERIC, precision, precision + 2, scale, true, -1);
}

}  // namespace

bool SetPostgresColumnType(long type, long typmod, OdbcColumnEntry& column) {
  const long modifier = DriverModifier(type, typmod);
  for (const FixedType& fixed : kFixedTypes) {
    if (fixed.type != type) continue;
    SetSizes(column, fixed.data_type, fixed.size, fixed.buffer, fixed.decimals, fixed.decimal_radix,
             type == kBytea ? SQL_NO_TOTAL : -1);
    return true;
  }
  switch (type) {
    case kPostgresTypeForFunctions:
    case kName:  // sized by the server's identifier length
      return false;
    case kInterval:  // sized by its fields and precision
      if (typmod >= 0) return false;
      SetSizes(column, SQL_VARCHAR, 32, 32, std::nullopt, false, -1);
      return true;
    case kVarchar:
    case kBpchar:
    case kText:
      SetText(type, modifier, column);
      return true;
    case kNumeric:
      SetNumeric(modifier, column);
      return true;
    case kTime:
    case kTimestamp:
    case kTimestampTz:
      SetTimestamp(type, modifier, column);
      return true;
    default:
      SetOtherText(type, modifier, column);
      return true;
  }
}

}  // namespace morvane
