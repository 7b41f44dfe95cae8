#include "app/cli/diff_command.h"

#include <memory>
#include <optional>
#include <ostream>
#include <sstream>

#include "app/cli/command.h"
#include "app/cli/db_login.h"
#include "app/cli/text_progress.h"
#include "db/catalogue_snapshot.h"
#include "diff/catalogue_diff.h"
#include "diff/change_format.h"
#include "excel/change_history.h"
#include "project/project_reader.h"

namespace morvane {

const char kDiffUsage[] =
    "  morvane-cli diff OLD.vnk NEW.vnk [--kinds 2,3,4] [--all-items]\n"
    "      [--format text|tsv|markdown] [--out CHANGES.xlsx]\n"
    "  morvane-cli diff PROJECT.vnk --dsn NAME [--uid USER] [--pwd-file FILE] [同じオプション]\n"
    "  morvane-cli diff PROJECT.vnk --kinds 1:2   (Excelファイルとテーブル情報の比較)\n"
    "      (終了コード: 0 差分なし, 1 差分あり, 2 エラー。--all-items で件数・統計の項目も比較)\n";

namespace {

constexpr int kExitSame = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitError = 2;

struct DiffArguments {
  std::vector<std::string> projects;
  DbLogin login;
  bool fromDatabase = false;
  bool designWithDatabase = false;  // --kinds 1:2
  std::optional<std::vector<DataKind>> kinds;
  bool allItems = false;
  diff::ChangeFormat format = diff::ChangeFormat::kText;
  std::string out;
};

// "2,3,4": data kinds 1 to 4, each once.
std::optional<std::vector<DataKind>> KindList(const std::string& list) {
  std::vector<DataKind> kinds;
  std::stringstream items(list);
  std::string item;
  while (std::getline(items, item, ',')) {
    if (item.size() != 1 || item[0] < '1' || item[0] > '4') return std::nullopt;
    const DataKind kind = *DataKindFromCode(item[0] - '0');
    for (DataKind seen : kinds) {
      if (seen == kind) return std::nullopt;
    }
    kinds.push_back(kind);
  }
  if (kinds.empty()) return std::nullopt;
  return kinds;
}

std::optional<std::string> TakeOption(const std::string& option, const std::string& value,
                                      DiffArguments& parsed) {
  if (TakeDbLoginOption(option, value, parsed.login)) {
    parsed.fromDatabase = true;
  } else if (option == "--kinds") {
    parsed.designWithDatabase = value == "1:2";
    if (!parsed.designWithDatabase && !(parsed.kinds = KindList(value))) {
      return "データの種類「" + value + "」は使えません (2,3,4 のように区切るか 1:2)。";
    }
  } else if (option == "--format") {
    std::optional<diff::ChangeFormat> format = diff::ChangeFormatFromWord(value);
    if (!format) return "形式「" + value + "」は使えません (text, tsv, markdown)。";
    parsed.format = *format;
  } else if (option == "--out") {
    parsed.out = value;
  } else {
    return "オプション「" + option + "」は使えません。";
  }
  return std::nullopt;
}

std::optional<std::string> CheckSources(const DiffArguments& parsed) {
  const size_t wanted = parsed.fromDatabase || parsed.designWithDatabase ? 1 : 2;
  if (parsed.fromDatabase && parsed.designWithDatabase) {
    return std::string("--kinds 1:2 と --dsn は同時に指定できません。");
  }
  if (parsed.projects.size() != wanted) {
    return std::string(wanted == 1 ? "プロジェクトファイルを1つ指定してください。"
                                   : "比較するプロジェクトファイルを2つ指定してください。");
  }
  if (parsed.fromDatabase) return DbLoginProblem(parsed.login);
  return std::nullopt;
}

std::optional<std::string> ParseArguments(const std::vector<std::string>& args,
                                          DiffArguments& parsed) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.starts_with("--")) {
      parsed.projects.push_back(arg);
    } else if (arg == "--all-items") {
      parsed.allItems = true;
    } else if (i + 1 >= args.size()) {
      return arg + " の値がありません。";
    } else if (std::optional<std::string> problem = TakeOption(arg, args[++i], parsed)) {
      return problem;
    }
  }
  return CheckSources(parsed);
}

