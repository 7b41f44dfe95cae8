#include "engine/ddl.h"

#include <cstdio>

#include "engine/cp932_collation.h"
#include "engine/metadata_store.h"
#include "engine/sql_error.h"
#include "engine/sqlite_util.h"
#include "engine/token_cursor.h"

namespace morvane::emulator {
namespace {

bool IsConstraintStart(const TokenCursor& c) {
  return c.PeekKeyword("CONSTRAINT") || c.PeekKeyword("PRIMARY") || c.PeekKeyword("UNIQUE") ||
         c.PeekKeyword("FOREIGN") || c.PeekKeyword("CHECK");
}

bool IsColumnConstraintWord(const TokenCursor& c) {
  return IsConstraintStart(c) || c.PeekKeyword("NOT") || c.PeekKeyword("NULL") ||
         c.PeekKeyword("REFERENCES") || c.PeekKeyword("DEFAULT");
}

std::string Unquote(const Token& t) {
  if (t.kind != TokenKind::kString) {
    throw SqlError(ErrorKind::kSyntax, "expected a quoted string but found \"" + t.text + "\"");
  }
  std::string inner = t.text.substr(1, t.text.size() - 2);
  std::string out;
  for (size_t i = 0; i < inner.size(); ++i) {
    out += inner[i];
    if (inner[i] == '\'' && i + 1 < inner.size() && inner[i + 1] == '\'') ++i;
  }
  return out;
}

std::string IndexSql(const IndexDef& index, const std::string& table) {
  std::string sql = index.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
  sql += QuoteIdentifier(index.name) + " ON " + QuoteIdentifier(table) + "(";
  for (size_t i = 0; i < index.columns.size(); ++i) {
    sql += (i ? "," : "") + QuoteIdentifier(index.columns[i]);
  }
  return sql + ")";
}

class DdlRunner {
 public:
  DdlRunner(const DdlContext& context, const Tokens& tokens)
      : ctx_(context), tokens_(tokens), c_(tokens) {}

  void Run() {
    if (c_.Accept("CREATE")) return Create();
    if (c_.Accept("DROP")) return Drop();
    if (c_.Accept("ALTER")) return Alter();
    if (c_.Accept("COMMENT")) return Comment();
    if (c_.Accept("ANALYZE")) return Analyze();
    if (c_.Accept("TRUNCATE")) return Truncate();
    throw SqlError(ErrorKind::kSyntax, "invalid SQL statement");
  }

 private:
  void Create() {
    if (c_.Accept("OR")) {
      c_.Expect("REPLACE");
      replace_ = true;
    }
    c_.Accept("FORCE");
    c_.Accept("NOFORCE");
    if (c_.Accept("TABLE")) return CreateTable();
    if (c_.Accept("VIEW")) return CreateView();
    bool unique = c_.Accept("UNIQUE");
    std::string kind = DefaultIndexKind();
    for (const char* word : {"BITMAP", "BTREE", "STAR", "TARGET"}) {
      if (c_.Accept(word)) kind = word;
    }
    if (c_.Accept("INDEX")) return CreateIndex(unique, kind);
    throw SqlError(ErrorKind::kUnsupported, "CREATE " + c_.Peek().text);
  }

  std::string DefaultIndexKind() const {
    return ctx_.family == Family::kRedBrick ? "BTREE" : "NORMAL";
  }

  // ---- tables ----

