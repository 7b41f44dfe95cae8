// The emulator database the GUI tests connect to: an Oracle data source of their own, in a
// temporary odbc.ini beside the build tree's demo data sources.
#pragma once

#include <memory>

#include "catalogue_fixture.h"

namespace morvane::testing {

constexpr const char* kGuiDsn = "GUI_ORA";
constexpr const char* kGuiUid = "scott";
constexpr const char* kGuiPwd = "tiger";

inline std::unique_ptr<emulator::test::FixtureDatabase> MakeGuiDatabase() {
  return std::make_unique<emulator::test::FixtureDatabase>(kGuiDsn, "Morvane Oracle", kGuiUid,
                                                           kGuiPwd, R"(
CREATE TABLE DEPT (
  DEPT_ID NUMBER(4) NOT NULL,
  DEPT_NAME VARCHAR2(30),
  CONSTRAINT PK_DEPT PRIMARY KEY (DEPT_ID)
);
CREATE TABLE EMP (EMP_ID NUMBER(10) PRIMARY KEY, DEPT_ID NUMBER(4));
)");
}

}  // namespace morvane::testing
