#include "engine/session.h"

#include <sqlext.h>
#include <sys/stat.h>

#include "catalogue/catalogue.h"
#include "catalogue/oracle7_dictionary.h"
#include "engine/cp932_collation.h"
#include "engine/ddl.h"
#include "engine/functions.h"
#include "engine/lexer.h"
#include "engine/metadata_store.h"
#include "engine/owner_qualifier.h"
#include "engine/rewriter.h"
#include "engine/sql_error.h"
#include "engine/sqlite_util.h"

namespace morvane::emulator {
namespace {

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

// The first word of the statement, upper case, and the text after it.
std::string FirstWord(const Tokens& tokens, std::string* rest) {
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (!IsSignificant(tokens[i])) continue;
    if (rest) *rest = JoinTokens(Tokens(tokens.begin() + static_cast<long>(i) + 1, tokens.end()));
    return tokens[i].kind == TokenKind::kWord ? AsciiUpper(tokens[i].text) : tokens[i].text;
  }
  return "";
}

// Runs `work` inside a savepoint: all of it or none of it.
template <typename Work>
void Atomically(sqlite3* db, const char* name, Work work) {
  ExecSql(db, std::string("SAVEPOINT ") + name);
  try {
    work();
  } catch (...) {
    sqlite3_exec(db, (std::string("ROLLBACK TO ") + name + "; RELEASE " + name).c_str(), nullptr,
                 nullptr, nullptr);
    throw;
  }
  ExecSql(db, std::string("RELEASE ") + name);
}

// Index of the token that ends the statement (its first `;`), or the number of tokens. Text
// after that `;` is refused as the servers refuse it.
size_t StatementEnd(const Tokens& tokens) {
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (!IsSymbol(tokens[i], ";")) continue;
    for (size_t j = i + 1; j < tokens.size(); ++j) {
      if (IsSignificant(tokens[j])) {
        throw SqlError(ErrorKind::kNotEnded,
                       "text after the end of the statement: " + tokens[j].text);
      }
    }
    return i;
  }
  return tokens.size();
}

// Oracle 7 has none of the views Oracle 8 added: a statement naming one fails as on the server.
void RefuseOracle8Views(const Tokens& tokens) {
  for (const Token& t : tokens) {
    if ((t.kind == TokenKind::kWord || t.kind == TokenKind::kQuoted) &&
        IsOracle8View(IdentifierName(t))) {
      throw SqlError(ErrorKind::kTableNotFound, IdentifierName(t));
    }
  }
}

// Tables of the emulator's own bookkeeping in the main database.
bool IsBookkeepingTable(std::string_view name) {
  std::string upper = AsciiUpper(name);
  return upper.rfind("MV$", 0) == 0 || upper.rfind("CAT$", 0) == 0 ||
         upper.rfind("SQLITE_", 0) == 0;
}

}  // namespace

Session::Session(const SessionOptions& options)
    : family_(options.family),
      db_family_(options.family),
      owner_(options.owner),
      fixed_clock_(options.fixed_clock) {
  if (options.database.empty()) throw SqlError(ErrorKind::kDatabaseNotFound, "(no Database given)");
  if (!options.fixed_clock.empty() && !IsTimestampText(options.fixed_clock)) {
    throw SqlError(ErrorKind::kGeneral,
                   "FixedClock is not a time YYYY-MM-DD HH:MM:SS: " + options.fixed_clock);
  }
  if (!options.create && !FileExists(options.database)) {
    throw SqlError(ErrorKind::kDatabaseNotFound, options.database);
  }
  // The file's presence was checked above; CREATE lets the catalogue companion be made anew.
  // One SQLite connection serves one ODBC connection, never two threads at once: no mutex.
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(options.database.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : "cannot open";
    sqlite3_close(db_);
    db_ = nullptr;
    throw SqlError(ErrorKind::kDatabaseNotFound, options.database + ": " + message);
  }
  try {
    sqlite3_busy_timeout(db_, 10000);
    // The emulator trades durability for speed: write-ahead log without a sync per commit.
    ExecSql(db_,
            "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA temp_store = MEMORY; "
            "PRAGMA cache_size = -65536");
    RegisterDialectFunctions(db_);
    RegisterCp932Collation(db_);
    DatabaseIdentity identity = EnsureMetadata(db_, options.family, options.owner);
    db_family_ = identity.family;
    owner_ = identity.owner;
    catalogue_schema_ = CatalogueSchema(db_family_);
    Statement attach(db_, "ATTACH DATABASE ? AS " + QuoteIdentifier(catalogue_schema_));
    attach.Bind(1, options.database + ".catalogue").Run();
    ExecSql(db_, "PRAGMA " + QuoteIdentifier(catalogue_schema_) + ".synchronous = OFF");
    oracle7_ = options.oracle7 && db_family_ == Family::kOracle;
    if (oracle7_) CreateOracle7Dictionary(db_);
    sqlite3_set_authorizer(db_, Authorize, this);
  } catch (...) {
    sqlite3_close(db_);
    db_ = nullptr;
    throw;
  }
}

