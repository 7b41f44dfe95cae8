// Oracle 7's data dictionary over the Oracle 8 catalogue kept in the database: a connection
// that speaks Oracle 7 sees the USER_ views without the columns Oracle 8 added, so a statement
// written for Oracle 8 fails there as it would on an Oracle 7 server.
#pragma once

#include <sqlite3.h>

namespace morvane::emulator {

// Creates the connection's temporary views that hide the Oracle 8 columns. They stand in front
// of the SYS catalogue tables, which need not exist yet.
void CreateOracle7Dictionary(sqlite3* db);

}  // namespace morvane::emulator
