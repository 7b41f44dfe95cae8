// What the generic product knows of particular database systems: how a connection's narrow text
// is encoded, which schemas belong to the system, and a reader that takes the catalogue in a few
// bulk statements instead of one catalogue call per table. One file per system; the list of
// readers is in dbms_readers.cpp. A system without a reader is read through the catalogue
// functions.
#pragma once

#include <sql.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/odbc_catalogue_source.h"
#include "db/odbc_wide_text.h"

namespace morvane {

class DbmsReader {
 public:
  virtual ~DbmsReader() = default;
  // Whether this reader serves the system the driver names (SQL_DBMS_NAME).
  virtual bool Serves(std::string_view dbms_name) const = 0;
  // A statement whose one value is the connection's character set as the server names it.
  virtual std::string EncodingQuery() const = 0;
  // Rows (schema, table, column or empty for the table, comment) of the comments on tables,
  // views and their columns, for a driver whose catalogue functions leave REMARKS empty; null
  // when the driver's REMARKS carry them.
  virtual const char* CommentsQuery() const { return nullptr; }
  // That name as iconv knows it; empty when there is no such character set.
  virtual std::string IconvEncoding(std::string_view server_name) const = 0;
  // Where the server converts narrow text itself and fails on a character the connection's
  // character set lacks (PostgreSQL), switches the connection to one that holds every
  // character and sets `mode` to it; returns the statement that switches back, or empty when
  // nothing was changed.
  virtual std::string UseLosslessText(SQLHDBC /*dbc*/, OdbcTextMode& /*mode*/) const { return {}; }
  // The source reading the catalogue of the connection in bulk: the tables of the owners (CP932)
  // of `schemas`, or of every owner but the system's own when nullopt.
  virtual std::unique_ptr<OdbcCatalogueSource> Open(
      SQLHDBC dbc, const OdbcTextMode& mode,
      const std::optional<std::vector<std::string>>& schemas) const = 0;
};

// The reader serving `dbms_name`; null for systems read through the catalogue functions.
const DbmsReader* FindDbmsReader(std::string_view dbms_name);

// A text the driver reports through SQLGetInfo (CP932); empty when it does not.
std::string InfoText(SQLHDBC dbc, SQLUSMALLINT info);

// The system's name as the driver reports it (SQL_DBMS_NAME); empty when it does not.
std::string DbmsName(SQLHDBC dbc);

// How text crosses the connection: narrow when the driver lacks the wide functions or refuses
// wide text, then in the character set the server reports (through `reader`), else the one the
// data source names ("Charset"), else the locale's.
OdbcTextMode DetectTextMode(SQLHDBC dbc, const DbmsReader* reader);

// The readers, one per system; each is defined in its own file.
const DbmsReader& PostgresReader();
const DbmsReader& MariaDbReader();

}  // namespace morvane
