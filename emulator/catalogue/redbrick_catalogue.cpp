// Red Brick Warehouse's RBW_ system tables. They list themselves as system tables owned by
// SYSTEM, as the server's catalogue does.
#include "catalogue/catalogue.h"
#include "engine/redbrick_storage.h"

namespace morvane::emulator {
namespace {

constexpr const char* kSystemCreator = "SYSTEM";

struct Source {
  const ObjectDef* object;
  std::string creator;
  std::string type;  // TABLE, VIEW, SYSTEM TABLE
};

std::vector<CatalogueTable> EmptyTables() {
  return {
      {"RBW_TABLES",
       {{"NAME", "CHAR(128)"},
        {"CREATOR", "CHAR(128)"},
        {"TYPE", "CHAR(12)"},
        {"ID", "INTEGER"},
        {"DATETIME", "TIMESTAMP"},
        {"MAXSEGMENTS", "INTEGER"},
        {"MAXROWS_PER_SEG", "INTEGER"},
        {"MAXSIZE_ROWS", "INTEGER"},
        {"SEGMENT_BY", "CHAR(128)"},
        {"INTACT", "CHAR(1)"},
        {"PARTIAL", "CHAR(1)"},
        {"COMMENT", "VARCHAR(256)"}},
       {"UNIQUE:ID", "CREATOR,NAME"}},
      {"RBW_COLUMNS",
       {{"NAME", "CHAR(128)"},
        {"TID", "INTEGER"},
        {"TNAME", "CHAR(128)"},
        {"SEQ", "INTEGER"},
        {"TYPE", "CHAR(32)"},
        {"LENGTH", "INTEGER"},
        {"PRECISION", "INTEGER"},
        {"SCALE", "INTEGER"},
        {"NULLS", "CHAR(1)"},
        {"UNIQ", "CHAR(1)"},
        {"PKSEQ", "INTEGER"},
        {"DEFAULTVALUE", "VARCHAR(256)"},
        {"SEGSEQ", "INTEGER"},
        {"COMMENT", "VARCHAR(256)"},
        {"USAGE", "CHAR(8)"}},
       {"UNIQUE:TID,SEQ", "TID,NAME"}},
      {"RBW_INDEXES",
       {{"NAME", "CHAR(128)"},
        {"TNAME", "CHAR(128)"},
        {"CREATOR", "CHAR(128)"},
        {"TYPE", "CHAR(8)"},
        {"CNAME", "CHAR(128)"},
        {"DATETIME", "TIMESTAMP"},
        {"FILLFACTOR", "INTEGER"},
        {"INTACT", "CHAR(1)"},
        {"PARTIAL", "CHAR(1)"},
        {"STATE", "CHAR(8)"},
        {"COMMENT", "VARCHAR(256)"}},
       {"UNIQUE:NAME", "CREATOR,TNAME"}},
      {"RBW_INDEXCOLUMNS",
       {{"INAME", "CHAR(128)"},
        {"TNAME", "CHAR(128)"},
        {"CNAME", "CHAR(128)"},
        {"SEQ", "INTEGER"},
        {"FKNAME", "CHAR(128)"}},
       {"UNIQUE:INAME,SEQ", "INAME,CNAME"}},
      {"RBW_RELATIONSHIPS",
       {{"FKTABLE", "CHAR(128)"},
        {"PKTABLE", "CHAR(128)"},
        {"FKNAME", "CHAR(128)"},
        {"FKCOLUMN", "CHAR(128)"},
        {"PKCOLUMN", "CHAR(128)"},
        {"SEQ", "INTEGER"}},
       {}},
  };
}

bool IsUniqueAlone(const ObjectDef& o, const std::string& column) {
  for (const ConstraintDef& c : o.constraints) {
    if (c.kind == ConstraintKind::kUnique && c.columns.size() == 1 && c.columns[0] == column)
      return true;
  }
  for (const IndexDef& i : o.indexes) {
    if (i.unique && i.constraint_name.empty() && i.columns.size() == 1 && i.columns[0] == column)
      return true;
  }
  return false;
}

int PrimaryKeyPosition(const ObjectDef& o, const std::string& column) {
  const ConstraintDef* pk = o.PrimaryKey();
  if (!pk) return 0;
  for (size_t i = 0; i < pk->columns.size(); ++i) {
    if (pk->columns[i] == column) return static_cast<int>(i + 1);
  }
  return 0;
}

// The foreign key of the table that a STAR index column belongs to.
std::string ForeignKeyOf(const ObjectDef& o, const std::string& column) {
  for (const ConstraintDef& c : o.constraints) {
    if (c.kind != ConstraintKind::kForeign) continue;
    for (const std::string& col : c.columns) {
      if (col == column) return c.name;
    }
  }
  return "";
}

void AddTable(std::vector<CatalogueTable>& t, const Source& s) {
  const ObjectDef& o = *s.object;
  bool segmented = s.type == "TABLE";
  t[0].rows.push_back({Text(o.name), Text(s.creator), Text(s.type), Int(o.id), Text(o.created),
                       segmented ? Int(1) : Null(), segmented ? Int(100000) : Null(),
                       segmented ? Int(8000000) : Null(), Null(), Text("Y"), Text("N"),
                       OptText(o.remarks)});
  int64_t seq = 1;
  for (const ColumnDef& c : o.columns) {
    t[1].rows.push_back(
        {Text(c.name), Int(o.id), Text(o.name), Int(seq++), Text(c.type.name),
         Int(RedBrickLength(c.type)), Int(RedBrickPrecision(c.type)),
         Int(c.type.name == "DECIMAL" || c.type.name == "NUMERIC" ? c.type.scale.value_or(0) : 0),
         Text(c.nullable ? "Y" : "N"), Text(IsUniqueAlone(o, c.name) ? "Y" : "N"),
         Int(PrimaryKeyPosition(o, c.name)), OptText(c.default_text), Int(0), OptText(c.remarks),
         Text("DATA")});
  }
  for (const IndexDef& i : o.indexes) {
    t[2].rows.push_back({Text(i.name), Text(o.name), Text(s.creator), Text(i.kind),
                         i.columns.size() == 1 ? Text(i.columns[0]) : Null(), Text(i.created),
                         Int(100), Text("Y"), Text("N"), Text("ONLINE"), Null()});
    int64_t pos = 1;
    for (const std::string& column : i.columns) {
      std::string fk = i.kind == "STAR" ? ForeignKeyOf(o, column) : "";
      t[3].rows.push_back(
          {Text(i.name), Text(o.name), Text(column), Int(pos++), fk.empty() ? Null() : Text(fk)});
    }
  }
}

void AddRelationships(std::vector<CatalogueTable>& t, const SchemaModel& m, const ObjectDef& o) {
  for (const ConstraintDef& c : o.constraints) {
    if (c.kind != ConstraintKind::kForeign) continue;
    const ObjectDef* target = m.Find(c.ref_table);
    const ConstraintDef* pk = target ? target->PrimaryKey() : nullptr;
    for (size_t i = 0; i < c.columns.size(); ++i) {
      std::string pk_column = i < c.ref_columns.size()       ? c.ref_columns[i]
                              : pk && i < pk->columns.size() ? pk->columns[i]
                                                             : "";
      t[4].rows.push_back({Text(o.name), Text(c.ref_table), Text(c.name), Text(c.columns[i]),
                           pk_column.empty() ? Null() : Text(pk_column),
                           Int(static_cast<int64_t>(i + 1))});
    }
  }
}

}  // namespace

std::vector<CatalogueTable> BuildRedBrickCatalogue(const SchemaModel& model) {
  std::vector<CatalogueTable> tables = EmptyTables();
  std::string created =
      model.objects.empty() ? "1999-01-01 00:00:00" : model.objects.front().created;
  std::vector<ObjectDef> system = SystemTableObjects(Family::kRedBrick, tables, created);
  for (const ObjectDef& o : system) AddTable(tables, {&o, kSystemCreator, "SYSTEM TABLE"});
  for (const ObjectDef& o : model.objects) {
    AddTable(tables, {&o, model.owner, o.is_view ? "VIEW" : "TABLE"});
    AddRelationships(tables, model, o);
  }
  return tables;
}

}  // namespace morvane::emulator
