#include "app/cli/fetch_command.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <sstream>
#include <utility>

#include "app/cli/command.h"
#include "app/cli/interrupt_progress.h"
#include "app/cli/password_file.h"
#include "app/cli/product_words.h"
#include "app/cli/text_progress.h"
#include "db/catalogue_fetch.h"
#include "db/db_connection.h"
#include "db/odbc_read_cache.h"
#include "model/data_kind.h"
#include "model/product_profile.h"
#include "project/new_project.h"
#include "project/project_lock.h"
#include "project/project_writer.h"
#include "text/codec.h"

namespace morvane {

std::string FetchUsage() {
  return "  morvane-cli fetch --dsn NAME [--uid USER] [--pwd-file FILE]\n"
         "      --product " +
         ProductWords("|") +
         " --kinds 2,3,4 --out OUT.vnk\n"
         "      [--schemas NAME,...] [--read-with native|functions]\n"
         "      (2 テーブル情報, 3 インデックス情報, 4 テーブル・インデックス情報)\n"
         "      --schemas は汎用 ODBC で読むスキーマ (所有者) "
         "です。省略するとシステムのもの以外の\n"
         "      すべてを読みます。--read-with functions は PostgreSQL・MariaDB "
         "でも一括の問い合わせを\n"
         "      使わず、ODBC のカタログ関数で読みます。\n"
         "      Ctrl+C で取得を中止します (プロジェクトは保存しません)。\n"
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
  std::optional<std::vector<std::string>> schemas;  // UTF-8
  bool functionsOnly = false;
};

// "a,b": schema names, none empty; one comma may end the list.
std::optional<std::vector<std::string>> SchemaNames(std::string list) {
  if (!list.empty() && list.back() == ',') list.pop_back();
  if (list.empty()) return std::nullopt;
  std::vector<std::string> names = SplitNames(list);
  if (std::find(names.begin(), names.end(), "") != names.end()) return std::nullopt;
  return names;
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
      std::optional<std::vector<DataKind>> kinds = DataKindList(value, 2);
      if (!kinds)
        return "データの種類「" + value + "」は使えません (2, 3, 4 をカンマで区切ります)。";
      parsed.kinds = *kinds;
    } else if (option == "--out") {
      parsed.out = value;
    } else if (option == "--read-with") {
      if (value != "native" && value != "functions") {
        return "--read-with には native か functions を指定してください。";
      }
      parsed.functionsOnly = value == "functions";
    } else if (option == "--schemas") {
      parsed.schemas = SchemaNames(value);
      if (!parsed.schemas)
        return "スキーマ「" + value + "」は使えません (名前をカンマで区切ります)。";
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
  if (parsed.schemas && !ProfileOf(parsed.product).readsCatalogueFunctions) {
    return "--schemas は汎用 ODBC (--product odbc) でだけ使えます。";
  }
  return std::nullopt;
}

// Fetches the data kinds in order; they share what they read of a generic ODBC catalogue, which
// is let go before the connection closes. False when one fails or is cancelled.
bool FetchKinds(TCatalogueStore& store, const std::vector<DataKind>& kinds, DbSession& session,
                std::ostream& out) {
  OdbcReadCache cache;
  DbSession shared{session.connection, session.prompt, session.progress, session.status, &cache};
  for (DataKind kind : kinds) {
    store.currentDataKind = kind;
    if (!FetchCatalogue(store, shared)) return false;
    out << DataKindCaption(kind) << ": " << store.Records(kind).size() << "\n";
  }
  return true;
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

  // Held until the new project is saved, so that no other program's save falls in between.
  ProjectLock lock;
  if (std::optional<std::string> busy = lock.Lock(arguments.out)) {
    err << *busy << "\n";
    return kExitFailure;
  }
  TCatalogueStore store;
  NewProject(store, arguments.product, EstimateTextWidth);
  TDbConnection connection;
  ScriptedPrompt prompt;
  TextProgressBar bar;
  InterruptProgress progress(bar);
  NullStatusBar status;
  DbSession session{connection, prompt, progress, status};

  if (!connection.Connect(arguments.product, dsn.text, uid.text, pwd.text, prompt, status)) {
    PrintShownMessages(prompt, err);
    return kExitFailure;
  }
  connection.OdbcFunctionsOnly = arguments.functionsOnly;
  if (arguments.schemas) {
    connection.OdbcSchemas.emplace();
    for (const std::string& name : *arguments.schemas) {
      CodecResult owner = Utf8ToCp932(name);
      if (!owner.ok) {
        err << owner.error << "\n";
        connection.Disconnect(status);
        return kExitUsage;
      }
      connection.OdbcSchemas->push_back(owner.text);
    }
  }
  const bool fetched = FetchKinds(store, arguments.kinds, session, out);
  connection.Disconnect(status);
  if (!fetched) {
    PrintShownMessages(prompt, err);
    if (progress.Cancelled()) {
      err << "取得を中止しました。プロジェクトは保存していません。\n";
      return kExitInterrupted;
    }
    return kExitFailure;
  }
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
