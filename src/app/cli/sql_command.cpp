#include "app/cli/sql_command.h"

#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>

#include "app/cli/command.h"
#include "app/cli/db_login.h"
#include "app/cli/text_progress.h"
#include "db/free_sql.h"
#include "db/free_sql_check.h"
#include "model/data_kind.h"
#include "project/project_lock.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "text/codec.h"
#include "text/sql_text.h"

namespace morvane {

const char kSqlUsage[] =
    "  morvane-cli sql PROJECT.vnk --dsn NAME [--uid USER] [--pwd-file FILE]\n"
    "      (--query TEXT | --query-file FILE) [--max-rows N]\n";

namespace {

struct SqlArguments {
  std::string project;
  DbLogin login;
  std::optional<std::string> query;
  std::optional<std::string> queryFile;
  std::optional<std::string> maxRows;
};

std::optional<std::string> ParseArguments(const std::vector<std::string>& args,
                                          SqlArguments& parsed) {
  if (args.empty() || args[0].starts_with("--")) return std::string("PROJECT.vnk がありません。");
  parsed.project = args[0];
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (i + 1 >= args.size()) return option + " の値がありません。";
    const std::string& value = args[++i];
    if (TakeDbLoginOption(option, value, parsed.login)) continue;
    if (option == "--query") {
      parsed.query = value;
    } else if (option == "--query-file") {
      parsed.queryFile = value;
    } else if (option == "--max-rows") {
      parsed.maxRows = value;
    } else {
      return "オプション「" + option + "」は使えません。";
    }
  }
  if (std::optional<std::string> problem = DbLoginProblem(parsed.login)) return problem;
  if (parsed.query.has_value() == parsed.queryFile.has_value()) {
    return std::string("--query か --query-file のどちらかを指定してください。");
  }
  return std::nullopt;
}

// The query in CP932, from the option or the file (UTF-8 either way).
std::optional<std::string> QueryText(const SqlArguments& arguments, std::ostream& err) {
  std::string utf8;
  if (arguments.query) {
    utf8 = *arguments.query;
  } else {
    std::ifstream file(*arguments.queryFile, std::ios::binary);
    if (!file) {
      err << "ファイル「" << *arguments.queryFile << "」を読めません。\n";
      return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    utf8 = bytes.str();
  }
  CodecResult sql = Utf8ToCp932(utf8);
  if (!sql.ok) {
    err << sql.error << "\n";
    return std::nullopt;
  }
  return sql.text;
}

int RunQuery(const SqlArguments& arguments, std::ostream& out, std::ostream& err) {
  std::optional<std::string> sql = QueryText(arguments, err);
  if (!sql) return kExitFailure;
  ProjectLock lock;
  if (std::optional<std::string> busy = lock.Lock(arguments.project)) {
    err << *busy << "\n";
    return kExitFailure;
  }
  TCatalogueStore store;
  if (!OpenProjectForDatabase(store, arguments.project, err)) return kExitFailure;

  std::string row_limit = store.sqlMaxRow;
  if (arguments.maxRows) {
    CodecResult typed = Utf8ToCp932(*arguments.maxRows);
    row_limit = typed.ok ? typed.text : "0";
  }
  FreeSqlCheck check = CheckFreeSql(store.product, *sql, row_limit);
  if (check.refusal != FreeSqlRefusal::kNone) {
    err << ToUtf8(check.message) << "\n";
    return kExitFailure;
  }

  TDbConnection connection;
  ScriptedPrompt prompt;
  NullStatusBar status;
  if (!ConnectWithLogin(arguments.login, store.product, connection, prompt, status, err)) {
    return kExitFailure;
  }
  TextProgressBar progress;
  DbSession session{connection, prompt, progress, status};
  bool ok = ExecuteFreeSql(store, session, *sql, check.maxRows, EstimateTextWidth);
  PrintShownMessages(prompt, err);
  connection.Disconnect(status);
  if (!ok) return kExitFailure;

  store.sqlText = SqlTextLines(*sql);
  store.sqlMaxRow = row_limit;
  const RecordList& result = store.Records(DataKind::Sql);
  out << DataKindCaption(DataKind::Sql) << ": "
      << (result.empty() ? 0 : result.front()->columns.size()) << "\n";
  if (!SaveProjectReporting(store, arguments.project, err)) return kExitFailure;
  return kExitOk;
}

}  // namespace

int RunSqlCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return ParseThenRun<SqlArguments>(
      args, err, std::string(kUsageHeading) + kSqlUsage + kDbLoginUsage, ParseArguments,
      [&](const SqlArguments& arguments) { return RunQuery(arguments, out, err); });
}

}  // namespace morvane
