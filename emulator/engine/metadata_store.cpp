#include "engine/metadata_store.h"

#include <ctime>
#include <map>

#include "engine/sql_error.h"
#include "engine/sqlite_util.h"

namespace morvane::emulator {
namespace {

constexpr const char* kCreateMetadata = R"(
CREATE TABLE IF NOT EXISTS "mv$meta"(KEY TEXT PRIMARY KEY, VALUE TEXT);
CREATE TABLE IF NOT EXISTS "mv$objects"(ID INTEGER PRIMARY KEY, NAME TEXT NOT NULL UNIQUE,
  KIND TEXT NOT NULL, CREATED TEXT NOT NULL, REMARKS TEXT, NUM_ROWS INTEGER, ANALYZED TEXT);
CREATE TABLE IF NOT EXISTS "mv$columns"(OBJECT_ID INTEGER NOT NULL, SEQ INTEGER NOT NULL,
  NAME TEXT NOT NULL, TYPE_NAME TEXT NOT NULL, LENGTH INTEGER, PRECISION INTEGER, SCALE INTEGER,
  NULLABLE INTEGER NOT NULL, DEFAULT_TEXT TEXT, REMARKS TEXT, NUM_DISTINCT INTEGER,
  NUM_NULLS INTEGER, PRIMARY KEY(OBJECT_ID, SEQ));
CREATE TABLE IF NOT EXISTS "mv$constraints"(NAME TEXT PRIMARY KEY, OBJECT_ID INTEGER NOT NULL,
  SEQ INTEGER NOT NULL, KIND TEXT NOT NULL, GENERATED INTEGER NOT NULL, REF_TABLE TEXT,
  CHECK_TEXT TEXT, INDEX_NAME TEXT);
CREATE TABLE IF NOT EXISTS "mv$constraint_columns"(CONSTRAINT_NAME TEXT NOT NULL,
  SEQ INTEGER NOT NULL, COLUMN_NAME TEXT NOT NULL, REF_COLUMN TEXT,
  PRIMARY KEY(CONSTRAINT_NAME, SEQ));
CREATE TABLE IF NOT EXISTS "mv$indexes"(NAME TEXT PRIMARY KEY, OBJECT_ID INTEGER NOT NULL,
  SEQ INTEGER NOT NULL, KIND TEXT NOT NULL, IS_UNIQUE INTEGER NOT NULL, GENERATED INTEGER NOT NULL,
  CONSTRAINT_NAME TEXT, CREATED TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS "mv$index_columns"(INDEX_NAME TEXT NOT NULL, SEQ INTEGER NOT NULL,
  COLUMN_NAME TEXT NOT NULL, PRIMARY KEY(INDEX_NAME, SEQ));
CREATE INDEX IF NOT EXISTS "mv$constraints_object" ON "mv$constraints"(OBJECT_ID);
CREATE INDEX IF NOT EXISTS "mv$indexes_object" ON "mv$indexes"(OBJECT_ID);
)";

std::optional<std::string> MetaValue(sqlite3* db, const std::string& key) {
  Statement s(db, R"(SELECT VALUE FROM "mv$meta" WHERE KEY = ?)");
  s.Bind(1, key);
  if (!s.Step()) return std::nullopt;
  return s.OptText(0);
}

void SetMetaValue(sqlite3* db, const std::string& key, const std::string& value) {
  Statement s(db, R"(INSERT OR REPLACE INTO "mv$meta"(KEY, VALUE) VALUES(?, ?))");
  s.Bind(1, key).Bind(2, value).Run();
}

ColumnType TypeFromRow(const Statement& s, int first) {
  return ColumnType{s.Text(first), s.OptInt(first + 1), s.OptInt(first + 2), s.OptInt(first + 3)};
}

std::optional<int64_t> OptInt64(const Statement& s, int col) {
  if (s.IsNull(col)) return std::nullopt;
  return s.Int(col);
}

void BindOpt(Statement& s, int index, const std::optional<int64_t>& v) {
  if (v) {
    s.Bind(index, *v);
  } else {
    s.BindNull(index);
  }
}

// Loads objects (all, or the one named) with everything that belongs to them.
std::vector<ObjectDef> LoadObjects(sqlite3* db, const std::optional<std::string>& only) {
  std::vector<ObjectDef> objects;
  std::map<int64_t, size_t> by_id;
  std::string filter = only ? " WHERE NAME = ?1" : "";
  Statement o(db, R"(SELECT ID, NAME, KIND, CREATED, REMARKS, NUM_ROWS, ANALYZED
                     FROM "mv$objects")" +
                      filter + " ORDER BY ID");
  if (only) o.Bind(1, *only);
  while (o.Step()) {
    ObjectDef def;
    def.id = o.Int(0);
    def.name = o.Text(1);
    def.is_view = o.Text(2) == "VIEW";
    def.created = o.Text(3);
    def.remarks = o.OptText(4);
    def.num_rows = OptInt64(o, 5);
    def.analyzed = o.OptText(6);
    by_id[def.id] = objects.size();
    objects.push_back(std::move(def));
  }
  if (objects.empty()) return objects;
  // With one object the child queries are narrowed to its id.
  std::string id_filter = only ? " WHERE OBJECT_ID = " + std::to_string(objects[0].id) : "";

