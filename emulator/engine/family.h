// The database product families the emulator stands in for. Each data source speaks one
// family's dialect, and each database file holds one family's catalogue.
#pragma once

#include <optional>
#include <string_view>

namespace morvane::emulator {

enum class Family { kRedBrick, kOracle, kBroadbase };

// Accepts "RedBrick", "Red Brick", "Oracle", "Broadbase" in any letter case.
std::optional<Family> ParseFamily(std::string_view text);
const char* FamilyName(Family family);
// True for "Oracle7" (also "Oracle 7"): Oracle spoken through Oracle 7's data dictionary.
bool IsOracle7Dialect(std::string_view text);  // "RedBrick", "Oracle", "Broadbase"

// Schema name under which the family's catalogue tables are attached ("SYSTEM" or "SYS").
const char* CatalogueSchema(Family family);

}  // namespace morvane::emulator
