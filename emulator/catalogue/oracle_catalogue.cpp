// Oracle's USER_ data dictionary views, as an Oracle 8 server shows them to the schema owner.
#include <algorithm>

#include "catalogue/catalogue.h"

namespace morvane::emulator {
namespace {

// Storage settings no SQLite schema has: fixed values of a default Oracle 8 tablespace.
constexpr int64_t kInitialExtent = 65536;
constexpr int64_t kNextExtent = 65536;
constexpr int64_t kMaxExtents = 2147483645;
constexpr int64_t kBlockSize = 8192;

int AverageColumnLength(const ColumnDef& c) {
  const std::string& n = c.type.name;
  if (n == "NUMBER" || n == "FLOAT") return 4;
  if (n == "DATE") return 8;
  if (n == "CHAR" || n == "NCHAR") return c.type.length.value_or(1) + 1;
  return std::min(c.type.length.value_or(20), 20) + 1;
}

int64_t AverageRowLength(const ObjectDef& t) {
  int64_t length = 3;
  for (const ColumnDef& c : t.columns) length += AverageColumnLength(c);
  return length;
}

int64_t Blocks(const ObjectDef& t) {
  int64_t bytes = t.num_rows.value_or(0) * AverageRowLength(t);
  return std::max<int64_t>(1, (bytes + kBlockSize * 9 / 10 - 1) / (kBlockSize * 9 / 10));
}

bool IsCharacterType(const std::string& n) {
  return n == "CHAR" || n == "VARCHAR2" || n == "LONG" || n == "CLOB";
}

bool IsNationalType(const std::string& n) {
  return n == "NCHAR" || n == "NVARCHAR2" || n == "NCLOB";
}

CatalogueTable UserTables(const SchemaModel& m) {
  CatalogueTable t{"USER_TABLES",
                   {{"TABLE_NAME", "VARCHAR2(30)"},
                    {"TABLESPACE_NAME", "VARCHAR2(30)"},
                    {"CLUSTER_NAME", "VARCHAR2(30)"},
                    {"IOT_NAME", "VARCHAR2(30)"},
                    {"PCT_FREE", "NUMBER"},
                    {"PCT_USED", "NUMBER"},
                    {"INI_TRANS", "NUMBER"},
                    {"MAX_TRANS", "NUMBER"},
                    {"INITIAL_EXTENT", "NUMBER"},
                    {"NEXT_EXTENT", "NUMBER"},
                    {"MIN_EXTENTS", "NUMBER"},
                    {"MAX_EXTENTS", "NUMBER"},
                    {"PCT_INCREASE", "NUMBER"},
                    {"FREELISTS", "NUMBER"},
                    {"FREELIST_GROUPS", "NUMBER"},
                    {"LOGGING", "VARCHAR2(3)"},
                    {"BACKED_UP", "VARCHAR2(1)"},
                    {"NUM_ROWS", "NUMBER"},
                    {"BLOCKS", "NUMBER"},
                    {"EMPTY_BLOCKS", "NUMBER"},
                    {"AVG_SPACE", "NUMBER"},
                    {"CHAIN_CNT", "NUMBER"},
                    {"AVG_ROW_LEN", "NUMBER"},
                    {"AVG_SPACE_FREELIST_BLOCKS", "NUMBER"},
                    {"NUM_FREELIST_BLOCKS", "NUMBER"},
                    {"DEGREE", "VARCHAR2(10)"},
                    {"INSTANCES", "VARCHAR2(10)"},
                    {"CACHE", "VARCHAR2(5)"},
                    {"TABLE_LOCK", "VARCHAR2(8)"},
                    {"SAMPLE_SIZE", "NUMBER"},
                    {"LAST_ANALYZED", "DATE"},
                    {"PARTITIONED", "VARCHAR2(3)"},
                    {"IOT_TYPE", "VARCHAR2(12)"},
                    {"TEMPORARY", "VARCHAR2(1)"},
                    {"NESTED", "VARCHAR2(3)"},
                    {"BUFFER_POOL", "VARCHAR2(7)"}},
                   {"UNIQUE:TABLE_NAME"}};
  for (const ObjectDef& o : m.objects) {
    if (o.is_view) continue;
    bool analyzed = o.analyzed.has_value();
    auto stat = [&](int64_t v) { return analyzed ? Int(v) : Null(); };
    t.rows.push_back({Text(o.name),
                      Text("USERS"),
                      Null(),
                      Null(),
                      Int(10),
                      Int(40),
                      Int(1),
                      Int(255),
                      Int(kInitialExtent),
                      Int(kNextExtent),
                      Int(1),
                      Int(kMaxExtents),
                      Int(50),
                      Int(1),
                      Int(1),
                      Text("YES"),
                      Text("N"),
                      OptInt64(o.num_rows),
                      stat(Blocks(o)),
                      stat(3),
                      stat(1847),
                      stat(0),
                      stat(AverageRowLength(o)),
                      stat(0),
                      stat(0),
                      Text("         1"),
                      Text("         1"),
                      Text("    N"),
                      Text("ENABLED"),
                      OptInt64(o.num_rows),
                      OptText(o.analyzed),
                      Text("NO"),
                      Null(),
                      Text("N"),
                      Text("NO"),
                      Text("DEFAULT")});
  }
  return t;
}

CatalogueTable UserTabComments(const SchemaModel& m) {
  CatalogueTable t{"USER_TAB_COMMENTS",
                   {{"TABLE_NAME", "VARCHAR2(30)"},
                    {"TABLE_TYPE", "VARCHAR2(11)"},
                    {"COMMENTS", "VARCHAR2(4000)"}},
                   {"UNIQUE:TABLE_NAME", "UNIQUE:TABLE_TYPE,TABLE_NAME"}};
  for (const ObjectDef& o : m.objects) {
    t.rows.push_back({Text(o.name), Text(o.is_view ? "VIEW" : "TABLE"), OptText(o.remarks)});
  }
  return t;
}

CatalogueTable UserTabColumns(const SchemaModel& m) {
  CatalogueTable t{"USER_TAB_COLUMNS",
                   {{"TABLE_NAME", "VARCHAR2(30)"},
                    {"COLUMN_NAME", "VARCHAR2(30)"},
                    {"DATA_TYPE", "VARCHAR2(106)"},
                    {"DATA_TYPE_MOD", "VARCHAR2(3)"},
                    {"DATA_TYPE_OWNER", "VARCHAR2(30)"},
                    {"DATA_LENGTH", "NUMBER"},
                    {"DATA_PRECISION", "NUMBER"},
                    {"DATA_SCALE", "NUMBER"},
                    {"NULLABLE", "VARCHAR2(1)"},
                    {"COLUMN_ID", "NUMBER"},
                    {"DEFAULT_LENGTH", "NUMBER"},
                    {"DATA_DEFAULT", "LONG"},
                    {"NUM_DISTINCT", "NUMBER"},
                    {"LOW_VALUE", "RAW(32)"},
                    {"HIGH_VALUE", "RAW(32)"},
                    {"DENSITY", "NUMBER"},
                    {"NUM_NULLS", "NUMBER"},
                    {"NUM_BUCKETS", "NUMBER"},
                    {"LAST_ANALYZED", "DATE"},
                    {"SAMPLE_SIZE", "NUMBER"},
                    {"CHARACTER_SET_NAME", "VARCHAR2(44)"},
                    {"CHAR_COL_DECL_LENGTH", "NUMBER"}},
                   {"UNIQUE:TABLE_NAME,COLUMN_ID", "UNIQUE:TABLE_NAME,COLUMN_NAME"}};
  for (const ObjectDef& o : m.objects) {
    int64_t id = 1;
    for (const ColumnDef& c : o.columns) {
      const std::string& n = c.type.name;
      bool analyzed = o.analyzed.has_value() && c.num_distinct.has_value();
      Value density = analyzed && *c.num_distinct > 0
                          ? Value(1.0 / static_cast<double>(*c.num_distinct))
                          : Null();
      Value charset = IsCharacterType(n)  ? Text("CHAR_CS")
                      : IsNationalType(n) ? Text("NCHAR_CS")
                                          : Null();
      bool char_decl = IsCharacterType(n) || IsNationalType(n);
      Value default_length =
          c.default_text ? Int(static_cast<int64_t>(c.default_text->size())) : Null();
      t.rows.push_back({Text(o.name),
                        Text(c.name),
                        Text(n),
                        Null(),
                        Null(),
                        Int(OracleDataLength(c.type)),
                        OptInt(c.type.precision),
                        OptInt(c.type.scale),
                        Text(c.nullable ? "Y" : "N"),
                        Int(id++),
                        default_length,
                        OptText(c.default_text),
                        OptInt64(analyzed ? c.num_distinct : std::nullopt),
                        Null(),
                        Null(),
                        density,
                        OptInt64(analyzed ? c.num_nulls : std::nullopt),
                        analyzed ? Int(1) : Null(),
                        analyzed ? OptText(o.analyzed) : Null(),
                        analyzed ? OptInt64(o.num_rows) : Null(),
                        charset,
                        char_decl ? OptInt(c.type.length) : Null()});
    }
  }
  return t;
}

CatalogueTable UserColComments(const SchemaModel& m) {
  CatalogueTable t{"USER_COL_COMMENTS",
                   {{"TABLE_NAME", "VARCHAR2(30)"},
                    {"COLUMN_NAME", "VARCHAR2(30)"},
                    {"COMMENTS", "VARCHAR2(4000)"}},
                   {"UNIQUE:TABLE_NAME,COLUMN_NAME"}};
  for (const ObjectDef& o : m.objects) {
    for (const ColumnDef& c : o.columns)
      t.rows.push_back({Text(o.name), Text(c.name), OptText(c.remarks)});
  }
  return t;
}

CatalogueTable UserIndexes(const SchemaModel& m) {
  CatalogueTable t{"USER_INDEXES",
                   {{"INDEX_NAME", "VARCHAR2(30)"},
                    {"INDEX_TYPE", "VARCHAR2(27)"},
                    {"TABLE_OWNER", "VARCHAR2(30)"},
                    {"TABLE_NAME", "VARCHAR2(30)"},
                    {"TABLE_TYPE", "VARCHAR2(11)"},
                    {"UNIQUENESS", "VARCHAR2(9)"},
                    {"TABLESPACE_NAME", "VARCHAR2(30)"},
                    {"INI_TRANS", "NUMBER"},
                    {"MAX_TRANS", "NUMBER"},
                    {"INITIAL_EXTENT", "NUMBER"},
                    {"NEXT_EXTENT", "NUMBER"},
                    {"MIN_EXTENTS", "NUMBER"},
                    {"MAX_EXTENTS", "NUMBER"},
                    {"PCT_INCREASE", "NUMBER"},
                    {"PCT_THRESHOLD", "NUMBER"},
                    {"INCLUDE_COLUMN", "NUMBER"},
                    {"FREELISTS", "NUMBER"},
                    {"FREELIST_GROUPS", "NUMBER"},
                    {"PCT_FREE", "NUMBER"},
                    {"LOGGING", "VARCHAR2(3)"},
                    {"BLEVEL", "NUMBER"},
                    {"LEAF_BLOCKS", "NUMBER"},
                    {"DISTINCT_KEYS", "NUMBER"},
                    {"AVG_LEAF_BLOCKS_PER_KEY", "NUMBER"},
                    {"AVG_DATA_BLOCKS_PER_KEY", "NUMBER"},
                    {"CLUSTERING_FACTOR", "NUMBER"},
                    {"STATUS", "VARCHAR2(8)"},
                    {"NUM_ROWS", "NUMBER"},
                    {"SAMPLE_SIZE", "NUMBER"},
                    {"LAST_ANALYZED", "DATE"},
                    {"DEGREE", "VARCHAR2(40)"},
                    {"INSTANCES", "VARCHAR2(40)"},
                    {"PARTITIONED", "VARCHAR2(3)"},
                    {"TEMPORARY", "VARCHAR2(1)"},
                    {"GENERATED", "VARCHAR2(1)"},
                    {"BUFFER_POOL", "VARCHAR2(7)"}},
                   {"UNIQUE:INDEX_NAME", "TABLE_NAME"}};
  for (const ObjectDef& o : m.objects) {
    for (const IndexDef& i : o.indexes) {
      bool analyzed = o.analyzed.has_value();
      int64_t rows = o.num_rows.value_or(0);
      const ColumnDef* first = i.columns.empty() ? nullptr : o.FindColumn(i.columns.front());
      int64_t keys = i.unique ? rows : (first ? first->num_distinct.value_or(rows) : rows);
      auto stat = [&](int64_t v) { return analyzed ? Int(v) : Null(); };
      t.rows.push_back({Text(i.name),
                        Text(i.kind),
                        Text(m.owner),
                        Text(o.name),
                        Text("TABLE"),
                        Text(i.unique ? "UNIQUE" : "NONUNIQUE"),
                        Text("INDX"),
                        Int(2),
                        Int(255),
                        Int(kInitialExtent),
                        Int(kNextExtent),
                        Int(1),
                        Int(kMaxExtents),
                        Int(50),
                        Null(),
                        Null(),
                        Int(1),
                        Int(1),
                        Int(10),
                        Text("YES"),
                        stat(rows > 400 ? 1 : 0),
                        stat(std::max<int64_t>(1, rows / 400)),
                        stat(keys),
                        stat(1),
                        stat(1),
                        stat(Blocks(o)),
                        Text("VALID"),
                        stat(rows),
                        stat(rows),
                        OptText(o.analyzed),
                        Text("1"),
                        Text("1"),
                        Text("NO"),
                        Text("N"),
                        Text(i.generated ? "Y" : "N"),
                        Text("DEFAULT")});
    }
  }
  return t;
}

CatalogueTable UserIndColumns(const SchemaModel& m) {
  CatalogueTable t{"USER_IND_COLUMNS",
                   {{"INDEX_NAME", "VARCHAR2(30)"},
                    {"TABLE_NAME", "VARCHAR2(30)"},
                    {"COLUMN_NAME", "VARCHAR2(4000)"},
                    {"COLUMN_POSITION", "NUMBER"},
                    {"COLUMN_LENGTH", "NUMBER"},
                    {"DESCEND", "VARCHAR2(4)"}},
                   {"UNIQUE:INDEX_NAME,COLUMN_POSITION", "TABLE_NAME,COLUMN_NAME"}};
  for (const ObjectDef& o : m.objects) {
    for (const IndexDef& i : o.indexes) {
      int64_t position = 1;
      for (const std::string& column : i.columns) {
        const ColumnDef* c = o.FindColumn(column);
        t.rows.push_back({Text(i.name), Text(o.name), Text(column), Int(position++),
                          Int(c ? OracleDataLength(c->type) : 0), Text("ASC")});
      }
    }
  }
  return t;
}

// The primary or unique key of `table` that a foreign key refers to.
const ConstraintDef* ReferencedKey(const SchemaModel& m, const ConstraintDef& fk) {
  const ObjectDef* target = m.Find(fk.ref_table);
  if (!target) return nullptr;
  for (const ConstraintDef& c : target->constraints) {
    if (c.kind != ConstraintKind::kPrimary && c.kind != ConstraintKind::kUnique) continue;
    if (fk.ref_columns.empty() ? c.kind == ConstraintKind::kPrimary : c.columns == fk.ref_columns)
      return &c;
  }
  return nullptr;
}

CatalogueTable UserConstraints(const SchemaModel& m) {
  CatalogueTable t{"USER_CONSTRAINTS",
                   {{"OWNER", "VARCHAR2(30)"},
                    {"CONSTRAINT_NAME", "VARCHAR2(30)"},
                    {"CONSTRAINT_TYPE", "VARCHAR2(1)"},
                    {"TABLE_NAME", "VARCHAR2(30)"},
                    {"SEARCH_CONDITION", "LONG"},
                    {"R_OWNER", "VARCHAR2(30)"},
                    {"R_CONSTRAINT_NAME", "VARCHAR2(30)"},
                    {"DELETE_RULE", "VARCHAR2(9)"},
                    {"STATUS", "VARCHAR2(8)"},
                    {"DEFERRABLE", "VARCHAR2(14)"},
                    {"DEFERRED", "VARCHAR2(9)"},
                    {"VALIDATED", "VARCHAR2(13)"},
                    {"GENERATED", "VARCHAR2(14)"},
                    {"BAD", "VARCHAR2(3)"},
                    {"RELY", "VARCHAR2(4)"},
                    {"LAST_CHANGE", "DATE"}},
                   {"UNIQUE:CONSTRAINT_NAME", "TABLE_NAME"}};
  for (const ObjectDef& o : m.objects) {
    for (const ConstraintDef& c : o.constraints) {
      bool foreign = c.kind == ConstraintKind::kForeign;
      const ConstraintDef* key = foreign ? ReferencedKey(m, c) : nullptr;
      t.rows.push_back(
          {Text(m.owner), Text(c.name), Text(std::string(1, char(c.kind))), Text(o.name),
           c.kind == ConstraintKind::kCheck ? Text(c.check_text) : Null(),
           foreign ? Text(m.owner) : Null(), key ? Text(key->name) : Null(),
           foreign ? Text("NO ACTION") : Null(), Text("ENABLED"), Text("NOT DEFERRABLE"),
           Text("IMMEDIATE"), Text("VALIDATED"), Text(c.generated ? "GENERATED NAME" : "USER NAME"),
           Null(), Null(), Text(o.created)});
    }
  }
  return t;
}

CatalogueTable UserConsColumns(const SchemaModel& m) {
  CatalogueTable t{"USER_CONS_COLUMNS",
                   {{"OWNER", "VARCHAR2(30)"},
                    {"CONSTRAINT_NAME", "VARCHAR2(30)"},
                    {"TABLE_NAME", "VARCHAR2(30)"},
                    {"COLUMN_NAME", "VARCHAR2(4000)"},
                    {"POSITION", "NUMBER"}},
                   {"CONSTRAINT_NAME,POSITION"}};
  for (const ObjectDef& o : m.objects) {
    for (const ConstraintDef& c : o.constraints) {
      bool positioned = c.kind != ConstraintKind::kCheck;
      int64_t position = 1;
      for (const std::string& column : c.columns) {
        t.rows.push_back({Text(m.owner), Text(c.name), Text(o.name), Text(column),
                          positioned ? Int(position++) : Null()});
      }
    }
  }
  return t;
}

CatalogueTable UserObjects(const SchemaModel& m) {
  CatalogueTable t{"USER_OBJECTS",
                   {{"OBJECT_NAME", "VARCHAR2(128)"},
                    {"SUBOBJECT_NAME", "VARCHAR2(30)"},
                    {"OBJECT_ID", "NUMBER"},
                    {"DATA_OBJECT_ID", "NUMBER"},
                    {"OBJECT_TYPE", "VARCHAR2(18)"},
                    {"CREATED", "DATE"},
                    {"LAST_DDL_TIME", "DATE"},
                    {"TIMESTAMP", "VARCHAR2(19)"},
                    {"STATUS", "VARCHAR2(7)"},
                    {"TEMPORARY", "VARCHAR2(1)"},
                    {"GENERATED", "VARCHAR2(1)"}},
                   {}};
  int64_t index_id = 1;
  for (const ObjectDef& o : m.objects) {
    // "YYYY-MM-DD:HH:MI:SS"; a stamp an older driver stored unchecked is shown as it is.
    std::string stamp =
        o.created.size() > 11 ? o.created.substr(0, 10) + ":" + o.created.substr(11) : o.created;
    t.rows.push_back({Text(o.name), Null(), Int(o.id), o.is_view ? Null() : Int(o.id),
                      Text(o.is_view ? "VIEW" : "TABLE"), Text(o.created), Text(o.created),
                      Text(stamp), Text("VALID"), Text("N"), Text("N")});
    for (const IndexDef& i : o.indexes) {
      int64_t id = 90000 + index_id++;
      t.rows.push_back({Text(i.name), Null(), Int(id), Int(id), Text("INDEX"), Text(i.created),
                        Text(i.created), Text(stamp), Text("VALID"), Text("N"),
                        Text(i.generated ? "Y" : "N")});
    }
  }
  return t;
}

// Views Oracle 8 added for partitioned and nested tables. The emulator makes neither, so they
// are empty; they exist so that Oracle 8 answers them and Oracle 7 does not.
std::vector<CatalogueTable> Oracle8ObjectViews() {
  return {
      CatalogueTable{"USER_PART_TABLES",
                     {{"TABLE_NAME", "VARCHAR2(30)"},
                      {"PARTITIONING_TYPE", "VARCHAR2(7)"},
                      {"PARTITION_COUNT", "NUMBER"},
                      {"PARTITIONING_KEY_COUNT", "NUMBER"},
                      {"DEF_TABLESPACE_NAME", "VARCHAR2(30)"},
                      {"DEF_LOGGING", "VARCHAR2(7)"},
                      {"DEF_BUFFER_POOL", "VARCHAR2(7)"}}},
      CatalogueTable{"USER_PART_INDEXES",
                     {{"INDEX_NAME", "VARCHAR2(30)"},
                      {"TABLE_NAME", "VARCHAR2(30)"},
                      {"PARTITIONING_TYPE", "VARCHAR2(7)"},
                      {"PARTITION_COUNT", "NUMBER"},
                      {"PARTITIONING_KEY_COUNT", "NUMBER"},
                      {"LOCALITY", "VARCHAR2(6)"},
                      {"ALIGNMENT", "VARCHAR2(12)"}}},
      CatalogueTable{"USER_TAB_PARTITIONS",
                     {{"TABLE_NAME", "VARCHAR2(30)"},
                      {"PARTITION_NAME", "VARCHAR2(30)"},
                      {"HIGH_VALUE", "LONG"},
                      {"HIGH_VALUE_LENGTH", "NUMBER"},
                      {"PARTITION_POSITION", "NUMBER"},
                      {"TABLESPACE_NAME", "VARCHAR2(30)"},
                      {"LOGGING", "VARCHAR2(3)"},
                      {"NUM_ROWS", "NUMBER"},
                      {"LAST_ANALYZED", "DATE"},
                      {"BUFFER_POOL", "VARCHAR2(7)"}}},
      CatalogueTable{"USER_NESTED_TABLES",
                     {{"TABLE_NAME", "VARCHAR2(30)"},
                      {"TABLE_TYPE_OWNER", "VARCHAR2(30)"},
                      {"TABLE_TYPE_NAME", "VARCHAR2(30)"},
                      {"PARENT_TABLE_NAME", "VARCHAR2(30)"},
                      {"PARENT_TABLE_COLUMN", "VARCHAR2(4000)"}}},
  };
}

}  // namespace

bool IsOracle8View(std::string_view name) {
  for (const CatalogueTable& view : Oracle8ObjectViews()) {
    if (view.name == name) return true;
  }
  return false;
}

std::vector<CatalogueTable> BuildOracleCatalogue(const SchemaModel& model) {
  std::vector<CatalogueTable> tables;
  tables.push_back(UserTables(model));
  tables.push_back(UserTabComments(model));
  tables.push_back(UserTabColumns(model));
  tables.push_back(UserColComments(model));
  tables.push_back(UserIndexes(model));
  tables.push_back(UserIndColumns(model));
  tables.push_back(UserConstraints(model));
  tables.push_back(UserConsColumns(model));
  tables.push_back(UserObjects(model));
  tables.push_back(CatalogueTable{"DUAL", {{"DUMMY", "VARCHAR2(1)"}}, {}, false, {{Text("X")}}});
  for (CatalogueTable& view : Oracle8ObjectViews()) tables.push_back(std::move(view));
  return tables;
}

}  // namespace morvane::emulator
