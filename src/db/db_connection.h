// The process-wide connection to one ODBC data source.
//
// A connection lasts from a successful Connect until Disconnect (called by the user, by New and
// Open, and at exit). Connecting or disconnecting never changes fetched data.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "db/odbc_handles.h"
#include "db/status_bar.h"
#include "model/product_profile.h"
#include "model/prompt.h"

namespace morvane {

class TDbConnection {
 public:
  TDbConnection() = default;
  TDbConnection(const TDbConnection&) = delete;
  TDbConnection& operator=(const TDbConnection&) = delete;
  ~TDbConnection();

  // Connects to data source `dsn` with user `uid` and password `pwd`, all exactly as typed; an
  // empty user name or password is passed as a null pointer. Only a plain success counts: a
  // driver that answers with information, or an error, leaves the connection closed and its
  // first diagnostic is shown through `prompt`. Status panel 1 shows "接続中" while connecting,
  // then the data source name, or the empty text after a failure. For a product whose owner
  // is the login user (its profile's ownerIsLogin) the upper-cased user name becomes OwnerName.
  // Returns Connected.
  bool Connect(Product product, const std::string& dsn, const std::string& uid,
               const std::string& pwd, IPrompt& prompt, IStatusBar& status);

  // Closes the connection ("切断中", then "未接続" in status panel 1). Does nothing, not even to
  // the status bar, when not connected. Failures of the driver are ignored: afterwards the
  // connection is always closed.
  void Disconnect(IStatusBar& status);

  // True only between a successful Connect and the next Disconnect.
  bool Connected = false;
  // Exist exactly while Connected.
  EnvHandle Env;
  DbcHandle Dbc;
  // Oracle projects: the user name of the last connect in upper case, the owner of every record
  // the catalogue statements return. Kept after Disconnect.
  std::string OwnerName;
  // Generic ODBC projects: the owners (CP932) whose tables a fetch reads; nullopt for every
  // owner but the system's own. Cleared when the connection closes.
  std::optional<std::vector<std::string>> OdbcSchemas;
  // Generic ODBC projects: read through the catalogue functions even where the DBMS has a
  // reader of its own (for comparison and for servers whose own catalogue misleads).
  bool OdbcFunctionsOnly = false;

 private:
  // Disconnects and frees the handles, ignoring every result.
  void Close();
};

// The word that the driver description of a data source must contain, case-sensitively, for the
// data source to be offered in a project of `product`; empty for no product.
std::string DataSourceFilterWord(Product product);

// The names of the data sources whose driver description contains the filter word of
// `product` (every data source for the generic ODBC product), in the driver manager's order. An
// error of the listing is shown through `prompt` and ends the list.
std::vector<std::string> ListDataSources(Product product, IPrompt& prompt);

}  // namespace morvane
