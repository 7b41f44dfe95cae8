// The data source options shared by the database commands of morvane-cli (sql, count):
// --dsn NAME [--uid USER] [--pwd-file FILE | --pwd PASSWORD], the password otherwise from
// MORVANE_PWD.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "db/db_connection.h"
#include "db/status_bar.h"
#include "model/catalogue_store.h"
#include "model/prompt.h"

namespace morvane {

// Usage text of the options.
extern const char kDbLoginUsage[];

struct DbLogin {
  std::string dsn;
  std::string uid;
  std::optional<std::string> pwd;
  std::string pwd_file;  // --pwd-file: read when connecting
};

// Takes `option` with its `value` when it is one of the login options; false otherwise.
bool TakeDbLoginOption(const std::string& option, const std::string& value, DbLogin& login);

// The reason the login options are incomplete, or nothing.
std::optional<std::string> DbLoginProblem(const DbLogin& login);

// Connects `connection` for `product` with the login (UTF-8 on the command line, CP932 towards
// ODBC; without --pwd or --pwd-file the password comes from MORVANE_PWD). Failures are printed to
// `err`.
bool ConnectWithLogin(const DbLogin& login, Product product, TDbConnection& connection,
                      ScriptedPrompt& prompt, IStatusBar& status, std::ostream& err);

// Opens the project a database command works on, printing the reader's messages to `err`. False
// also for a project of an earlier version, which is read-only towards the database, and for a
// project without a product.
bool OpenProjectForDatabase(TCatalogueStore& store, const std::string& path, std::ostream& err);

}  // namespace morvane