  void CreateTable() {
    ObjectDef table;
    table.name = c_.ObjectName();
    if (ObjectExists(ctx_.db, table.name)) throw SqlError(ErrorKind::kObjectExists, table.name);
    table.id = NewObjectId();
    table.created = ctx_.now;
    c_.ExpectSymbol("(");
    std::vector<ConstraintDef> constraints;
    do {
      if (IsConstraintStart(c_)) {
        constraints.push_back(TableConstraint());
      } else {
        ParseColumn(table, constraints);
      }
    } while (c_.AcceptSymbol(","));
    c_.ExpectSymbol(")");
    if (c_.Accept("AS")) throw SqlError(ErrorKind::kUnsupported, "CREATE TABLE ... AS SELECT");
    // Storage clauses (TABLESPACE, PCTFREE, ...) that may follow are accepted and ignored.
    for (const ConstraintDef& con : constraints) {
      if (con.kind != ConstraintKind::kPrimary) continue;
      for (const std::string& column : con.columns) {
        if (ColumnDef* col = table.FindColumn(column)) col->nullable = false;
      }
    }
    ExecSql(ctx_.db, TableSql(table));
    for (ConstraintDef& con : constraints) AddConstraint(table, std::move(con));
    SaveObject(ctx_.db, table);
  }

  std::string TableSql(const ObjectDef& table) const {
    std::string sql = "CREATE TABLE " + QuoteIdentifier(table.name) + "(";
    for (size_t i = 0; i < table.columns.size(); ++i)
      sql += (i ? "," : "") + ColumnSql(table.columns[i]);
    return sql + ")";
  }

  std::string ColumnSql(const ColumnDef& col) const {
    // Text compares as the server's Shift-JIS bytes; numbers are not touched by a collation.
    std::string sql =
        QuoteIdentifier(col.name) + " " + TypeText(col.type) + " COLLATE " + kCp932Collation;
    if (!col.nullable) sql += " NOT NULL";
    if (col.default_text) {
      std::optional<std::string> value = SqliteDefault(*col.default_text);
      if (value) sql += " DEFAULT " + *value;
    }
    return sql;
  }

  // The default as SQLite can store it: literals, the current time and the user name.
  std::optional<std::string> SqliteDefault(const std::string& text) const {
    Tokens tokens = Tokenize(text);
    TokenCursor d(tokens);
    while (d.AcceptSymbol("(")) {
    }
    std::string sign = d.AcceptSymbol("-") ? "-" : "";
    const Token& t = d.Next();
    std::string value;
    if (t.kind == TokenKind::kString || t.kind == TokenKind::kNumber) {
      value = sign + t.text;
    } else if (IsKeyword(t, "SYSDATE") || IsKeyword(t, "CURRENT_TIMESTAMP") ||
               IsKeyword(t, "SYSTIMESTAMP")) {
      value = "CURRENT_TIMESTAMP";
    } else if (IsKeyword(t, "CURRENT_DATE")) {
      value = "CURRENT_DATE";
    } else if (IsKeyword(t, "USER")) {
      value = QuoteString(ctx_.owner);
    } else if (IsKeyword(t, "NULL")) {
      value = "NULL";
    } else {
      return std::nullopt;
    }
    while (d.AcceptSymbol(")")) {
    }
    return d.AtEnd() ? std::optional<std::string>(value) : std::nullopt;
  }

  void ParseColumn(ObjectDef& table, std::vector<ConstraintDef>& constraints) {
    ColumnDef col;
    col.name = c_.Identifier();
    if (table.FindColumn(col.name)) throw SqlError(ErrorKind::kObjectExists, col.name);
    col.type = ParseType();
    while (!c_.AtEnd() && !c_.PeekSymbol(",") && !c_.PeekSymbol(")")) {
      if (!IsColumnConstraintWord(c_)) {
        c_.Next();  // ENABLE, storage words and the like
        continue;
      }
      std::string name;
      if (c_.Accept("CONSTRAINT")) name = c_.Identifier();
      if (c_.Accept("NOT")) {
        c_.Expect("NULL");
        col.nullable = false;
      } else if (c_.Accept("NULL")) {
        col.nullable = true;
      } else if (c_.Accept("DEFAULT")) {
        col.default_text = DefaultText();
      } else {
        ConstraintDef con = ConstraintBody(name, {col.name});
        constraints.push_back(std::move(con));
      }
    }
    table.columns.push_back(std::move(col));
  }

