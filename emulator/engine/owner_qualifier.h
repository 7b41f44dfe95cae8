// Table names qualified by the database's owner (SCOTT.EMP, "SALES"."ORDERS"): the servers
// resolve them to the owner's own tables, which live in SQLite's main schema.
#pragma once

#include <string>

namespace morvane::emulator {

// `sql` with every qualifier that names `owner` (a plain word in any case, or a quoted
// identifier exactly) followed by "." replaced by main, so SQLite finds the owner's tables.
// Qualifiers naming other schemas (the catalogue's SYS or SYSTEM) are left as they are.
std::string ResolveOwnerQualifiers(const std::string& sql, const std::string& owner);

}  // namespace morvane::emulator
