// Cell numbers as text, the way a cell's Value turns into a string when read through Excel's
// object model: at most 15 significant digits, no trailing ".0", an exponent only for very
// large or very small magnitudes, and dates in the Japanese short form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvane::xlsx {

// 1 -> "1", 0.1 + 0.2 -> "0.3", 1e20 -> "1E+20", 0.00001 -> "1E-05".
std::string NumberToText(double value);

// True when text is a whole number written the way NumberToText writes it: an optional "-",
// then at most 15 digits without a leading zero ("0" itself, but not "-0"). Such text reads
// back unchanged as a number, which tells it apart without formatting it again.
bool IsPlainWholeNumber(std::string_view text);

// Parses the text of a <v> element or of a value being written; nothing when it is not a
// plain decimal or exponent number.
std::optional<double> ParseNumber(std::string_view text);

// A date serial (days since 1899-12-30, with the 1900 leap-year quirk kept) as
// "2001/02/03", "2001/02/03 4:05:06" or "4:05:06" when there is no day part.
std::string DateSerialToText(double serial, bool date1904);

// ISO 8601 text of a date cell ("2001-02-03T04:05:06") in the same short form.
std::string IsoDateToText(std::string_view iso);

}  // namespace morvane::xlsx
