// Tests that need a program or library the install script provides (a database server, an ODBC
// driver, LibreOffice, openpyxl) skip themselves where it is missing, and ctest reports them as
// skipped. Where every such piece must be present - under CI (CI=true) or when scripts/test.sh
// asks for it with MORVANE_REQUIRE_DEPENDENCIES=1 - a missing piece fails the test instead.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

namespace morvane::test_dependency {

inline bool DependenciesRequired() {
  auto set = [](const char* name, std::string_view yes) {
    const char* value = std::getenv(name);
    return value != nullptr && (std::string_view(value) == yes || std::string_view(value) == "1");
  };
  return set("CI", "true") || set("MORVANE_REQUIRE_DEPENDENCIES", "true");
}

}  // namespace morvane::test_dependency

// Skips the current test, or fails it where dependencies are required, for a missing `what`.
#define MORVANE_SKIP_MISSING_DEPENDENCY(what)                         \
  do {                                                                \
    if (::morvane::test_dependency::DependenciesRequired()) {         \
      FAIL() << "missing dependency (required under CI): " << (what); \
    }                                                                 \
    GTEST_SKIP() << (what);                                           \
  } while (false)
