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

std::string ConnectedDataSource(SQLHDBC dbc) {
  SQLCHAR name[SQL_MAX_DSN_LENGTH + 1] = {};
  SQLSMALLINT length = 0;
  SQLRETURN rc = SQLGetInfo(dbc, SQL_DATA_SOURCE_NAME, name, sizeof name, &length);
  return SQL_SUCCEEDED(rc) ? std::string(reinterpret_cast<char*>(name)) : std::string();
}

}  // namespace morvane
