// Table names qualified by an owner, as a client writes them to reach one owner's table.
#include <gtest/gtest.h>

#include "catalogue_fixture.h"

namespace morvane::emulator::test {
namespace {

struct OracleOwnerSource {
  static constexpr const char* kDsn = "ORA_OWNER";
  static constexpr const char* kDriver = "Morvane Oracle";
  static constexpr const char* kUid = "scott";
  static constexpr const char* kPwd = "tiger";
  static constexpr const char* kSchema = R"(
CREATE TABLE DEPT (DEPT_ID NUMBER(4));
INSERT INTO DEPT VALUES (10);
INSERT INTO DEPT VALUES (20);
)";
};

using OwnerQualifierTest = FixtureSuite<OracleOwnerSource>;

TEST_F(OwnerQualifierTest, TheDatabasesOwnerReachesItsOwnTables) {
  for (const char* sql : {"SELECT COUNT(*) FROM SCOTT.DEPT", "SELECT COUNT(*) FROM scott.DEPT",
                          R"(SELECT COUNT(*) FROM "SCOTT"."DEPT")",
                          "SELECT SCOTT.DEPT.DEPT_ID FROM SCOTT.DEPT WHERE DEPT_ID = 20"}) {
    QueryResult result = db_->client->Query(sql);
    ASSERT_EQ(result.exec_rc, SQL_SUCCESS) << sql << ": " << result.error;
    ASSERT_EQ(result.rows.size(), 1u) << sql;
    EXPECT_EQ(result.rows[0][0], std::optional<std::string>(sql[7] == 'C' ? "2" : "20")) << sql;
  }
}

TEST_F(OwnerQualifierTest, OtherOwnersAndAQuotedNameInAnotherCaseAreNotFound) {
  for (const char* sql :
       {"SELECT COUNT(*) FROM OTHER.DEPT", R"(SELECT COUNT(*) FROM "scott".DEPT)"}) {
    EXPECT_EQ(db_->client->Query(sql).exec_rc, SQL_ERROR) << sql;
  }
  // The catalogue's own schema stays reachable.
  EXPECT_EQ(db_->client->Query("SELECT COUNT(*) FROM SYS.DUAL").exec_rc, SQL_SUCCESS);
}

}  // namespace
}  // namespace morvane::emulator::test
