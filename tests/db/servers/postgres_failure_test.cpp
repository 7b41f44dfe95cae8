// A driver error in the middle of a read is a failure with the driver's message: the backend of
// the reading connection is terminated from a second connection while rows are still to come.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "db/odbc_catalogue_reader.h"
#include "model/data_kind.h"
#include "server_fixture.h"
#include "text/codec.h"

namespace morvane::server_test {
namespace {

// A small schema: a few tables are enough to be mid-way through.
constexpr char kSchema[] =
    "CREATE TABLE t1 (id integer PRIMARY KEY);\n"
    "CREATE TABLE t2 (id integer PRIMARY KEY);\n"
    "CREATE TABLE t3 (id integer PRIMARY KEY);\n";

class PostgreSQLFailureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (MissingServerPart(ServerKind::kPostgres)) return;
    server_ = StartServer(ServerKind::kPostgres, kSchema).release();
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    MORVANE_REQUIRE_SERVER(ServerKind::kPostgres);
    ASSERT_NE(server_, nullptr);
    // Rows through a declared cursor, ten at a time: later rows need the server.
    reader_ = std::make_unique<TestConnection>("MorvanePostgresCursor");
    killer_ = std::make_unique<TestConnection>(server_->Dsn());
    ASSERT_TRUE(reader_->connected() && killer_->connected());
    reader_pid_ = OdbcQueryValue(reader_->dbc(), "SELECT pg_backend_pid()");
  }
  void TerminateReader() {
    EXPECT_EQ(OdbcQueryValue(killer_->dbc(), "SELECT pg_terminate_backend(" + reader_pid_ + ")"),
              "1");
  }

  static TestServer* server_;
  std::unique_ptr<TestConnection> reader_;
  std::unique_ptr<TestConnection> killer_;
  std::string reader_pid_;
};

TestServer* PostgreSQLFailureTest::server_ = nullptr;

// Terminates the reader's backend once the first table is done.
class TerminatingProgress : public IProgress {
 public:
  explicit TerminatingProgress(std::function<void()> terminate)
      : terminate_(std::move(terminate)) {}
  void Begin(const std::string&, int) override {}
  void Step(int done) override {
    if (done == 1) terminate_();
  }
  void End() override { ++ended; }
  int ended = 0;

 private:
  std::function<void()> terminate_;
};

TEST_F(PostgreSQLFailureTest, FetchThatBreaksOffThrowsInsteadOfEndingTheRows) {
  StmtHandle stmt = AllocateStatement(reader_->dbc());
  ASSERT_EQ(SQLExecDirect(stmt.get(),
                          reinterpret_cast<SQLCHAR*>(
                              const_cast<char*>("SELECT g FROM generate_series(1, 1000) g")),
                          SQL_NTS),
            SQL_SUCCESS);
  ASSERT_TRUE(FetchRow(reader_->dbc(), stmt.get()));
  TerminateReader();
  int rows = 1;
  try {
    while (FetchRow(reader_->dbc(), stmt.get())) ++rows;
    FAIL() << "the rows ended normally after " << rows << " rows";
  } catch (const OdbcFailure& failure) {
    EXPECT_LT(rows, 1000);
    EXPECT_FALSE(failure.message().empty());
  }
}

TEST_F(PostgreSQLFailureTest, EveryDataKindFailsWithTheDriversMessage) {
  for (DataKind data_kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
    SCOPED_TRACE(DataKindCode(data_kind));
    if (data_kind != DataKind::Table) {
      reader_ = std::make_unique<TestConnection>("MorvanePostgresCursor");
      reader_pid_ = OdbcQueryValue(reader_->dbc(), "SELECT pg_backend_pid()");
    }
    TerminatingProgress progress([this] { TerminateReader(); });
    // Through the catalogue functions, which still ask the server after the first table; the
    // bulk reader has read everything by then.
    OdbcReadOptions functions;
    functions.native = false;
    try {
      ReadOdbcCatalogue(reader_->dbc(), data_kind, progress, functions);
      ADD_FAILURE() << "the read succeeded on a terminated connection";
    } catch (const OdbcFailure& failure) {
      EXPECT_FALSE(failure.message().empty());
      EXPECT_NE(failure.message(), ToCp932("内部エラー"));
    }
    EXPECT_EQ(progress.ended, 1);
  }
}

}  // namespace
}  // namespace morvane::server_test
