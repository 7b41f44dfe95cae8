// What a database command works with besides the document: the connection, and the ways it
// reports to the user (messages, progress, status bar and cursor).
#pragma once

#include "db/db_connection.h"
#include "db/status_bar.h"
#include "model/progress.h"
#include "model/prompt.h"

namespace morvane {

class OdbcReadCache;

struct DbSession {
  TDbConnection& connection;
  IPrompt& prompt;
  IProgress& progress;
  IStatusBar& status;
  // Generic ODBC projects: what a command reading several data kinds reads only once (not
  // owned); null for a fetch of its own.
  OdbcReadCache* odbcCache = nullptr;
};

}  // namespace morvane
