#include "db/row_count.h"

#include <sqlext.h>

#include <charconv>
#include <cstdint>
#include <exception>
#include <unordered_map>

#include "db/bound_row.h"
#include "db/odbc_catalogue_reader.h"
#include "db/odbc_error.h"
#include "db/odbc_handles.h"
#include "model/data_kind.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {
namespace {

constexpr const char* kFailedCount = "-1";

std::optional<int64_t> CountOf(std::string_view text) {
  std::string trimmed = TrimBlanks(text);
  int64_t value = 0;
  auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
  if (ec != std::errc() || end != trimmed.data() + trimmed.size() || trimmed.empty()) {
    return std::nullopt;
  }
  return value;
}

// Runs the count statement; the count, or nothing after showing why it failed.
std::optional<int64_t> CountRows(DbSession& session, const TTableRec& table) {
  const TDbConnection& connection = session.connection;
  StmtHandle statement = AllocateStatement(connection.Dbc.get());
  std::optional<int64_t> count;
  if (statement) {
    std::string sql = CountStatement(table);
    try {
      if (SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS) ==
          SQL_SUCCESS) {
        BoundRow row(statement.get(), 1);
        SQLRETURN rc = SQLFetch(statement.get());
        if (rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO) {
          count = CountOf(row.Text(0));
          if (!count) {
            session.prompt.Error(InternalErrorText());
            return std::nullopt;
          }
        }
      }
    } catch (const std::exception&) {
      count.reset();
    }
  }
  if (!count) {
    ShowODBCError(session.prompt, connection.Env.get(), connection.Dbc.get(), statement.get());
  }
  return count;
}

// The same for a generic ODBC data source: the names quoted with the data source's own quote and
// sent through the wide interface, which every driver takes whatever its character set.
std::optional<int64_t> CountRowsThroughWideCall(DbSession& session, const TTableRec& table) {
  SQLHDBC dbc = session.connection.Dbc.get();
  try {
    std::string sql = OdbcCountSql(IdentifierQuote(dbc), table.owner, table.name);
    if (std::optional<int64_t> count = CountOf(OdbcQueryValue(dbc, sql))) return count;
    session.prompt.Error(InternalErrorText());
  } catch (const OdbcFailure& failure) {
    session.prompt.Error(failure.message().empty() ? InternalErrorText() : failure.message());
  } catch (const std::exception&) {
    session.prompt.Error(InternalErrorText());
  }
  return std::nullopt;
}

}  // namespace

std::optional<size_t> CountValueIndex(Product product) { return ProfileOf(product).countPosition; }

std::string QuotedIdentifier(std::string_view name) {
  std::string quoted = "\"";
  for (char c : name) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  quoted += '"';
  return quoted;
}

std::string CountStatement(const TTableRec& table) {
  std::string sql = "SELECT COUNT(*) FROM ";
  if (!table.owner.empty()) sql += QuotedIdentifier(table.owner) + ".";
  return sql + QuotedIdentifier(table.name);
}

bool FetchRowCount(Product product, DbSession& session, TTableRec& table) {
  std::optional<int64_t> count = ProfileOf(product).readsCatalogueFunctions
                                     ? CountRowsThroughWideCall(session, table)
                                     : CountRows(session, table);
  std::optional<size_t> entry = CountValueIndex(product);
  if (entry) {
    if (table.values.size() <= *entry) table.values.resize(*entry + 1);
    table.values.Set(*entry, count ? std::to_string(*count) : kFailedCount);
  }
  return count.has_value();
}

bool GetTableCount(TCatalogueStore& store, DbSession& session,
                   const std::vector<const TTableRec*>& tables) {
  std::unordered_map<const TTableRec*, TTableRec*> known;
  for (const auto& record : store.Records(DataKind::Table))
    known.emplace(record.get(), record.get());

  session.status.SetBusy(true);
  session.status.SetPanelText(kActivityPanel, ToCp932("件数取得"));
  session.progress.Begin("件数取得", static_cast<int>(tables.size()));
  // The bar and the cursor are put back however the counting ends.
  struct Finish {
    DbSession& session;
    ~Finish() {
      session.progress.End();
      session.status.SetBusy(false);
    }
  } finish{session};
  bool all_counted = true;
  int done = 0;
  for (const TTableRec* table : tables) {
    session.progress.Step(++done);
    auto record = known.find(table);
    if (record == known.end()) continue;
    if (!FetchRowCount(store.product, session, *record->second)) all_counted = false;
  }
  return all_counted;
}

}  // namespace morvane