  ColumnType ParseType() {
    std::string words = c_.Identifier();
    static const char* kSecondWords[][2] = {{"DOUBLE", "PRECISION"},  {"LONG", "RAW"},
                                            {"LONG", "VARCHAR"},      {"LONG", "VARBINARY"},
                                            {"CHARACTER", "VARYING"}, {"CHAR", "VARYING"}};
    for (const auto& pair : kSecondWords) {
      if (words == pair[0] && c_.PeekKeyword(pair[1])) {
        c_.Next();
        words = words + " " + pair[1];
        break;
      }
    }
    std::vector<int> params;
    if (c_.AcceptSymbol("(")) {
      do {
        if (c_.AcceptSymbol("*")) {
          params.push_back(38);
        } else {
          params.push_back(c_.Integer());
        }
        c_.Accept("BYTE");
        c_.Accept("CHAR");
      } while (c_.AcceptSymbol(","));
      c_.ExpectSymbol(")");
    }
    return NormaliseType(ctx_.family, words, params);
  }

  // The default expression's source text, up to the next constraint word or list end.
  std::string DefaultText() {
    size_t from = c_.position();
    int depth = 0;
    while (!c_.AtEnd()) {
      if (depth == 0 && (c_.PeekSymbol(",") || c_.PeekSymbol(")"))) break;
      if (depth == 0 && from != c_.position() && IsColumnConstraintWord(c_)) break;
      if (c_.PeekSymbol("(")) ++depth;
      if (c_.PeekSymbol(")")) --depth;
      c_.Next();
    }
    return c_.TextBetween(from, c_.position());
  }

  ConstraintDef TableConstraint() {
    std::string name;
    if (c_.Accept("CONSTRAINT")) name = c_.Identifier();
    ConstraintDef con = ConstraintBody(name, {});
    c_.SkipToListEnd();  // USING INDEX ..., ENABLE, DEFERRABLE ...
    return con;
  }

  // PRIMARY KEY / UNIQUE / FOREIGN KEY / REFERENCES / CHECK; column constraints pass their
  // column, table constraints list their own.
  ConstraintDef ConstraintBody(const std::string& name, const std::vector<std::string>& column) {
    ConstraintDef con;
    con.name = name;
    if (c_.Accept("PRIMARY")) {
      c_.Expect("KEY");
      con.kind = ConstraintKind::kPrimary;
      con.columns = column.empty() ? NameList() : column;
    } else if (c_.Accept("UNIQUE")) {
      con.kind = ConstraintKind::kUnique;
      con.columns = column.empty() ? NameList() : column;
    } else if (c_.Accept("CHECK")) {
      con.kind = ConstraintKind::kCheck;
      size_t from = c_.position();
      c_.ExpectSymbol("(");
      c_.SkipToListEnd();
      c_.ExpectSymbol(")");
      con.check_text = c_.TextBetween(from + 1, c_.position() - 1);
      con.columns = column;
    } else {
      con.kind = ConstraintKind::kForeign;
      if (column.empty()) {
        c_.Expect("FOREIGN");
        c_.Expect("KEY");
        con.columns = NameList();
      } else {
        con.columns = column;
      }
      c_.Expect("REFERENCES");
      con.ref_table = c_.ObjectName();
      if (c_.PeekSymbol("(")) con.ref_columns = NameList();
      while (c_.Accept("ON")) {
        c_.Next();  // DELETE / UPDATE
        if (c_.Accept("SET")) {
          c_.Next();
        } else {
          c_.Accept("CASCADE");
          c_.Accept("RESTRICT");
          if (c_.Accept("NO")) c_.Accept("ACTION");
        }
      }
    }
    return con;
  }

  std::vector<std::string> NameList() {
    std::vector<std::string> names;
    c_.ExpectSymbol("(");
    do {
      names.push_back(c_.Identifier());
      c_.Accept("ASC");
      c_.Accept("DESC");
    } while (c_.AcceptSymbol(","));
    c_.ExpectSymbol(")");
    return names;
  }

