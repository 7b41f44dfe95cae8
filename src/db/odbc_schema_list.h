// The owners (schemas, or databases where the driver has no schemas) of a generic ODBC data
// source, for the user to choose which to read.
#pragma once

#include <sql.h>

#include <string>
#include <vector>

namespace morvane {

struct OdbcSchemaEntry {
  std::string name;  // CP932
  // One of the system's own (see IsSystemTable); such owners are never read.
  bool system = false;
};

// Every owner that holds a table or view, once each, in the driver's order. Throws OdbcFailure
// when the driver fails.
std::vector<OdbcSchemaEntry> ListOdbcSchemas(SQLHDBC dbc);

// The name of the data source connected on `dbc`; empty when the driver does not say.
std::string ConnectedDataSource(SQLHDBC dbc);

}  // namespace morvane
