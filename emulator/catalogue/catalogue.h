// The vendor catalogues derived from the live schema. Each family's tables are rebuilt as a
// whole whenever the schema generation moved on, and kept in a companion SQLite file attached
// under the family's catalogue schema (SYS for Oracle, SYSTEM for Red Brick and Broadbase).
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue_table.h"
#include "engine/schema_model.h"

namespace morvane::emulator {

std::vector<CatalogueTable> BuildOracleCatalogue(const SchemaModel& model);
// True for the catalogue views Oracle 8 added (USER_PART_TABLES, USER_NESTED_TABLES, ...).
bool IsOracle8View(std::string_view name);
std::vector<CatalogueTable> BuildRedBrickCatalogue(const SchemaModel& model);
std::vector<CatalogueTable> BuildBroadbaseCatalogue(const SchemaModel& model);

// The generation the attached catalogue was built from (0 when never built).
int64_t CatalogueGeneration(sqlite3* db, const std::string& schema);

// Rebuilds the attached catalogue from the model and stamps it with the generation.
void RebuildCatalogue(sqlite3* db, const std::string& schema, const SchemaModel& model,
                      int64_t generation);

// Describes the family's own catalogue tables as system tables (owner SYSTEM), for the
// families whose catalogues list themselves.
std::vector<ObjectDef> SystemTableObjects(Family family, const std::vector<CatalogueTable>& tables,
                                          const std::string& created);

}  // namespace morvane::emulator
