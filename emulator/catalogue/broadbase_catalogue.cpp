// Broadbase's SYSTEM schema: its tables and the table functions read as SYSTEM.NAME().
#include "catalogue/catalogue.h"

namespace morvane::emulator {
namespace {

constexpr const char* kSystemSchema = "SYSTEM";
constexpr int64_t kIndexFileId = 3;

enum TableIndex {
  kTables,
  kColumns,
  kIndexes,
  kIndexColumns,
  kFiles,
  kBbColumns,
  kBbFiles,
  kBbIndexColumns
};

std::vector<CatalogueTable> EmptyTables() {
  return {
      {"TABLES",
       {{"SCHEMA_NAME", "VARCHAR(128)"},
        {"TABLE_NAME", "VARCHAR(128)"},
        {"TYPE", "INTEGER"},
        {"SESSION_ID", "INTEGER"},
        {"OBJECT_ID", "INTEGER"},
        {"CREATOR_NAME", "VARCHAR(128)"},
        {"CREATION_TIME", "TIMESTAMP"},
        {"LAST_ALTERED", "TIMESTAMP"},
        {"NUM_COLUMNS", "INTEGER"},
        {"NUM_COMPUTED_COLUMNS", "INTEGER"},
        {"NUM_ROWS", "INTEGER"},
        {"TABLESPACE_NAME", "VARCHAR(128)"},
        {"INDEX_TABLESPACE_NAME", "VARCHAR(128)"},
        {"DEFAULT_SCHEMA_NAME", "VARCHAR(128)"},
        {"ID", "INTEGER"},
        {"LAST_INDEX_ID", "INTEGER"},
        {"STATUS", "INTEGER"},
        {"ROOT_BLOCK", "INTEGER"},
        {"RI_NODE_BLOCK", "INTEGER"},
        {"VI_NODE_BLOCK", "INTEGER"},
        {"LOCK", "VARCHAR(16)"},
        {"MAX_FILE_BLOCKS", "INTEGER"},
        {"NEXT_ROWID", "INTEGER"},
        {"CLUSTER_MASK", "VARCHAR(16)"},
        {"FLAG", "VARCHAR(16)"},
        {"DELETED_BLOCKS", "INTEGER"},
        {"LAST_DML_TIME", "TIMESTAMP"},
        {"NUM_ROWS_DELETED", "INTEGER"},
        {"REMARKS", "VARCHAR(254)"}},
       {"UNIQUE:SCHEMA_NAME,TABLE_NAME"}},
      {"COLUMNS",
       {{"SCHEMA_NAME", "VARCHAR(128)"},
        {"TABLE_NAME", "VARCHAR(128)"},
        {"COLUMN_NAME", "VARCHAR(128)"},
        {"ORDINAL", "INTEGER"},
        {"SQL_TYPE", "SMALLINT"},
        {"SQL_Q1", "INTEGER"},
        {"SQL_Q2", "INTEGER"},
        {"SESSION_ID", "INTEGER"},
        {"OBJECT_ID", "INTEGER"},
        {"CREATOR_NAME", "VARCHAR(128)"},
        {"CREATION_TIME", "TIMESTAMP"},
        {"LAST_ALTERED", "TIMESTAMP"},
        {"SOURCE_COLUMN_NAME", "VARCHAR(128)"},
        {"CLUSTER_ID", "INTEGER"},
        {"CLUSTER_ORDINAL", "INTEGER"},
        {"DOMAIN_ID", "INTEGER"},
        {"FLAG", "VARCHAR(16)"},
        {"REMARKS", "VARCHAR(254)"}},
       {"UNIQUE:SCHEMA_NAME,TABLE_NAME,COLUMN_NAME", "SCHEMA_NAME,TABLE_NAME,ORDINAL"}},
      {"INDEXES",
       {{"SCHEMA_NAME", "VARCHAR(128)"},
        {"INDEX_NAME", "VARCHAR(128)"},
        {"INDEX_TYPE", "INTEGER"},
        {"TABLE_NAME", "VARCHAR(128)"},
        {"INDEX_ID", "INTEGER"},
        {"OBJECT_ID", "INTEGER"},
        {"CREATOR_NAME", "VARCHAR(128)"},
        {"CREATION_TIME", "TIMESTAMP"},
        {"LAST_ALTERED", "TIMESTAMP"},
        {"NEXT_ROWID", "INTEGER"},
        {"NUM_COLUMNS", "INTEGER"},
        {"FILE_ID", "INTEGER"},
        {"COLUMNS", "VARCHAR(254)"},
        {"STATUS", "INTEGER"},
        {"NUM_BLOCKS_VI", "INTEGER"},
        {"ROOT_BLOCK", "INTEGER"},
        {"REMARKS", "VARCHAR(254)"}},
       {"UNIQUE:SCHEMA_NAME,INDEX_NAME"}},
      {"DBA_INDEX_COLUMNS",
       {{"SCHEMA_NAME", "VARCHAR(128)"},
        {"INDEX_NAME", "VARCHAR(128)"},
        {"TABLE_NAME", "VARCHAR(128)"},
        {"COLUMN_NAME", "VARCHAR(128)"},
        {"ORDINAL", "INTEGER"}},
       {"UNIQUE:SCHEMA_NAME,INDEX_NAME,ORDINAL"}},
      {"FILES",
       {{"FILE_ID", "INTEGER"},
        {"PATH", "VARCHAR(254)"},
        {"NUM_BLOCKS", "INTEGER"},
        {"STATUS", "INTEGER"}},
       {"UNIQUE:FILE_ID"},
       false,
       {{Int(1), Text("/bbdata/morvane/system.bbd"), Int(25600), Int(1)},
        {Int(2), Text("/bbdata/morvane/user_data.bbd"), Int(51200), Int(1)},
        {Int(kIndexFileId), Text("/bbdata/morvane/user_index.bbd"), Int(25600), Int(1)}}},
      {"BBCOLUMNS",
       {{"SCHEMA_NAME", "VARCHAR(128)"},
        {"TABLE_NAME", "VARCHAR(128)"},
        {"COLUMN_NAME", "VARCHAR(128)"},
        {"ORDINAL", "INTEGER"},
        {"TYPE_NAME", "VARCHAR(32)"},
        {"NULL_ALLOWED", "CHAR(1)"},
        {"DEFAULT_VALUE", "VARCHAR(254)"}},
       {"UNIQUE:SCHEMA_NAME,TABLE_NAME,COLUMN_NAME"},
       true},
      {"BBTABLESPACEFILES",
       {{"TABLESPACE_NAME", "VARCHAR(128)"}, {"FILE_NAME", "VARCHAR(254)"}, {"FILE_ID", "INTEGER"}},
       {"UNIQUE:FILE_NAME"},
       true,
       {{Text("SYSTEM"), Text("/bbdata/morvane/system.bbd"), Int(1)},
        {Text("USER_DATA"), Text("/bbdata/morvane/user_data.bbd"), Int(2)},
        {Text("USER_INDEX"), Text("/bbdata/morvane/user_index.bbd"), Int(kIndexFileId)}}},
      {"BBINDEXCOLUMNS",
       {{"SCHEMA_NAME", "VARCHAR(128)"},
        {"TABLE_NAME", "VARCHAR(128)"},
        {"INDEX_NAME", "VARCHAR(128)"},
        {"COLUMN_ID", "INTEGER"},
        {"POSITION", "INTEGER"},
        {"COLUMN_NAME", "VARCHAR(128)"}},
       {"SCHEMA_NAME,INDEX_NAME"},
       true},
  };
}

int ColumnOrdinal(const ObjectDef& o, const std::string& column) {
  for (size_t i = 0; i < o.columns.size(); ++i) {
    if (o.columns[i].name == column) return static_cast<int>(i + 1);
  }
  return 0;
}

// 1 primary key, 2 unique, 0 other.
int IndexType(const ObjectDef& o, const IndexDef& i) {
  for (const ConstraintDef& c : o.constraints) {
    if (c.name == i.constraint_name && c.kind == ConstraintKind::kPrimary) return 1;
  }
  return i.unique ? 2 : 0;
}

void AddObject(std::vector<CatalogueTable>& t, const ObjectDef& o, const std::string& schema,
               int type) {
  bool table = type != 2;
  t[kTables].rows.push_back({Text(schema),
                             Text(o.name),
                             Int(type),
                             Int(0),
                             Int(o.id),
                             Text(schema),
                             Text(o.created),
                             Text(o.created),
                             Int(static_cast<int64_t>(o.columns.size())),
                             Int(0),
                             OptInt64(o.num_rows),
                             table ? Text(type == 1 ? "SYSTEM" : "USER_DATA") : Null(),
                             table ? Text("USER_INDEX") : Null(),
                             Text(schema),
                             Int(o.id),
                             Int(static_cast<int64_t>(o.indexes.size())),
                             Int(1),
                             table ? Int(o.id * 8 % 25600) : Null(),
                             table ? Int(o.id * 8 % 25600 + 1) : Null(),
                             table ? Int(o.id * 8 % 25600 + 2) : Null(),
                             Text("ROW"),
                             Int(0),
                             Int(o.num_rows.value_or(0) + 1),
                             Text("0"),
                             Text("0"),
                             Int(0),
                             Text(o.created),
                             Int(0),
                             OptText(o.remarks)});
  int64_t ordinal = 1;
  for (const ColumnDef& c : o.columns) {
    int scale = c.type.scale.value_or(0);
    t[kColumns].rows.push_back(
        {Text(schema), Text(o.name), Text(c.name), Int(ordinal), Int(BroadbaseSqlType(c.type)),
         Int(BroadbaseQ1(c.type)),
         Int(c.type.name == "TIME" || c.type.name == "TIMESTAMP" ? 0 : scale), Int(0), Int(o.id),
         Text(schema), Text(o.created), Text(o.created), table ? Null() : Text(c.name), Int(0),
         Int(0), Int(0), Text("0"), OptText(c.remarks)});
    t[kBbColumns].rows.push_back({Text(schema), Text(o.name), Text(c.name), Int(ordinal++),
                                  Text(c.type.name), Text(c.nullable ? "Y" : "N"),
                                  OptText(c.default_text)});
  }
  int64_t index_id = 1;
  for (const IndexDef& i : o.indexes) {
    std::string ordinals;
    for (const std::string& column : i.columns) {
      ordinals += (ordinals.empty() ? "" : ",") + std::to_string(ColumnOrdinal(o, column));
    }
    t[kIndexes].rows.push_back({Text(schema), Text(i.name), Int(IndexType(o, i)), Text(o.name),
                                Int(index_id), Int(o.id * 100 + index_id), Text(schema),
                                Text(i.created), Text(i.created), Int(o.num_rows.value_or(0) + 1),
                                Int(static_cast<int64_t>(i.columns.size())), Int(kIndexFileId),
                                Text(ordinals), Int(1), Int(8), Int((o.id * 8 + index_id) % 25600),
                                Null()});
    ++index_id;
    int64_t position = 1;
    for (const std::string& column : i.columns) {
      t[kIndexColumns].rows.push_back(
          {Text(schema), Text(i.name), Text(o.name), Text(column), Int(position)});
      t[kBbIndexColumns].rows.push_back({Text(schema), Text(o.name), Text(i.name),
                                         Int(ColumnOrdinal(o, column)), Int(position),
                                         Text(column)});
      ++position;
    }
  }
}

}  // namespace

std::vector<CatalogueTable> BuildBroadbaseCatalogue(const SchemaModel& model) {
  std::vector<CatalogueTable> tables = EmptyTables();
  std::string created =
      model.objects.empty() ? "1999-01-01 00:00:00" : model.objects.front().created;
  for (const ObjectDef& o : SystemTableObjects(Family::kBroadbase, tables, created)) {
    AddObject(tables, o, kSystemSchema, 1);
  }
  for (const ObjectDef& o : model.objects) AddObject(tables, o, model.owner, o.is_view ? 2 : 0);
  return tables;
}

}  // namespace morvane::emulator