  Statement c(db, R"(SELECT OBJECT_ID, NAME, TYPE_NAME, LENGTH, PRECISION, SCALE, NULLABLE,
                     DEFAULT_TEXT, REMARKS, NUM_DISTINCT, NUM_NULLS FROM "mv$columns")" +
                      id_filter + " ORDER BY OBJECT_ID, SEQ");
  while (c.Step()) {
    auto it = by_id.find(c.Int(0));
    if (it == by_id.end()) continue;
    ColumnDef col;
    col.name = c.Text(1);
    col.type = TypeFromRow(c, 2);
    col.nullable = c.Int(6) != 0;
    col.default_text = c.OptText(7);
    col.remarks = c.OptText(8);
    col.num_distinct = OptInt64(c, 9);
    col.num_nulls = OptInt64(c, 10);
    objects[it->second].columns.push_back(std::move(col));
  }

  std::map<std::string, std::pair<size_t, size_t>> constraint_at;
  Statement k(db, R"(SELECT OBJECT_ID, NAME, KIND, GENERATED, REF_TABLE, CHECK_TEXT, INDEX_NAME
                     FROM "mv$constraints")" +
                      id_filter + " ORDER BY OBJECT_ID, SEQ");
  while (k.Step()) {
    auto it = by_id.find(k.Int(0));
    if (it == by_id.end()) continue;
    ConstraintDef con;
    con.name = k.Text(1);
    con.kind = static_cast<ConstraintKind>(k.Text(2).at(0));
    con.generated = k.Int(3) != 0;
    con.ref_table = k.Text(4);
    con.check_text = k.Text(5);
    con.index_name = k.Text(6);
    auto& list = objects[it->second].constraints;
    constraint_at[con.name] = {it->second, list.size()};
    list.push_back(std::move(con));
  }
  Statement kc(db, R"(SELECT CONSTRAINT_NAME, COLUMN_NAME, REF_COLUMN
                      FROM "mv$constraint_columns" ORDER BY CONSTRAINT_NAME, SEQ)");
  while (kc.Step()) {
    auto it = constraint_at.find(kc.Text(0));
    if (it == constraint_at.end()) continue;
    ConstraintDef& con = objects[it->second.first].constraints[it->second.second];
    con.columns.push_back(kc.Text(1));
    if (!kc.IsNull(2)) con.ref_columns.push_back(kc.Text(2));
  }

  std::map<std::string, std::pair<size_t, size_t>> index_at;
  Statement i(db, R"(SELECT OBJECT_ID, NAME, KIND, IS_UNIQUE, GENERATED, CONSTRAINT_NAME, CREATED
                     FROM "mv$indexes")" +
                      id_filter + " ORDER BY OBJECT_ID, SEQ");
  while (i.Step()) {
    auto it = by_id.find(i.Int(0));
    if (it == by_id.end()) continue;
    IndexDef idx;
    idx.name = i.Text(1);
    idx.kind = i.Text(2);
    idx.unique = i.Int(3) != 0;
    idx.generated = i.Int(4) != 0;
    idx.constraint_name = i.Text(5);
    idx.created = i.Text(6);
    auto& list = objects[it->second].indexes;
    index_at[idx.name] = {it->second, list.size()};
    list.push_back(std::move(idx));
  }
  Statement ic(db, R"(SELECT INDEX_NAME, COLUMN_NAME FROM "mv$index_columns"
                      ORDER BY INDEX_NAME, SEQ)");
  while (ic.Step()) {
    auto it = index_at.find(ic.Text(0));
    if (it == index_at.end()) continue;
    objects[it->second.first].indexes[it->second.second].columns.push_back(ic.Text(1));
  }
  return objects;
}