Session::~Session() { sqlite3_close(db_); }

std::string Session::Now() const { return fixed_clock_.empty() ? NowText() : fixed_clock_; }

Session::Outcome Session::Execute(const std::string& text) {
  Tokens tokens = Tokenize(text);
  size_t end = StatementEnd(tokens);
  CheckNesting(tokens);
  if (end < tokens.size()) tokens.resize(end);
  if (oracle7_) RefuseOracle8Views(tokens);
  std::string sql = JoinTokens(tokens);
  std::string rest;
  std::string word = FirstWord(tokens, &rest);
  if (word.empty()) throw SqlError(ErrorKind::kSyntax, "empty statement");
  if (IsDdlStatement(tokens)) return ExecuteDdl(sql);
  if (word == "COMMIT") {
    Commit();
    return {};
  }
  if (word == "ROLLBACK") {
    Rollback();
    return {};
  }
  if (word == "SELECT" || word == "WITH" || word == "(") return ExecuteQuery(sql);
  if (word == "EXPLAIN" && family_ == Family::kRedBrick) return ExecuteExplain(rest);
  if (word == "INSERT" || word == "UPDATE" || word == "DELETE") return ExecuteChange(sql);
  throw SqlError(ErrorKind::kSyntax, "invalid SQL statement beginning with " + word);
}

Session::Outcome Session::ExecuteDdl(const std::string& sql) {
  // DDL takes the write lock up front, waiting the busy timeout for readers and writers of
  // other connections; a lock taken late (on the first write) would fail at once instead.
  bool began = sqlite3_get_autocommit(db_) != 0;
  if (began) ExecSql(db_, "BEGIN IMMEDIATE");
  bool commit = began && autocommit_;
  DdlContext context;
  context.db = db_;
  context.family = family_;
  context.owner = owner_;
  context.now = Now();
  context.rewrite_query = [this](const std::string& query) {
    return RewriteDialect(family_, query);
  };
  Tokens tokens = Tokenize(sql);
  try {
    Atomically(db_, "ddl", [&] { morvane::emulator::ExecuteDdl(context, tokens); });
  } catch (...) {
    if (commit) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
  if (commit) ExecSql(db_, "COMMIT");
  Outcome outcome;
  outcome.rows_affected = 0;
  return outcome;
}

Session::Outcome Session::ExecuteQuery(const std::string& sql) {
  EnsureCatalogue();
  BeginIfManual();
  sqlite3_stmt* stmt =
      PrepareClientStatement(RewriteDialect(family_, ResolveOwnerQualifiers(sql, owner_)));
  if (!stmt) throw SqlError(ErrorKind::kSyntax, "empty statement");
  Outcome outcome;
  outcome.cursor = std::make_unique<SqliteCursor>(db_, stmt, family_);
  return outcome;
}

// Red Brick's EXPLAIN answers with the plan as rows of text.
Session::Outcome Session::ExecuteExplain(const std::string& statement) {
  EnsureCatalogue();
  std::string rewritten = RewriteDialect(family_, statement);
  Statement plan(db_, "EXPLAIN QUERY PLAN " + rewritten);
  RowsCursor::Rows rows;
  rows.push_back({std::string("EXECUTION PLAN")});
  std::vector<std::pair<int64_t, int>> depth_of;  // node id -> depth
  while (plan.Step()) {
    int64_t id = plan.Int(0);
    int64_t parent = plan.Int(1);
    int depth = 1;
    for (const auto& [node, d] : depth_of) {
      if (node == parent) depth = d + 1;
    }
    depth_of.push_back({id, depth});
    rows.push_back({std::string(static_cast<size_t>(depth) * 2, ' ') + plan.Text(3)});
  }
  ResultColumn column;
  column.name = "EXPLANATION";
  column.sql_type = SQL_VARCHAR;
  column.size = 1024;
  Outcome outcome;
  outcome.cursor = std::make_unique<RowsCursor>(std::vector<ResultColumn>{column}, std::move(rows));
  return outcome;
}

Session::Outcome Session::ExecuteChange(const std::string& sql) {
  EnsureCatalogue();
  BeginIfManual();
  sqlite3_stmt* change = PrepareClientStatement(RewriteDialect(family_, sql));
  int rc = change ? sqlite3_step(change) : SQLITE_DONE;
  sqlite3_finalize(change);
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) ThrowSqliteError(db_);
  Outcome outcome;
  outcome.rows_affected = sqlite3_changes(db_);
  return outcome;
}