  // ---- constraints and indexes ----

  void AddConstraint(ObjectDef& table, ConstraintDef con) {
    for (const std::string& column : con.columns) {
      if (!table.FindColumn(column)) {
        throw SqlError(ErrorKind::kColumnNotFound, "\"" + column + "\"");
      }
    }
    if (con.kind == ConstraintKind::kPrimary && table.PrimaryKey()) {
      throw SqlError(ErrorKind::kGeneral, "table " + table.name + " can have only one primary key");
    }
    if (con.name.empty()) {
      con.name = GeneratedName(table, con.kind);
      con.generated = true;
    } else if (OwnerOfIndex(ctx_.db, con.name)) {
      throw SqlError(ErrorKind::kObjectExists, con.name);
    }
    if (con.kind == ConstraintKind::kForeign) CheckReference(table, con);
    if (con.kind == ConstraintKind::kPrimary) {
      for (const std::string& column : con.columns) table.FindColumn(column)->nullable = false;
    }
    if (con.kind == ConstraintKind::kPrimary || con.kind == ConstraintKind::kUnique) {
      con.index_name = EnforcingIndex(table, con);
    }
    table.constraints.push_back(std::move(con));
  }

  void CheckReference(const ObjectDef& table, const ConstraintDef& con) {
    if (con.ref_table == table.name) return;
    if (!ObjectExists(ctx_.db, con.ref_table)) {
      throw SqlError(ErrorKind::kTableNotFound, con.ref_table);
    }
    if (!con.ref_columns.empty() && con.ref_columns.size() != con.columns.size()) {
      throw SqlError(ErrorKind::kGeneral,
                     "number of referencing columns must match referenced columns");
    }
  }

  // An index on exactly the key's columns serves it; otherwise a unique index named after
  // the constraint is created.
  std::string EnforcingIndex(ObjectDef& table, const ConstraintDef& con) {
    for (IndexDef& index : table.indexes) {
      if (index.columns == con.columns && index.constraint_name.empty()) {
        index.constraint_name = con.name;
        return index.name;
      }
    }
    IndexDef index;
    index.name = con.name;
    index.kind = DefaultIndexKind();
    index.unique = true;
    index.generated = con.generated;
    index.constraint_name = con.name;
    index.columns = con.columns;
    index.created = ctx_.now;
    ExecSql(ctx_.db, IndexSql(index, table.name));
    table.indexes.push_back(index);
    return index.name;
  }

  std::string GeneratedName(const ObjectDef& table, ConstraintKind kind) {
    if (ctx_.family == Family::kOracle) {
      char name[32];
      std::snprintf(name, sizeof name, "SYS_C%06lld",
                    static_cast<long long>(3000 + NextSequenceValue(ctx_.db, "constraint")));
      return name;
    }
    if (kind == ConstraintKind::kPrimary) return table.name + "_PK";
    int count = 1;
    for (const ConstraintDef& c : table.constraints) count += c.kind == kind ? 1 : 0;
    const char* suffix = kind == ConstraintKind::kUnique    ? "_UK"
                         : kind == ConstraintKind::kForeign ? "_FK"
                                                            : "_CK";
    return table.name + suffix + std::to_string(count);
  }

  void CreateIndex(bool unique, const std::string& kind) {
    IndexDef index;
    index.name = c_.ObjectName();
    c_.Expect("ON");
    ObjectDef table = RequireObject(c_.ObjectName());
    if (table.is_view) throw SqlError(ErrorKind::kGeneral, "cannot create an index on a view");
    index.kind = kind;
    index.unique = unique;
    index.columns = NameList();
    index.created = ctx_.now;
    for (const std::string& column : index.columns) {
      if (!table.FindColumn(column))
        throw SqlError(ErrorKind::kColumnNotFound, "\"" + column + "\"");
    }
    if (OwnerOfIndex(ctx_.db, index.name) || ObjectExists(ctx_.db, index.name)) {
      throw SqlError(ErrorKind::kObjectExists, index.name);
    }
    ExecSql(ctx_.db, IndexSql(index, table.name));
    table.indexes.push_back(std::move(index));
    SaveObject(ctx_.db, table);
  }

