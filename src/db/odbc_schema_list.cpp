#include "db/odbc_schema_list.h"

#include <sqlext.h>

#include <algorithm>

#include "db/odbc_catalogue_calls.h"
#include "db/odbc_catalogue_reader.h"
#include "db/odbc_dbms/dbms_reader.h"

namespace morvane {

std::vector<OdbcSchemaEntry> ListOdbcSchemas(SQLHDBC dbc) {
  OdbcCatalogueCalls calls(dbc, DetectTextMode(dbc, FindDbmsReader(DbmsName(dbc))));
  std::vector<OdbcSchemaEntry> schemas;
  for (const OdbcTableEntry& table : calls.Tables()) {
    const std::string& owner = table.owner();
    auto same = [&](const OdbcSchemaEntry& e) { return e.name == owner; };
    if (std::find_if(schemas.begin(), schemas.end(), same) == schemas.end()) {
      schemas.push_back({owner, IsSystemTable(owner, "")});
    }
  }
  return schemas;
}

std::string ConnectedDataSource(SQLHDBC dbc) { return InfoText(dbc, SQL_DATA_SOURCE_NAME); }

}  // namespace morvane
