#include "app/cli/fetch_command.h"

#include <cstdlib>
#include <optional>
#include <ostream>
#include <sstream>
#include <utility>

#include "app/cli/command.h"
#include "app/cli/password_file.h"
#include "app/cli/product_words.h"
#include "app/cli/text_progress.h"
#include "db/catalogue_fetch.h"
#include "db/db_connection.h"
#include "model/data_kind.h"
#include "project/new_project.h"
#include "text/codec.h"

namespace morvane {

std::string FetchUsage() {
  return "  morvane-cli fetch --dsn NAME [--uid USER] [--pwd-file FILE]\n"
         "      --product " +
         ProductWords("|") +
         " --kinds 2,3,4 --out OUT.vnk\n"
         "      (2 テーブル情報, 3 インデックス情報, 4 テーブル・インデックス情報)\n"
         "      パスワードは環境変数 MORVANE_PWD に入れてください。スクリプトでは --pwd-file で\n"
         "      ファイルの1行目を読みます (他のユーザーが読めないファイルに限ります)。\n"
         "      --pwd PASSWORD も使えますが、プロセス一覧で他のユーザーに見えます。\n";
}

namespace {

struct FetchArguments {
  std::string dsn;
  std::string uid;
  std::optional<std::string> pwd;
  Product product = Product::None;
  std::vector<DataKind> kinds;
  std::string out;
};

// "2,3,4": data kinds that have catalogue statements, each once.
std::optional<std::vector<DataKind>> DataKinds(const std::string& list) {
  std::vector<DataKind> kinds;
  std::stringstream items(list);
  std::string item;
  while (std::getline(items, item, ',')) {
    if (item != "2" && item != "3" && item != "4") return std::nullopt;
    const DataKind kind = *DataKindFromCode(item[0] - '0');
    for (DataKind seen : kinds) {
      if (seen == kind) return std::nullopt;
    }
    kinds.push_back(kind);
  }
  if (kinds.empty()) return std::nullopt;
  return kinds;
}

// Parses the arguments; on error returns the reason.
std::optional<std::string> ParseArguments(const std::vector<std::string>& args,
                                          FetchArguments& parsed) {
  bool have_dsn = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (i + 1 >= args.size()) return option + " の値がありません。";
    const std::string& value = args[++i];
    if (option == "--dsn") {
      parsed.dsn = value;
      have_dsn = true;
    } else if (option == "--uid") {
      parsed.uid = value;
    } else if (option == "--pwd") {
      if (parsed.pwd) return "パスワードは一度だけ指定してください。";
      parsed.pwd = value;
    } else if (option == "--pwd-file") {
      if (parsed.pwd) return "パスワードは一度だけ指定してください。";
      PasswordFileResult read = ReadPasswordFile(value);
      if (!read.password) return read.error;
      parsed.pwd = std::move(read.password);
    } else if (option == "--product") {
      std::optional<Product> product = ProductFromWord(value);
      if (!product) return UnknownProductMessage(value);
      parsed.product = *product;
    } else if (option == "--kinds") {
      std::optional<std::vector<DataKind>> kinds = DataKinds(value);
      if (!kinds)
        return "データの種類「" + value + "」は使えません (2, 3, 4 をカンマで区切ります)。";
      parsed.kinds = *kinds;
    } else if (option == "--out") {
      parsed.out = value;
    } else {
      return "オプション「" + option + "」は使えません。";
    }
  }
  for (auto [missing, option] :
       {std::pair{!have_dsn || parsed.dsn.empty(), "--dsn"},
        std::pair{parsed.product == Product::None, "--product"},
        std::pair{parsed.kinds.empty(), "--kinds"}, std::pair{parsed.out.empty(), "--out"}}) {
    if (missing) return std::string(option) + " を指定してください。";
  }
  return std::nullopt;
}

// Prints every message the commands showed, converted for the terminal.
void PrintShown(ScriptedPrompt& prompt, std::ostream& err) {
  for (const ScriptedPrompt::Shown& shown : prompt.shown) {
    CodecResult text = Cp932ToUtf8(shown.text);
    err << (text.ok ? text.text : shown.text) << "\n";
  }
  prompt.shown.clear();
}

int Fetch(const FetchArguments& arguments, std::ostream& out, std::ostream& err) {
  // Names and passwords go to ODBC in CP932, like every text of the program.
  CodecResult dsn = Utf8ToCp932(arguments.dsn);
  CodecResult uid = Utf8ToCp932(arguments.uid);
  CodecResult pwd = Utf8ToCp932(arguments.pwd.value_or(""));
  for (const CodecResult* text : {&dsn, &uid, &pwd}) {
    if (!text->ok) {
      err << text->error << "\n";
      return kExitUsage;
    }
  }

  TCatalogueStore store;
  NewProject(store, arguments.product, EstimateTextWidth);
  TDbConnection connection;
  ScriptedPrompt prompt;
  TextProgressBar progress;
  NullStatusBar status;
  DbSession session{connection, prompt, progress, status};

  if (!connection.Connect(arguments.product, dsn.text, uid.text, pwd.text, prompt, status)) {
    PrintShown(prompt, err);
    return kExitFailure;
  }
  for (DataKind kind : arguments.kinds) {
    store.currentDataKind = kind;
    if (!FetchCatalogue(store, session)) {
      PrintShown(prompt, err);
      connection.Disconnect(status);
      return kExitFailure;
    }
    out << DataKindCaption(kind) << ": " << store.Records(kind).size() << "\n";
  }
  connection.Disconnect(status);
  store.currentDataKind = DataKind::None;

  if (!SaveProjectReporting(store, arguments.out, err)) return kExitFailure;
  return kExitOk;
}

}  // namespace

int RunFetchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return ParseThenRun<FetchArguments>(args, err, std::string(kUsageHeading) + FetchUsage(),
                                      ParseArguments, [&](FetchArguments& arguments) {
                                        if (!arguments.pwd) {
                                          if (const char* pwd = std::getenv("MORVANE_PWD"))
                                            arguments.pwd = pwd;
                                        }
                                        return Fetch(arguments, out, err);
                                      });
}

}  // namespace morvane
