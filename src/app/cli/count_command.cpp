#include "app/cli/count_command.h"

#include <optional>
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/db_login.h"
#include "app/cli/text_progress.h"
#include "db/row_count.h"
#include "model/data_kind.h"
#include "project/project_lock.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "text/codec.h"

namespace morvane {

const char kCountUsage[] =
    "  morvane-cli count PROJECT.vnk --dsn NAME [--uid USER] [--pwd-file FILE]\n"
    "      (--tables NAME,... | --all-tables)   (NAME はテーブル名か OWNER.NAME)\n";

namespace {

struct CountArguments {
  std::string project;
  DbLogin login;
  std::vector<std::string> tables;  // UTF-8
  bool allTables = false;
};

std::optional<std::string> ParseArguments(const std::vector<std::string>& args,
                                          CountArguments& parsed) {
  if (args.empty() || args[0].starts_with("--")) return std::string("PROJECT.vnk がありません。");
  parsed.project = args[0];
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--all-tables") {
      parsed.allTables = true;
      continue;
    }
    if (i + 1 >= args.size()) return option + " の値がありません。";
    const std::string& value = args[++i];
    if (TakeDbLoginOption(option, value, parsed.login)) continue;
    if (option == "--tables") {
      parsed.tables = SplitNames(value);
      std::erase(parsed.tables, std::string());
    } else {
      return "オプション「" + option + "」は使えません。";
    }
  }
  if (std::optional<std::string> problem = DbLoginProblem(parsed.login)) return problem;
  if (parsed.allTables == !parsed.tables.empty()) {
    return std::string("--tables か --all-tables のどちらかを指定してください。");
  }
  return std::nullopt;
}

std::string QualifiedName(const TTableRec& table) {
  return table.owner.empty() ? table.name : table.owner + "." + table.name;
}

// The records a command-line name picks: every table of that name, or with OWNER.NAME the one
// of that owner.
std::vector<const TTableRec*> TablesNamed(const RecordList& records, const std::string& name) {
  std::vector<const TTableRec*> found;
  for (const auto& record : records) {
    if (record->name == name || QualifiedName(*record) == name) found.push_back(record.get());
  }
  return found;
}

// The tables to count in list order, or nothing after naming the ones that are not there.
std::optional<std::vector<const TTableRec*>> ChooseTables(const TCatalogueStore& store,
                                                          const CountArguments& arguments,
                                                          std::ostream& err) {
  const RecordList& records = store.Records(DataKind::Table);
  std::vector<const TTableRec*> chosen;
  if (arguments.allTables) {
    for (const auto& record : records) chosen.push_back(record.get());
    return chosen;
  }
  bool all_known = true;
  for (const std::string& name : arguments.tables) {
    CodecResult cp932 = Utf8ToCp932(name);
    std::vector<const TTableRec*> found =
        cp932.ok ? TablesNamed(records, cp932.text) : std::vector<const TTableRec*>{};
    if (found.empty()) {
      err << "テーブル「" << name << "」はテーブル情報にありません。\n";
      all_known = false;
    }
    chosen.insert(chosen.end(), found.begin(), found.end());
  }
  if (!all_known) return std::nullopt;
  return chosen;
}

int Count(const CountArguments& arguments, std::ostream& out, std::ostream& err) {
  ProjectLock lock;
  if (std::optional<std::string> busy = lock.Lock(arguments.project)) {
    err << *busy << "\n";
    return kExitFailure;
  }
  TCatalogueStore store;
  if (!OpenProjectForDatabase(store, arguments.project, err)) return kExitFailure;
  std::optional<std::vector<const TTableRec*>> tables = ChooseTables(store, arguments, err);
  if (!tables) return kExitUsage;

  TDbConnection connection;
  ScriptedPrompt prompt;
  NullStatusBar status;
  if (!ConnectWithLogin(arguments.login, store.product, connection, prompt, status, err)) {
    return kExitFailure;
  }
  TextProgressBar progress;
  DbSession session{connection, prompt, progress, status};
  bool all_counted = GetTableCount(store, session, *tables);
  PrintShownMessages(prompt, err);
  connection.Disconnect(status);

  const size_t entry = CountValueIndex(store.product).value_or(0);
  for (const TTableRec* table : *tables) {
    out << Cp932ToUtf8(QualifiedName(*table)).text << ": " << table->values.ValueOr(entry) << "\n";
  }
  if (!SaveProjectReporting(store, arguments.project, err)) return kExitFailure;
  return all_counted ? kExitOk : kExitFailure;
}

}  // namespace

int RunCountCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return ParseThenRun<CountArguments>(
      args, err, std::string(kUsageHeading) + kCountUsage + kDbLoginUsage, ParseArguments,
      [&](const CountArguments& arguments) { return Count(arguments, out, err); });
}

}  // namespace morvane
