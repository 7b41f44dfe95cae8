#include "app/cli/db_login.h"

#include <cstdlib>
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/password_file.h"
#include "app/cli/text_progress.h"
#include "project/project_reader.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {

const char kDbLoginUsage[] =
    "      (--pwd-file も --pwd もなければパスワードは環境変数 MORVANE_PWD から読みます。\n"
    "       --pwd はプロセス一覧で他のユーザーに見えます)\n";

bool TakeDbLoginOption(const std::string& option, const std::string& value, DbLogin& login) {
  if (option == "--dsn") {
    login.dsn = value;
  } else if (option == "--uid") {
    login.uid = value;
  } else if (option == "--pwd") {
    login.pwd = value;
  } else if (option == "--pwd-file") {
    login.pwd_file = value;
  } else {
    return false;
  }
  return true;
}

std::optional<std::string> DbLoginProblem(const DbLogin& login) {
  if (login.dsn.empty()) return std::string("--dsn を指定してください。");
  if (login.pwd && !login.pwd_file.empty()) {
    return std::string("パスワードは一度だけ指定してください。");
  }
  return std::nullopt;
}

bool ConnectWithLogin(const DbLogin& login, Product product, TDbConnection& connection,
                      ScriptedPrompt& prompt, IStatusBar& status, std::ostream& err) {
  std::string pwd_text = login.pwd.value_or("");
  if (!login.pwd_file.empty()) {
    PasswordFileResult read = ReadPasswordFile(login.pwd_file);
    if (!read.password) {
      err << read.error << "\n";
      return false;
    }
    pwd_text = *read.password;
  } else if (!login.pwd) {
    if (const char* pwd = std::getenv("MORVANE_PWD")) pwd_text = pwd;
  }
  CodecResult dsn = Utf8ToCp932(login.dsn);
  CodecResult uid = Utf8ToCp932(login.uid);
  CodecResult pwd = Utf8ToCp932(pwd_text);
  for (const CodecResult* text : {&dsn, &uid, &pwd}) {
    if (!text->ok) {
      err << text->error << "\n";
      return false;
    }
  }
  bool connected = connection.Connect(product, dsn.text, uid.text, pwd.text, prompt, status);
  PrintShownMessages(prompt, err);
  return connected;
}

bool OpenProjectForDatabase(TCatalogueStore& store, const std::string& path, std::ostream& err) {
  TextProgressBar progress;
  ProjectReadResult read = OpenProjectFile(store, path, EstimateTextWidth, &progress);
  for (const std::string& text : read.warnings) err << text << "\n";
  for (const std::string& text : read.errors) err << text << "\n";
  return read.ok && store.fileVersion >= kCurrentFileVersion && store.product != Product::None;
}

}  // namespace morvane
