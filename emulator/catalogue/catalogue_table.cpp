#include "catalogue/catalogue_table.h"

#include "engine/cp932_collation.h"
#include "engine/lexer.h"
#include "engine/sql_error.h"
#include "engine/sqlite_util.h"

namespace morvane::emulator {
namespace {

void BindValue(sqlite3_stmt* stmt, int index, const Value& value) {
  if (const auto* i = std::get_if<int64_t>(&value)) {
    sqlite3_bind_int64(stmt, index, *i);
  } else if (const auto* d = std::get_if<double>(&value)) {
    sqlite3_bind_double(stmt, index, *d);
  } else if (const auto* s = std::get_if<std::string>(&value)) {
    sqlite3_bind_text(stmt, index, s->data(), static_cast<int>(s->size()), SQLITE_STATIC);
  } else {
    sqlite3_bind_null(stmt, index);
  }
}

void DropAll(sqlite3* db, const std::string& schema) {
  std::vector<std::string> names;
  {
    Statement list(
        db, "SELECT name FROM " + QuoteIdentifier(schema) + ".sqlite_master WHERE type = 'table'");
    while (list.Step()) names.push_back(list.Text(0));
  }
  for (const std::string& name : names) {
    ExecSql(db, "DROP TABLE " + QuoteIdentifier(schema) + "." + QuoteIdentifier(name));
  }
}

void WriteTable(sqlite3* db, const std::string& schema, const CatalogueTable& table) {
  std::string qualified = QuoteIdentifier(schema) + "." + QuoteIdentifier(table.name);
  std::string create = "CREATE TABLE " + qualified + "(";
  std::string insert = "INSERT INTO " + qualified + " VALUES(";
  for (size_t i = 0; i < table.columns.size(); ++i) {
    create += (i ? "," : "") + QuoteIdentifier(table.columns[i].name) + " " +
              table.columns[i].type + " COLLATE " + kCp932Collation;
    insert += i ? ",?" : "?";
  }
  ExecSql(db, create + ")");
  Statement s(db, insert + ")");
  for (const Row& row : table.rows) {
    for (size_t i = 0; i < table.columns.size(); ++i) {
      if (i < row.size()) {
        BindValue(s.get(), static_cast<int>(i + 1), row[i]);
      } else {
        sqlite3_bind_null(s.get(), static_cast<int>(i + 1));
      }
    }
    s.Run();
  }
  int n = 0;
  for (const std::string& index_def : table.indexes) {
    bool unique = index_def.rfind("UNIQUE:", 0) == 0;
    std::string columns = unique ? index_def.substr(7) : index_def;
    std::string name = table.name + "_X" + std::to_string(++n);
    ExecSql(db, std::string(unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") +
                    QuoteIdentifier(schema) + "." + QuoteIdentifier(name) + " ON " +
                    QuoteIdentifier(table.name) + "(" + columns + ")");
  }
}

}  // namespace

Value OptText(const std::optional<std::string>& s) { return s ? Value(*s) : Null(); }
Value OptInt(const std::optional<int>& v) { return v ? Value(static_cast<int64_t>(*v)) : Null(); }
Value OptInt64(const std::optional<int64_t>& v) { return v ? Value(*v) : Null(); }

void WriteCatalogue(sqlite3* db, const std::string& schema,
                    const std::vector<CatalogueTable>& tables) {
  DropAll(db, schema);
  for (const CatalogueTable& table : tables) WriteTable(db, schema, table);
}

}  // namespace morvane::emulator
