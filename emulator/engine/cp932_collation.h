// The order in which the servers compare text: as the bytes of its Shift-JIS (code page 932)
// form, not as the UTF-8 SQLite holds. Registered as the collation "CP932" on every
// connection; the catalogue's and the user tables' columns are declared with it.
#pragma once

#include <sqlite3.h>

#include <string_view>

namespace morvane::emulator {

inline constexpr const char* kCp932Collation = "CP932";

// <0, 0, >0 as the CP932 bytes of the two UTF-8 texts compare. A character CP932 cannot hold
// sorts after every one it can.
int CompareAsCp932(std::string_view a, std::string_view b);

void RegisterCp932Collation(sqlite3* db);

}  // namespace morvane::emulator
