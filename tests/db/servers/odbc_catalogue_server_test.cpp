// The ODBC catalogue reader against real servers: PostgreSQL, MariaDB and SQLite, each with a
// schema of keys, composite and foreign keys, indexes, a view, Japanese comments and names that
// need quoting.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "catalogue_dump.h"
#include "db/odbc_catalogue_reader.h"
#include "model/data_kind.h"
#include "model/odbc_default_items.h"
#include "recorders.h"
#include "server_fixture.h"
#include "text/codec.h"

namespace morvane::server_test {
namespace {

struct ServerCase {
  ServerKind kind;
  const char* name;    // test suffix and golden file prefix
  const char* schema;  // file in the data folder
  const char* owner;   // owner of the public tables (CP932 = ASCII here)
  bool has_comments;
};

const ServerCase kCases[] = {
    {ServerKind::kPostgres, "PostgreSQL", "postgres.sql", "public", true},
    {ServerKind::kMariaDb, "MariaDB", "mariadb.sql", "morvane", true},
    {ServerKind::kSqlite, "SQLite", "sqlite.sql", "", false},
};

// Servers started by the tests of this process, stopped at exit.
std::map<ServerKind, std::unique_ptr<TestServer>>& Servers() {
  static std::map<ServerKind, std::unique_ptr<TestServer>> servers;
  return servers;
}

class StopServers : public ::testing::Environment {
 public:
  void TearDown() override { Servers().clear(); }
};
const auto* const kStopServers = ::testing::AddGlobalTestEnvironment(new StopServers);

// The running server of a kind, started with its schema on first use.
TestServer& RunningServer(ServerKind kind) {
  auto& server = Servers()[kind];
  if (!server) {
    const ServerCase& found = *std::find_if(std::begin(kCases), std::end(kCases),
                                            [&](auto& c) { return c.kind == kind; });
    server =
        StartServer(kind, ReadTextFile(std::string(MORVANE_SERVER_DATA_DIR) + "/" + found.schema));
  }
  return *server;
}

class OdbcCatalogueServerTest : public ::testing::TestWithParam<ServerCase> {
 protected:
  void SetUp() override {
    MORVANE_REQUIRE_SERVER(GetParam().kind);
    connection_ = std::make_unique<TestConnection>(RunningServer(GetParam().kind).Dsn());
    ASSERT_TRUE(connection_->connected());
  }

  OdbcCatalogue Read(DataKind data_kind) {
    return ReadOdbcCatalogue(connection_->dbc(), data_kind, progress_);
  }
  std::string Golden(const char* kind) const {
    return std::string(GetParam().name) + "_" + kind + ".txt";
  }

