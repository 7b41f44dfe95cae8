#include "catalogue/catalogue.h"

#include "engine/lexer.h"
#include "engine/sqlite_util.h"

namespace morvane::emulator {

namespace {

// The layout of the catalogue tables; a catalogue written in another layout is rebuilt.
// 2: text columns compare with the CP932 collation; Oracle 8's partition and nested-table views.
constexpr int64_t kCatalogueFormat = 2;

}  // namespace

int64_t CatalogueGeneration(sqlite3* db, const std::string& schema) {
  Statement exists(db, "SELECT 1 FROM " + QuoteIdentifier(schema) +
                           ".pragma_table_info('cat$meta') WHERE name = 'FORMAT'");
  if (!exists.Step()) return 0;
  Statement s(db, "SELECT GENERATION, FORMAT FROM " + QuoteIdentifier(schema) + ".\"cat$meta\"");
  return s.Step() && s.Int(1) == kCatalogueFormat ? s.Int(0) : 0;
}

void RebuildCatalogue(sqlite3* db, const std::string& schema, const SchemaModel& model,
                      int64_t generation) {
  std::vector<CatalogueTable> tables;
  switch (model.family) {
    case Family::kOracle:
      tables = BuildOracleCatalogue(model);
      break;
    case Family::kRedBrick:
      tables = BuildRedBrickCatalogue(model);
      break;
    case Family::kBroadbase:
      tables = BuildBroadbaseCatalogue(model);
      break;
  }
  CatalogueTable meta{"cat$meta",
                      {{"GENERATION", "INTEGER"}, {"FORMAT", "INTEGER"}},
                      {},
                      false,
                      {{Int(generation), Int(kCatalogueFormat)}}};
  tables.push_back(std::move(meta));
  WriteCatalogue(db, schema, tables);
  // Statistics let SQLite drive the catalogue joins from the small tables, in index order.
  ExecSql(db, "ANALYZE " + QuoteIdentifier(schema));
}

std::vector<ObjectDef> SystemTableObjects(Family family, const std::vector<CatalogueTable>& tables,
                                          const std::string& created) {
  std::vector<ObjectDef> objects;
  int64_t id = 1;
  for (const CatalogueTable& table : tables) {
    if (table.table_function) continue;
    ObjectDef object;
    object.id = id++;
    object.name = table.name;
    object.created = created;
    for (const CatalogueColumn& c : table.columns) {
      ColumnDef col;
      col.name = c.name;
      col.type = ParseTypeText(family, c.type);
      object.columns.push_back(std::move(col));
    }
    objects.push_back(std::move(object));
  }
  return objects;
}

}  // namespace morvane::emulator
