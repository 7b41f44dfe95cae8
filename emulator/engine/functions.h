// SQL functions of the vendors' dialects, registered on every SQLite connection of the driver:
// DECODE, NVL, NVL2, TO_CHAR, TO_DATE, TO_NUMBER, STRING, SYSDATE, CONCAT.
#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>

namespace morvane::emulator {

void RegisterDialectFunctions(sqlite3* db);

// Formats a stored date text ("YYYY-MM-DD HH:MM:SS") with an Oracle date format model such as
// 'YYYY-MM-DD HH24:MI:SS'. Returns false when the text is not a date.
bool FormatOracleDate(std::string_view date_text, std::string_view format, std::string& out);

// True for "YYYY-MM-DD HH:MM:SS" naming a real date and time.
bool IsTimestampText(std::string_view text);

// Oracle's TO_CHAR of a number without format: 0.5 gives ".5", 3.0 gives "3".
std::string OracleNumberText(double value);

}  // namespace morvane::emulator