  // ---- views ----

  void CreateView() {
    ObjectDef view;
    view.name = c_.ObjectName();
    std::vector<std::string> names;
    if (c_.PeekSymbol("(")) names = NameList();
    c_.Expect("AS");
    std::string query = ctx_.rewrite_query(c_.RestText());
    std::optional<ObjectDef> existing = LoadObject(ctx_.db, view.name);
    if (existing) {
      if (!replace_ || !existing->is_view) throw SqlError(ErrorKind::kObjectExists, view.name);
      ExecSql(ctx_.db, "DROP VIEW " + QuoteIdentifier(view.name));
      view.id = existing->id;
    } else {
      view.id = NewObjectId();
    }
    view.is_view = true;
    view.created = ctx_.now;
    ExecSql(ctx_.db, ViewSql(view.name, names, query));
    ReadViewColumns(view);
    if (names.empty()) {
      // Unquoted names are upper case in the catalogue; the view is made to agree.
      for (const ColumnDef& col : view.columns) names.push_back(col.name);
      ExecSql(ctx_.db, "DROP VIEW " + QuoteIdentifier(view.name));
      ExecSql(ctx_.db, ViewSql(view.name, names, query));
    }
    SaveObject(ctx_.db, view);
  }

  static std::string ViewSql(const std::string& name, const std::vector<std::string>& columns,
                             const std::string& query) {
    std::string sql = "CREATE VIEW " + QuoteIdentifier(name);
    if (!columns.empty()) {
      sql += "(";
      for (size_t i = 0; i < columns.size(); ++i)
        sql += (i ? "," : "") + QuoteIdentifier(columns[i]);
      sql += ")";
    }
    return sql + " AS " + query;
  }

  void ReadViewColumns(ObjectDef& view) {
    Statement info(ctx_.db, "SELECT name, type FROM pragma_table_info(?)");
    info.Bind(1, view.name);
    while (info.Step()) {
      ColumnDef col;
      col.name = AsciiUpper(info.Text(0));
      col.type = ParseTypeText(ctx_.family, info.Text(1));
      view.columns.push_back(std::move(col));
    }
  }

  // ---- comments, drop, alter, analyze ----

  void Comment() {
    c_.Expect("ON");
    if (c_.Accept("TABLE")) {
      ObjectDef object = RequireObject(c_.ObjectName());
      c_.Expect("IS");
      object.remarks = CommentText();
      SaveObject(ctx_.db, object);
      return;
    }
    c_.Expect("COLUMN");
    std::vector<std::string> parts{c_.Identifier()};
    while (c_.AcceptSymbol(".")) parts.push_back(c_.Identifier());
    if (parts.size() < 2)
      throw SqlError(ErrorKind::kSyntax, "COMMENT ON COLUMN needs table.column");
    ObjectDef object = RequireObject(parts[parts.size() - 2]);
    ColumnDef* column = object.FindColumn(parts.back());
    if (!column) throw SqlError(ErrorKind::kColumnNotFound, "\"" + parts.back() + "\"");
    c_.Expect("IS");
    column->remarks = CommentText();
    SaveObject(ctx_.db, object);
  }

  std::optional<std::string> CommentText() {
    std::string text = Unquote(c_.Next());
    if (text.empty()) return std::nullopt;  // an empty comment removes it
    return text;
  }

