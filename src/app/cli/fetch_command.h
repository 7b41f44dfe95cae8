// morvane-cli fetch: a new project filled from a data source's catalogue.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace morvane {

// Usage line of the command.
std::string FetchUsage();

// Runs `fetch --dsn NAME [--uid U] [--pwd P | --pwd-file F] --product PRODUCT --kinds 2,3,4
// --out FILE.vnk`
// with the arguments after the command word. Starts a new project of the product, connects,
// fetches each data kind in the order given, disconnects and saves. --pwd-file reads the
// password from the first line of a file others cannot read; without it or --pwd the password
// is taken from the environment variable MORVANE_PWD, so it need not appear in a process list.
// Errors (the driver's message for ODBC failures) go to `err`; returns the exit code: 0 on
// success, 1 when connecting, fetching or saving failed, 2 for bad arguments.
int RunFetchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace morvane