sqlite3_stmt* Session::PrepareClientStatement(const std::string& sql) {
  sqlite3_stmt* stmt = nullptr;
  guard_catalogue_ = true;
  refused_object_.clear();
  int rc = sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr);
  guard_catalogue_ = false;
  if (rc == SQLITE_OK) return stmt;
  if (!refused_object_.empty()) throw SqlError(ErrorKind::kPrivilege, refused_object_);
  // Oracle 7's dictionary views are views of this connection: SQLite refuses changing them.
  std::string message = sqlite3_errmsg(db_);
  if (message.rfind("cannot modify ", 0) == 0) {
    std::string name = message.substr(14, message.find(' ', 14) - 14);
    Statement temp(db_, "SELECT 1 FROM temp.sqlite_master WHERE name = ?");
    if (temp.Bind(1, name).Step()) throw SqlError(ErrorKind::kPrivilege, name);
  }
  throw TranslateSqliteError(message);
}

// Refuses a client's INSERT, UPDATE or DELETE on the catalogue (and the emulator's own
// bookkeeping tables) as the servers refuse them: the catalogue belongs to the system.
int Session::Authorize(void* self, int action, const char* object, const char*,
                       const char* database, const char*) {
  auto* session = static_cast<Session*>(self);
  if (!session->guard_catalogue_) return SQLITE_OK;
  std::string schema = database ? database : "";
  std::string name = object ? object : "";
  bool in_catalogue = AsciiUpper(schema) == AsciiUpper(session->catalogue_schema_);
  if (action != SQLITE_INSERT && action != SQLITE_UPDATE && action != SQLITE_DELETE) {
    return SQLITE_OK;
  }
  if (!in_catalogue && schema != "temp" && !IsBookkeepingTable(name)) return SQLITE_OK;
  session->refused_object_ = name;
  return SQLITE_DENY;
}

void Session::EnsureCatalogue() {
  if (CatalogueGeneration(db_, catalogue_schema_) == SchemaGeneration(db_)) return;
  auto rebuild_if_stale = [this] {
    int64_t generation = SchemaGeneration(db_);
    if (CatalogueGeneration(db_, catalogue_schema_) == generation) return;
    RebuildCatalogue(db_, catalogue_schema_, LoadSchema(db_), generation);
  };
  if (!sqlite3_get_autocommit(db_)) {
    Atomically(db_, "catalogue", rebuild_if_stale);
    return;
  }
  // Several connections may find the catalogue stale at once. Taking the write lock first makes
  // them wait for each other (busy timeout) instead of failing when a read lock is upgraded; the
  // ones that come later find the catalogue rebuilt already.
  ExecSql(db_, "BEGIN IMMEDIATE");
  try {
    rebuild_if_stale();
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
  ExecSql(db_, "COMMIT");
}

void Session::BeginIfManual() {
  if (!autocommit_ && sqlite3_get_autocommit(db_)) ExecSql(db_, "BEGIN");
}

void Session::SetAutocommit(bool on) {
  if (on && !sqlite3_get_autocommit(db_)) Commit();
  autocommit_ = on;
}

void Session::Commit() {
  if (!sqlite3_get_autocommit(db_)) ExecSql(db_, "COMMIT");
}

void Session::Rollback() {
  if (!sqlite3_get_autocommit(db_)) ExecSql(db_, "ROLLBACK");
}

SchemaModel Session::Schema() { return LoadSchema(db_); }

}  // namespace morvane::emulator