  void Drop() {
    if (c_.Accept("INDEX")) return DropIndex(c_.ObjectName());
    bool view = c_.Accept("VIEW");
    if (!view) c_.Expect("TABLE");
    ObjectDef object = RequireObject(c_.ObjectName());
    if (object.is_view != view) throw SqlError(ErrorKind::kTableNotFound, object.name);
    bool cascade = c_.Accept("CASCADE");
    if (!view) DropReferencingKeys(object.name, cascade);
    ExecSql(ctx_.db,
            std::string(view ? "DROP VIEW " : "DROP TABLE ") + QuoteIdentifier(object.name));
    DeleteObject(ctx_.db, object.id);
  }

  void DropReferencingKeys(const std::string& table, bool cascade) {
    Statement s(ctx_.db, R"(SELECT DISTINCT O.NAME FROM "mv$constraints" C JOIN "mv$objects" O
                            ON O.ID = C.OBJECT_ID WHERE C.KIND = 'R' AND C.REF_TABLE = ?1
                            AND O.NAME <> ?1)");
    s.Bind(1, table);
    std::vector<std::string> referencing;
    while (s.Step()) referencing.push_back(s.Text(0));
    if (!referencing.empty() && !cascade) {
      throw SqlError(ErrorKind::kGeneral,
                     "unique/primary keys in table " + table + " referenced by foreign keys");
    }
    for (const std::string& name : referencing) {
      ObjectDef other = RequireObject(name);
      std::erase_if(other.constraints, [&](const ConstraintDef& c) {
        return c.kind == ConstraintKind::kForeign && c.ref_table == table;
      });
      SaveObject(ctx_.db, other);
    }
  }

  void DropIndex(const std::string& name) {
    std::optional<std::string> owner = OwnerOfIndex(ctx_.db, name);
    if (!owner) throw SqlError(ErrorKind::kTableNotFound, name);
    ObjectDef table = RequireObject(*owner);
    for (auto it = table.indexes.begin(); it != table.indexes.end(); ++it) {
      if (it->name != name) continue;
      if (!it->constraint_name.empty()) {
        throw SqlError(ErrorKind::kGeneral,
                       "cannot drop index used for enforcement of unique/primary key");
      }
      table.indexes.erase(it);
      ExecSql(ctx_.db, "DROP INDEX " + QuoteIdentifier(name));
      SaveObject(ctx_.db, table);
      return;
    }
    throw SqlError(ErrorKind::kTableNotFound, name);
  }

  void Alter() {
    c_.Expect("TABLE");
    ObjectDef table = RequireObject(c_.ObjectName());
    if (c_.Accept("ADD")) {
      bool list = c_.AcceptSymbol("(");
      do {
        if (IsConstraintStart(c_)) {
          AddConstraint(table, TableConstraint());
        } else {
          AddColumn(table);
        }
      } while (list && c_.AcceptSymbol(","));
      if (list) c_.ExpectSymbol(")");
    } else if (c_.Accept("DROP")) {
      DropConstraint(table);
    } else {
      throw SqlError(ErrorKind::kUnsupported, "ALTER TABLE " + c_.Peek().text);
    }
    SaveObject(ctx_.db, table);
  }

  void AddColumn(ObjectDef& table) {
    std::vector<ConstraintDef> constraints;
    ParseColumn(table, constraints);
    ColumnDef sqlite_col = table.columns.back();
    if (!sqlite_col.default_text)
      sqlite_col.nullable = true;  // SQLite needs a default for NOT NULL
    ExecSql(ctx_.db,
            "ALTER TABLE " + QuoteIdentifier(table.name) + " ADD COLUMN " + ColumnSql(sqlite_col));
    for (ConstraintDef& con : constraints) AddConstraint(table, std::move(con));
  }