  std::unique_ptr<TestConnection> connection_;
  RecordingProgress progress_;
};

const TTableRec* Named(const OdbcCatalogue& catalogue, std::string_view name_utf8) {
  std::string name = ToCp932(name_utf8);
  for (const TTableRec& record : catalogue.records) {
    if (record.name == name) return &record;
  }
  return nullptr;
}

TEST_P(OdbcCatalogueServerTest, TableInformationIsReadIntoTheExactRecords) {
  OdbcCatalogue catalogue = Read(DataKind::Table);
  ExpectGolden(Golden("tables"), DumpCatalogue(catalogue));
  // One step per table, and the bar is put away.
  EXPECT_EQ(progress_.total, static_cast<int>(catalogue.records.size()));
  EXPECT_EQ(progress_.steps.size(), catalogue.records.size());
  EXPECT_EQ(progress_.ended, 1);
}

TEST_P(OdbcCatalogueServerTest, IndexInformationIsReadIntoTheExactRecords) {
  ExpectGolden(Golden("indexes"), DumpCatalogue(Read(DataKind::Index)));
}

TEST_P(OdbcCatalogueServerTest, TableIndexInformationIsReadIntoTheExactRecords) {
  ExpectGolden(Golden("table_indexes"), DumpCatalogue(Read(DataKind::TableIndex)));
}

TEST_P(OdbcCatalogueServerTest, ForeignKeysBecomeRelationsIncludingCompositeOnes) {
  std::vector<TRelationRec> relations = Read(DataKind::Table).relations;
  std::sort(relations.begin(), relations.end(),
            [](const auto& a, const auto& b) { return a.fkTable < b.fkTable; });
  std::vector<TRelationRec> expected = {{"order_line", {"orders"}}, {"orders", {"customer"}}};
  EXPECT_EQ(relations, expected);
}

TEST_P(OdbcCatalogueServerTest, JapaneseNamesAndCommentsArriveAsCp932) {
  OdbcCatalogue catalogue = Read(DataKind::Table);
  const TTableRec* employees = Named(catalogue, "社員");
  ASSERT_NE(employees, nullptr);
  ASSERT_EQ(employees->columns.size(), 2u);
  EXPECT_EQ(employees->columns[1].values[odbc_column::kName], ToCp932("氏名"));
  if (!GetParam().has_comments) return;
  const TTableRec* customer = Named(catalogue, "customer");
  ASSERT_NE(customer, nullptr);
  EXPECT_EQ(customer->values[odbc_table::kRemarks], ToCp932("顧客"));
  EXPECT_EQ(customer->columns[2].values[odbc_column::kRemarks], ToCp932("顧客名（全角）"));
  // A character CP932 lacks becomes "?"; the NEC circled digit is CP932's own.
  const TTableRec* odd = Named(catalogue, "odd \"name");
  ASSERT_NE(odd, nullptr);
  EXPECT_EQ(odd->values[odbc_table::kRemarks], ToCp932("引用符の表 ?"));
  EXPECT_EQ(odd->columns[1].values[odbc_column::kName], ToCp932("列①"));
  EXPECT_EQ(odd->columns[1].values[odbc_column::kRemarks], ToCp932("丸数字"));
}

TEST_P(OdbcCatalogueServerTest, RowCountsUseQuotedOwnerQualifiedNames) {
  const std::string quote = IdentifierQuote(connection_->dbc());
  const std::string owner = GetParam().owner;
  struct CountCase {
    const char* name_utf8;
    const char* rows;
  };
  for (const CountCase& c :
       {CountCase{"customer", "3"}, CountCase{"odd \"name", "2"}, CountCase{"社員", "1"}}) {
    std::string sql = OdbcCountSql(quote, owner, ToCp932(c.name_utf8));
    EXPECT_EQ(OdbcQueryValue(connection_->dbc(), sql), c.rows) << ToUtf8(sql);
  }
}

INSTANTIATE_TEST_SUITE_P(Servers, OdbcCatalogueServerTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// One data source per driver: psqlODBC's Unicode driver, its ANSI driver (no wide text) under
// client encodings SJIS and UTF8, MariaDB's driver and the SQLite driver (no wide functions).
struct DriverCase {
  ServerKind kind;
  const char* name;
  const char* golden;  // golden file prefix of the server
  const char* dsn;
  // The catalogue functions give text columns' byte sizes in the client encoding's widest
  // character (4 for UTF-8) rather than UTF-16's 2, as the DBMS's own reader does.
  bool functionSizesDiffer = false;
};

const DriverCase kDriverCases[] = {
    {ServerKind::kPostgres, "PostgreSQLUnicode", "PostgreSQL", "MorvanePostgres"},
    {ServerKind::kPostgres, "PostgreSQLAnsiSjis", "PostgreSQL", "MorvanePostgresAnsiSjis"},
    {ServerKind::kPostgres, "PostgreSQLAnsiUtf8", "PostgreSQL", "MorvanePostgresAnsiUtf8", true},
    {ServerKind::kMariaDb, "MariaDB", "MariaDB", "MorvaneMariaDb"},
    {ServerKind::kSqlite, "SQLite", "SQLite", "MorvaneSqlite"},
};

TValueList Blanked(const TValueList& values, size_t position) {
  std::vector<std::string> copy(values.begin(), values.end());
  copy[position].clear();
  return TValueList(copy);
}

// The catalogue without its byte sizes (table information only).
std::string DumpWithoutSizes(OdbcCatalogue catalogue, DataKind kind) {
  if (kind != DataKind::Table) return DumpCatalogue(catalogue);
  for (TTableRec& record : catalogue.records) {
    record.values = Blanked(record.values, odbc_table::kSize);
    for (TColumnRow& row : record.columns) row.values = Blanked(row.values, odbc_column::kSize);
  }
  return DumpCatalogue(catalogue);
}

class OdbcDriverTest : public ::testing::TestWithParam<DriverCase> {};

// The DBMS's own reader (where there is one) and the catalogue functions give the same records,
// the golden ones of the server, through every driver; Japanese names are sent and read back
// in the connection's character set.
TEST_P(OdbcDriverTest, EveryDriverAndBothReadPathsGiveTheGoldenRecords) {
  MORVANE_REQUIRE_SERVER(GetParam().kind);
  RunningServer(GetParam().kind);
  TestConnection connection(GetParam().dsn);
  ASSERT_TRUE(connection.connected());
  struct KindCase {
    DataKind kind;
    const char* golden;
  };
  for (KindCase k : {KindCase{DataKind::Table, "tables"}, KindCase{DataKind::Index, "indexes"},
                     KindCase{DataKind::TableIndex, "table_indexes"}}) {
    SCOPED_TRACE(k.golden);
    NullProgress progress;
    OdbcReadOptions functions;
    functions.native = false;
    OdbcCatalogue by_reader = ReadOdbcCatalogue(connection.dbc(), k.kind, progress);
    OdbcCatalogue by_functions = ReadOdbcCatalogue(connection.dbc(), k.kind, progress, functions);
    std::string golden = std::string(GetParam().golden) + "_" + k.golden + ".txt";
    ExpectGolden(golden, DumpCatalogue(by_reader));
    // Every read of the connection, not only its first, goes through the DBMS's reader.
    EXPECT_EQ(by_reader.native, GetParam().kind != ServerKind::kSqlite);
    EXPECT_FALSE(by_functions.native);
    if (GetParam().functionSizesDiffer) {
      EXPECT_EQ(DumpWithoutSizes(by_functions, k.kind), DumpWithoutSizes(by_reader, k.kind));
    } else {
      ExpectGolden(golden, DumpCatalogue(by_functions));
    }
  }
  const std::string quote = IdentifierQuote(connection.dbc());
  const char* owner = GetParam().kind == ServerKind::kPostgres  ? "public"
                      : GetParam().kind == ServerKind::kMariaDb ? "morvane"
                                                                : "";
  EXPECT_EQ(OdbcQueryValue(connection.dbc(), OdbcCountSql(quote, owner, ToCp932("社員"))), "1");
}

INSTANTIATE_TEST_SUITE_P(Drivers, OdbcDriverTest, ::testing::ValuesIn(kDriverCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morvane::server_test