void DeleteChildren(sqlite3* db, int64_t id) {
  std::string key = std::to_string(id);
  ExecSql(db, R"(DELETE FROM "mv$constraint_columns" WHERE CONSTRAINT_NAME IN
                   (SELECT NAME FROM "mv$constraints" WHERE OBJECT_ID = )" +
                  key + R"();
                 DELETE FROM "mv$constraints" WHERE OBJECT_ID = )" +
                  key + R"(;
                 DELETE FROM "mv$index_columns" WHERE INDEX_NAME IN
                   (SELECT NAME FROM "mv$indexes" WHERE OBJECT_ID = )" +
                  key + R"();
                 DELETE FROM "mv$indexes" WHERE OBJECT_ID = )" +
                  key + R"(;
                 DELETE FROM "mv$columns" WHERE OBJECT_ID = )" +
                  key + ";");
}

void SaveColumns(sqlite3* db, const ObjectDef& object) {
  Statement s(db, R"(INSERT INTO "mv$columns"(OBJECT_ID, SEQ, NAME, TYPE_NAME, LENGTH, PRECISION,
                     SCALE, NULLABLE, DEFAULT_TEXT, REMARKS, NUM_DISTINCT, NUM_NULLS)
                     VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?))");
  int64_t seq = 1;
  for (const ColumnDef& c : object.columns) {
    s.Bind(1, object.id).Bind(2, seq++).Bind(3, c.name).Bind(4, c.type.name);
    s.Bind(5, c.type.length).Bind(6, c.type.precision).Bind(7, c.type.scale);
    s.Bind(8, static_cast<int64_t>(c.nullable ? 1 : 0)).Bind(9, c.default_text).Bind(10, c.remarks);
    BindOpt(s, 11, c.num_distinct);
    BindOpt(s, 12, c.num_nulls);
    s.Run();
  }
}

void SaveConstraints(sqlite3* db, const ObjectDef& object) {
  Statement s(db, R"(INSERT INTO "mv$constraints"(NAME, OBJECT_ID, SEQ, KIND, GENERATED, REF_TABLE,
                     CHECK_TEXT, INDEX_NAME) VALUES(?, ?, ?, ?, ?, ?, ?, ?))");
  Statement cols(db, R"(INSERT INTO "mv$constraint_columns"(CONSTRAINT_NAME, SEQ, COLUMN_NAME,
                        REF_COLUMN) VALUES(?, ?, ?, ?))");
  int64_t seq = 1;
  for (const ConstraintDef& c : object.constraints) {
    s.Bind(1, c.name).Bind(2, object.id).Bind(3, seq++).Bind(4, std::string(1, char(c.kind)));
    s.Bind(5, static_cast<int64_t>(c.generated)).Bind(6, c.ref_table).Bind(7, c.check_text);
    s.Bind(8, c.index_name).Run();
    for (size_t i = 0; i < c.columns.size(); ++i) {
      cols.Bind(1, c.name).Bind(2, static_cast<int64_t>(i + 1)).Bind(3, c.columns[i]);
      if (i < c.ref_columns.size()) {
        cols.Bind(4, c.ref_columns[i]);
      } else {
        cols.BindNull(4);
      }
      cols.Run();
    }
  }
}

void SaveIndexes(sqlite3* db, const ObjectDef& object) {
  Statement s(db, R"(INSERT INTO "mv$indexes"(NAME, OBJECT_ID, SEQ, KIND, IS_UNIQUE, GENERATED,
                     CONSTRAINT_NAME, CREATED) VALUES(?, ?, ?, ?, ?, ?, ?, ?))");
  Statement cols(db, R"(INSERT INTO "mv$index_columns"(INDEX_NAME, SEQ, COLUMN_NAME)
                        VALUES(?, ?, ?))");
  int64_t seq = 1;
  for (const IndexDef& i : object.indexes) {
    s.Bind(1, i.name).Bind(2, object.id).Bind(3, seq++).Bind(4, i.kind);
    s.Bind(5, static_cast<int64_t>(i.unique)).Bind(6, static_cast<int64_t>(i.generated));
    s.Bind(7, i.constraint_name).Bind(8, i.created).Run();
    for (size_t n = 0; n < i.columns.size(); ++n) {
      cols.Bind(1, i.name).Bind(2, static_cast<int64_t>(n + 1)).Bind(3, i.columns[n]).Run();
    }
  }
}

}  // namespace