  void DropConstraint(ObjectDef& table) {
    std::string name;
    if (c_.Accept("PRIMARY")) {
      c_.Expect("KEY");
      if (!table.PrimaryKey())
        throw SqlError(ErrorKind::kGeneral, "no primary key on " + table.name);
      name = table.PrimaryKey()->name;
    } else {
      c_.Expect("CONSTRAINT");
      name = c_.Identifier();
    }
    auto it = std::find_if(table.constraints.begin(), table.constraints.end(),
                           [&](const ConstraintDef& c) { return c.name == name; });
    if (it == table.constraints.end())
      throw SqlError(ErrorKind::kGeneral, "constraint " + name + " does not exist");
    for (auto idx = table.indexes.begin(); idx != table.indexes.end(); ++idx) {
      if (idx->constraint_name != name) continue;
      if (idx->name == name) {
        ExecSql(ctx_.db, "DROP INDEX " + QuoteIdentifier(idx->name));
        table.indexes.erase(idx);
      } else {
        idx->constraint_name.clear();
      }
      break;
    }
    table.constraints.erase(it);
  }

  void Analyze() {
    std::vector<std::string> names;
    if (c_.Accept("TABLE")) {
      names.push_back(c_.ObjectName());
    } else {
      Statement s(ctx_.db, R"(SELECT NAME FROM "mv$objects" WHERE KIND = 'TABLE' ORDER BY ID)");
      while (s.Step()) names.push_back(s.Text(0));
    }
    bool remove = c_.Accept("DELETE");
    for (const std::string& name : names) {
      ObjectDef table = RequireObject(name);
      if (table.is_view) continue;
      if (remove) {
        ClearStatistics(table);
      } else {
        GatherStatistics(table);
      }
      SaveObject(ctx_.db, table);
    }
  }

  void ClearStatistics(ObjectDef& table) {
    table.num_rows.reset();
    table.analyzed.reset();
    for (ColumnDef& col : table.columns) {
      col.num_distinct.reset();
      col.num_nulls.reset();
    }
  }

  void GatherStatistics(ObjectDef& table) {
    std::string sql = "SELECT COUNT(*)";
    for (const ColumnDef& col : table.columns) {
      std::string q = QuoteIdentifier(col.name);
      sql += ",COUNT(DISTINCT " + q + "),COUNT(*)-COUNT(" + q + ")";
    }
    Statement s(ctx_.db, sql + " FROM " + QuoteIdentifier(table.name));
    s.Step();
    table.num_rows = s.Int(0);
    table.analyzed = ctx_.now;
    for (size_t i = 0; i < table.columns.size(); ++i) {
      table.columns[i].num_distinct = s.Int(static_cast<int>(1 + 2 * i));
      table.columns[i].num_nulls = s.Int(static_cast<int>(2 + 2 * i));
    }
  }

  void Truncate() {
    c_.Expect("TABLE");
    ObjectDef table = RequireObject(c_.ObjectName());
    ExecSql(ctx_.db, "DELETE FROM " + QuoteIdentifier(table.name));
  }

  // ---- helpers ----

  ObjectDef RequireObject(const std::string& name) {
    std::optional<ObjectDef> object = LoadObject(ctx_.db, name);
    if (!object) throw SqlError(ErrorKind::kTableNotFound, name);
    return std::move(*object);
  }

  int64_t NewObjectId() { return 30000 + NextSequenceValue(ctx_.db, "object"); }

  const DdlContext& ctx_;
  const Tokens& tokens_;
  TokenCursor c_;
  bool replace_ = false;
};

}  // namespace

bool IsDdlStatement(const Tokens& tokens) {
  for (const Token& t : tokens) {
    if (!IsSignificant(t)) continue;
    for (const char* word : {"CREATE", "DROP", "ALTER", "COMMENT", "ANALYZE", "TRUNCATE"}) {
      if (IsKeyword(t, word)) return true;
    }
    return false;
  }
  return false;
}

void ExecuteDdl(const DdlContext& context, const Tokens& tokens) {
  DdlRunner(context, tokens).Run();
  BumpSchemaGeneration(context.db);
}

}  // namespace morvane::emulator
