#include "catalogue/oracle7_dictionary.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "catalogue/catalogue.h"
#include "engine/lexer.h"
#include "engine/sqlite_util.h"

namespace morvane::emulator {
namespace {

// The columns Oracle 8 added to the views the emulator keeps (index-organised, partitioned,
// temporary and nested tables, buffer pools, logging, object types, deferrable constraints,
// the statistics of the Oracle 8 optimiser).
const std::map<std::string, std::set<std::string>>& Oracle8Additions() {
  static const std::map<std::string, std::set<std::string>> additions = {
      {"USER_TABLES",
       {"IOT_NAME", "LOGGING", "AVG_SPACE_FREELIST_BLOCKS", "NUM_FREELIST_BLOCKS", "SAMPLE_SIZE",
        "LAST_ANALYZED", "PARTITIONED", "IOT_TYPE", "TEMPORARY", "NESTED", "BUFFER_POOL"}},
      {"USER_TAB_COLUMNS",
       {"DATA_TYPE_MOD", "DATA_TYPE_OWNER", "CHARACTER_SET_NAME", "CHAR_COL_DECL_LENGTH"}},
      {"USER_INDEXES",
       {"INDEX_TYPE", "PCT_THRESHOLD", "INCLUDE_COLUMN", "LOGGING", "NUM_ROWS", "SAMPLE_SIZE",
        "LAST_ANALYZED", "DEGREE", "INSTANCES", "PARTITIONED", "TEMPORARY", "GENERATED",
        "BUFFER_POOL"}},
      {"USER_IND_COLUMNS", {"DESCEND"}},
      {"USER_CONSTRAINTS",
       {"DEFERRABLE", "DEFERRED", "VALIDATED", "GENERATED", "BAD", "RELY", "LAST_CHANGE"}},
      {"USER_OBJECTS", {"SUBOBJECT_NAME", "DATA_OBJECT_ID", "TEMPORARY", "GENERATED"}},
  };
  return additions;
}

}  // namespace

void CreateOracle7Dictionary(sqlite3* db) {
  // The Oracle 8 catalogue's layout, taken from its definitions (an empty schema builds it).
  SchemaModel empty;
  empty.family = Family::kOracle;
  for (const CatalogueTable& table : BuildOracleCatalogue(empty)) {
    auto added = Oracle8Additions().find(table.name);
    if (added == Oracle8Additions().end()) continue;
    std::string columns;
    for (const CatalogueColumn& c : table.columns) {
      if (added->second.count(c.name)) continue;
      columns += (columns.empty() ? "" : ",") + QuoteIdentifier(c.name);
    }
    ExecSql(db, "CREATE TEMP VIEW " + QuoteIdentifier(table.name) + " AS SELECT " + columns +
                    " FROM SYS." + QuoteIdentifier(table.name));
  }
}

}  // namespace morvane::emulator
