#include "db/db_connection.h"

#include "db/odbc_error.h"
#include "model/data_kind.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {

namespace {

// Text and length for SQLConnect: an empty text goes as a null pointer with length 0.
SQLCHAR* TextOrNull(const std::string& text) {
  return text.empty() ? nullptr : reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str()));
}
SQLSMALLINT LengthOrZero(const std::string& text) { return text.empty() ? 0 : SQL_NTS; }

}  // namespace

TDbConnection::~TDbConnection() { Close(); }

bool TDbConnection::Connect(Product product, const std::string& dsn, const std::string& uid,
                            const std::string& pwd, IPrompt& prompt, IStatusBar& status) {
  Close();  // a connection still open would otherwise leak its handles
  status.SetBusy(true);
  status.SetPanelText(kConnectionPanel, ToCp932("接続中"));
  if (ProfileOf(product).ownerIsLogin) OwnerName = UpperAsciiLetters(uid);

  if (!dsn.empty()) {
    Env = AllocateEnvironment();
    if (Env) Dbc = AllocateConnection(Env.get());
    if (Dbc) {
      SQLRETURN rc = SQLConnect(Dbc.get(), TextOrNull(dsn), LengthOrZero(dsn), TextOrNull(uid),
                                LengthOrZero(uid), TextOrNull(pwd), LengthOrZero(pwd));
      // A warning at connect time may mean the session is not what the user asked for.
      Connected = rc == SQL_SUCCESS;
    }
  }

  if (Connected) {
    status.SetPanelText(kConnectionPanel, dsn);
  } else {
    ShowODBCError(prompt, Env.get(), Dbc.get(), SQL_NULL_HSTMT);
    Dbc.Reset();
    Env.Reset();
    // Not an empty panel: the user should see at a glance that nothing is connected.
    status.SetPanelText(kConnectionPanel, ToCp932("未接続"));
  }
  status.SetBusy(false);
  return Connected;
}

void TDbConnection::Disconnect(IStatusBar& status) {
  if (!Connected) return;
  status.SetBusy(true);
  status.SetPanelText(kConnectionPanel, ToCp932("切断中"));
  Close();
  status.SetPanelText(kConnectionPanel, ToCp932("未接続"));
  status.SetBusy(false);
}

void TDbConnection::Close() {
  if (Connected) SQLDisconnect(Dbc.get());
  Dbc.Reset();
  Env.Reset();
  Connected = false;
  OdbcSchemas.reset();  // chosen anew on the next connection
}

std::string DataSourceFilterWord(Product product) {
  return std::string(ProfileOf(product).dataSourceWord);
}

std::vector<std::string> ListDataSources(Product product, IPrompt& prompt) {
  std::vector<std::string> names;
  std::string word = DataSourceFilterWord(product);
  const bool every = ProfileOf(product).offersEveryDataSource;
  EnvHandle env = AllocateEnvironment();
  if (!env) {
    ShowODBCError(prompt, SQL_NULL_HENV, SQL_NULL_HDBC, SQL_NULL_HSTMT);
    return names;
  }
  SQLCHAR name[1024];
  SQLCHAR description[1024];
  SQLSMALLINT name_length = 0;
  SQLSMALLINT description_length = 0;
  SQLUSMALLINT direction = SQL_FETCH_FIRST;
  for (;;) {
    SQLRETURN rc = SQLDataSources(env.get(), direction, name, 1023, &name_length, description, 1023,
                                  &description_length);
    if (rc == SQL_NO_DATA) break;
    if (!SQL_SUCCEEDED(rc)) {
      ShowODBCError(prompt, env.get(), SQL_NULL_HDBC, SQL_NULL_HSTMT);
      break;
    }
    std::string driver(reinterpret_cast<const char*>(description));
    if (every || (!word.empty() && driver.find(word) != std::string::npos)) {
      names.emplace_back(reinterpret_cast<const char*>(name));
    }
    direction = SQL_FETCH_NEXT;
  }
  return names;
}

}  // namespace morvane
