// A vendor catalogue table as rows in memory, and how it is written into the attached
// catalogue schema.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace morvane::emulator {

using Value = std::variant<std::monostate, int64_t, double, std::string>;
using Row = std::vector<Value>;

inline Value Null() { return std::monostate{}; }
inline Value Text(const std::string& s) { return s; }
inline Value Int(int64_t v) { return v; }
Value OptText(const std::optional<std::string>& s);
Value OptInt(const std::optional<int>& v);
Value OptInt64(const std::optional<int64_t>& v);

struct CatalogueColumn {
  const char* name;
  const char* type;  // declared in the vendor's own type names
};

struct CatalogueTable {
  std::string name;
  std::vector<CatalogueColumn> columns;
  std::vector<std::string> indexes = {};  // e.g. "UNIQUE:TABLE_NAME" or "TABLE_NAME,COLUMN_ID"
  bool table_function = false;            // read as SYSTEM.NAME(); not listed as a table itself
  std::vector<Row> rows = {};
};

// Replaces every table of the schema by the given ones.
void WriteCatalogue(sqlite3* db, const std::string& schema,
                    const std::vector<CatalogueTable>& tables);

}  // namespace morvane::emulator
