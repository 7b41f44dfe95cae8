// A readable UTF-8 text of what the ODBC catalogue reader returned, for golden files.
#pragma once

#include <string>

#include "db/odbc_catalogue_reader.h"

namespace morvane::server_test {

// One block per record ("== owner | type | name", its values, then one line per column row),
// then the relations and the largest index count. Values are separated by " | ".
std::string DumpCatalogue(const OdbcCatalogue& catalogue);

// Compares `text` with golden file `name` in the golden folder; with MORVANE_UPDATE_GOLDEN set,
// writes the file instead.
void ExpectGolden(const std::string& name, const std::string& text);

}  // namespace morvane::server_test