DatabaseIdentity EnsureMetadata(sqlite3* db, Family family, const std::string& owner) {
  ExecSql(db, kCreateMetadata);
  DatabaseIdentity identity{family, owner};
  std::optional<std::string> stored_family = MetaValue(db, "family");
  if (!stored_family) {
    SetMetaValue(db, "family", FamilyName(family));
    SetMetaValue(db, "owner", owner);
    SetMetaValue(db, "generation", "1");
    SetMetaValue(db, "created", NowText());
    return identity;
  }
  identity.family = ParseFamily(*stored_family).value_or(family);
  identity.owner = MetaValue(db, "owner").value_or(owner);
  return identity;
}

int64_t SchemaGeneration(sqlite3* db) {
  return std::stoll(MetaValue(db, "generation").value_or("0"));
}

void BumpSchemaGeneration(sqlite3* db) {
  ExecSql(db,
          R"(UPDATE "mv$meta" SET VALUE = CAST(VALUE AS INTEGER) + 1 WHERE KEY = 'generation')");
}

int64_t NextSequenceValue(sqlite3* db, const std::string& counter) {
  std::string key = "seq." + counter;
  int64_t value = std::stoll(MetaValue(db, key).value_or("0")) + 1;
  SetMetaValue(db, key, std::to_string(value));
  return value;
}

SchemaModel LoadSchema(sqlite3* db) {
  SchemaModel model;
  model.family = ParseFamily(MetaValue(db, "family").value_or("Oracle")).value_or(Family::kOracle);
  model.owner = MetaValue(db, "owner").value_or("");
  model.objects = LoadObjects(db, std::nullopt);
  return model;
}

std::optional<ObjectDef> LoadObject(sqlite3* db, const std::string& name) {
  std::vector<ObjectDef> found = LoadObjects(db, name);
  if (found.empty()) return std::nullopt;
  return std::move(found.front());
}

std::optional<std::string> OwnerOfIndex(sqlite3* db, const std::string& index_name) {
  Statement s(db, R"(SELECT O.NAME FROM "mv$indexes" I JOIN "mv$objects" O ON O.ID = I.OBJECT_ID
                     WHERE I.NAME = ?1
                     UNION ALL
                     SELECT O.NAME FROM "mv$constraints" C JOIN "mv$objects" O
                     ON O.ID = C.OBJECT_ID WHERE C.NAME = ?1)");
  s.Bind(1, index_name);
  if (!s.Step()) return std::nullopt;
  return s.Text(0);
}

bool ObjectExists(sqlite3* db, const std::string& name) {
  Statement s(db, R"(SELECT 1 FROM "mv$objects" WHERE NAME = ?)");
  s.Bind(1, name);
  return s.Step();
}

void SaveObject(sqlite3* db, const ObjectDef& object) {
  DeleteChildren(db, object.id);
  Statement s(db, R"(INSERT OR REPLACE INTO "mv$objects"(ID, NAME, KIND, CREATED, REMARKS,
                     NUM_ROWS, ANALYZED) VALUES(?, ?, ?, ?, ?, ?, ?))");
  s.Bind(1, object.id).Bind(2, object.name).Bind(3, object.is_view ? "VIEW" : "TABLE");
  s.Bind(4, object.created).Bind(5, object.remarks);
  BindOpt(s, 6, object.num_rows);
  s.Bind(7, object.analyzed).Run();
  SaveColumns(db, object);
  SaveConstraints(db, object);
  SaveIndexes(db, object);
}

void DeleteObject(sqlite3* db, int64_t id) {
  DeleteChildren(db, id);
  ExecSql(db, R"(DELETE FROM "mv$objects" WHERE ID = )" + std::to_string(id));
}

std::string NowText() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

}  // namespace morvane::emulator
