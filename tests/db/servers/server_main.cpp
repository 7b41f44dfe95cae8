// The server tests' main: the process's ODBC ini files must be in place before any ODBC call.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>

#include "server_fixture.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // The driver manager narrows wide text for drivers without wide functions (SQLite) through
  // the locale's character set: it must be UTF-8, whatever the environment says.
  setlocale(LC_CTYPE, "C.UTF-8");
  std::string emulator_dir = MORVANE_ODBC_DIR;
  if (!std::filesystem::exists(emulator_dir + "/odbcinst.ini")) emulator_dir.clear();
  morvane::server_test::InstallOdbcIni(emulator_dir);
  return RUN_ALL_TESTS();
}
