#include "engine/redbrick_storage.h"

#include <cstdint>

namespace morvane::emulator {
namespace {

using Wide = unsigned __int128;

// Fewest bytes that hold every count from 0 to `largest`.
int UnsignedBytes(Wide largest) {
  int bytes = 1;
  while (bytes < 16 && largest >> (8 * bytes) != 0) ++bytes;
  return bytes;
}

// Days from 0001-01-01 to 9999-12-31, the server's range of dates.
Wide DateRangeDays() {
  Wide days = 0;
  for (int year = 1; year < 10000; ++year) {
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    days += leap ? 366 : 365;
  }
  return days - 1;
}

// DATE: a day number over the server's range of dates (3,652,058 fits 22 bits: 3 bytes).
int DateBytes() {
  static const int bytes = UnsignedBytes(DateRangeDays());
  return bytes;
}

// TIME: the second of the day (86,399: 3 bytes); with fractional seconds the server keeps
// the microsecond of the day whatever precision was declared (86,399,999,999: 5 bytes).
int TimeBytes(bool fractional) {
  Wide seconds_per_day = 24 * 60 * 60;
  return UnsignedBytes(fractional ? seconds_per_day * 1000000 - 1 : seconds_per_day - 1);
}

// DECIMAL and NUMERIC hold the value scaled to a whole number of up to `precision` digits,
// as a two's-complement integer in the fewest bytes. The server's integer widths are 1, 2
// and 4 bytes, then every width from 5 to 16: there is no three-byte integer, so precisions
// that would fit one take an INTEGER's four bytes. Precision 1 to 38; anything else is no
// DECIMAL the server stores.
int DecimalBytes(int precision) {
  if (precision < 1 || precision > 38) return 0;
  Wide largest = 1;
  for (int digit = 0; digit < precision; ++digit) largest *= 10;
  largest -= 1;
  for (int bytes = 1; bytes <= 16; ++bytes) {
    if (bytes == 3) continue;
    Wide signed_max = (Wide{1} << (8 * bytes - 1)) - 1;
    if (largest <= signed_max) return bytes;
  }
  return 0;
}

}  // namespace

int RedBrickLength(const ColumnType& t) {
  const std::string& n = t.name;
  // CHARACTER(n) is stored padded to n bytes; VARCHAR(n) reports its declared maximum.
  if (n == "CHAR" || n == "VARCHAR") return t.length.value_or(0);
  // Two's-complement integers: -128..127, -32,768..32,767, -2^31..2^31-1.
  if (n == "TINYINT") return sizeof(int8_t);
  if (n == "SMALLINT") return sizeof(int16_t);
  if (n == "INTEGER") return sizeof(int32_t);
  // IEEE 754 single and double precision.
  if (n == "REAL") return sizeof(float);
  if (n == "FLOAT" || n == "DOUBLE PRECISION") return sizeof(double);
  if (n == "DATE") return DateBytes();
  bool fractional = t.scale.value_or(0) != 0;
  if (n == "TIME") return TimeBytes(fractional);
  // TIMESTAMP: a DATE followed by a TIME.
  if (n == "TIMESTAMP") return DateBytes() + TimeBytes(fractional);
  if (n == "DECIMAL" || n == "NUMERIC") return DecimalBytes(t.precision.value_or(0));
  return 0;
}

}  // namespace morvane::emulator