std::unique_ptr<TCatalogueStore> OpenProject(const std::string& path, std::ostream& err) {
  auto store = std::make_unique<TCatalogueStore>();
  TextProgressBar progress;
  ProjectReadResult read = OpenProjectFile(*store, path, EstimateTextWidth, &progress);
  for (const std::string& text : read.warnings) err << text << "\n";
  for (const std::string& text : read.errors) err << text << "\n";
  if (!read.ok) return nullptr;
  return store;
}

// The catalogue kinds to fetch when none are given: those the project holds.
std::vector<DataKind> KindsHeld(const TCatalogueStore& store) {
  std::vector<DataKind> kinds;
  for (DataKind kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
    if (!store.Records(kind).empty()) kinds.push_back(kind);
  }
  if (kinds.empty()) kinds.push_back(DataKind::Table);
  return kinds;
}

std::unique_ptr<TCatalogueStore> FetchNow(const TCatalogueStore& project,
                                          const DiffArguments& arguments,
                                          const std::vector<DataKind>& kinds, std::ostream& err) {
  for (DataKind kind : kinds) {
    if (kind == DataKind::Excel) {
      err << "データベースと比較できるのは 2, 3, 4 です。\n";
      return nullptr;
    }
  }
  TDbConnection connection;
  ScriptedPrompt prompt;
  NullStatusBar status;
  if (!ConnectWithLogin(arguments.login, project.product, connection, prompt, status, err)) {
    return nullptr;
  }
  TextProgressBar progress;
  DbSession session{connection, prompt, progress, status};
  std::unique_ptr<TCatalogueStore> now = FetchCatalogueSnapshot(project.product, kinds, session);
  PrintShownMessages(prompt, err);
  connection.Disconnect(status);
  return now;
}

// The project a comparison starts from; with --dsn it must be one that may use the database.
std::unique_ptr<TCatalogueStore> OpenBefore(const DiffArguments& arguments, std::ostream& err) {
  if (!arguments.fromDatabase) return OpenProject(arguments.projects[0], err);
  auto store = std::make_unique<TCatalogueStore>();
  if (OpenProjectForDatabase(*store, arguments.projects[0], err)) return store;
  err << "このプロジェクトはデータベースと比較できません "
         "(製品が未選択か、古い版のファイルです)。\n";
  return nullptr;
}

std::optional<diff::ChangeList> Compare(const DiffArguments& arguments, std::ostream& err) {
  std::unique_ptr<TCatalogueStore> before = OpenBefore(arguments, err);
  if (!before) return std::nullopt;
  if (arguments.designWithDatabase) return diff::CompareDesignWithDatabase(*before);
  diff::CompareOptions options{.allItems = arguments.allItems};
  if (arguments.kinds) options.kinds = *arguments.kinds;
  std::unique_ptr<TCatalogueStore> after;
  if (arguments.fromDatabase) {
    if (!arguments.kinds) options.kinds = KindsHeld(*before);
    after = FetchNow(*before, arguments, options.kinds, err);
  } else {
    after = OpenProject(arguments.projects[1], err);
  }
  if (!after) return std::nullopt;
  return diff::CompareCatalogues(*before, *after, options);
}

}  // namespace

int RunDiffCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  DiffArguments arguments;
  if (std::optional<std::string> problem = ParseArguments(args, arguments)) {
    err << *problem << "\n使い方:\n" << kDiffUsage << kDbLoginUsage;
    return kExitError;
  }
  std::optional<diff::ChangeList> changes;
  try {
    changes = Compare(arguments, err);
  } catch (const std::exception& e) {
    err << e.what() << "\n";
  }
  if (!changes) return kExitError;
  out << diff::FormatChanges(*changes, arguments.format);
  if (!arguments.out.empty() && !changes->empty()) {
    excel::HistoryWriteResult written =
        excel::AppendChangeHistory(arguments.out, *changes, excel::TodayText());
    if (!written.ok) {
      err << "変更履歴を書き込めませんでした: " << written.error << "\n";
      return kExitError;
    }
  }
  return changes->empty() ? kExitSame : kExitDifferent;
}

}  // namespace morvane
