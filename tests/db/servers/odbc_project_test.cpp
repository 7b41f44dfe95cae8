// A project of the generic ODBC product on a real PostgreSQL server, driven through the command
// line's commands: new, fetch of every data kind, row counts, the ER relation command, Excel
// output and import.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>

#include "app/cli/count_command.h"
#include "app/cli/er_place_command.h"
#include "app/cli/excel_command.h"
#include "app/cli/fetch_command.h"
#include "app/cli/import_command.h"
#include "db/catalogue_fetch.h"
#include "db/free_sql.h"
#include "db/odbc_catalogue_reader.h"
#include "db/table_index_matrix.h"
#include "er/er_relations.h"
#include "excel/application.h"
#include "model/odbc_default_items.h"
#include "project/new_project.h"
#include "project/project_reader.h"
#include "recorders.h"
#include "server_fixture.h"
#include "text/codec.h"

namespace morvane::server_test {
namespace {

namespace fs = std::filesystem;

class OdbcProjectPostgreSQLTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (MissingServerPart(ServerKind::kPostgres)) return;
    server_ = StartServer(ServerKind::kPostgres,
                          ReadTextFile(std::string(MORVANE_SERVER_DATA_DIR) + "/postgres.sql"))
                  .release();
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    MORVANE_REQUIRE_SERVER(ServerKind::kPostgres);
    ASSERT_NE(server_, nullptr);
    dir_ = fs::path(TestRoot()) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::create_directories(dir_);
  }

  std::string File(const char* name) const { return (dir_ / name).string(); }

  // Runs a command, failing the test with its messages unless it exits `expected`.
  template <typename Command>
  void Expect(int expected, Command command, const std::vector<std::string>& args) {
    std::ostringstream out, err;
    EXPECT_EQ(command(args, out, err), expected) << err.str();
    last_out_ = out.str();
  }
  void Fetch(const std::string& project) {
    Expect(0, RunFetchCommand,
           {"--dsn", server_->Dsn(), "--product", "odbc", "--kinds", "2,3,4", "--out", project});
  }
  TCatalogueStore Open(const std::string& project) {
    TCatalogueStore store;
    EXPECT_TRUE(OpenProjectFile(store, project, EstimateTextWidth, nullptr).ok);
    return store;
  }

  static TestServer* server_;
  fs::path dir_;
  std::string last_out_;
};
TestServer* OdbcProjectPostgreSQLTest::server_ = nullptr;

const TTableRec* TableNamed(const TCatalogueStore& store, std::string_view name_utf8) {
  for (const auto& record : store.Records(DataKind::Table)) {
    if (record->name == ToCp932(name_utf8)) return record.get();
  }
  return nullptr;
}

TEST_F(OdbcProjectPostgreSQLTest, FetchStoresWhatTheReaderReadsForEveryDataKind) {
  const std::string project = File("fetched.vnk");
  Fetch(project);
  TCatalogueStore store = Open(project);
  EXPECT_EQ(store.product, Product::Odbc);

  TestConnection connection(server_->Dsn());
  ASSERT_TRUE(connection.connected());
  RecordingProgress progress;
  for (DataKind kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
    OdbcCatalogue read = ReadOdbcCatalogue(connection.dbc(), kind, progress);
    const RecordList& stored = store.Records(kind);
    ASSERT_EQ(stored.size(), read.records.size()) << DataKindCode(kind);
    for (size_t i = 0; i < stored.size(); ++i) {
      EXPECT_EQ(*stored[i], read.records[i]) << DataKindCode(kind);
    }
    if (kind == DataKind::Table) {
      EXPECT_EQ(store.relations, read.relations);
    }
    if (kind == DataKind::TableIndex) {
      std::vector<std::string> names, expected;
      for (const TItemDef& item : store.Items(kind, kItemLevelColumn)) names.push_back(item.name);
      for (const TItemDef& item : TableIndexColumnItems(read.largestIndexCount)) {
        expected.push_back(item.name);
      }
      EXPECT_EQ(names, expected);
    }
  }
  EXPECT_EQ(store.relations,
            (std::vector<TRelationRec>{{"order_line", {"orders"}}, {"orders", {"customer"}}}));
}

TEST_F(OdbcProjectPostgreSQLTest, RowCountsReachTablesWithQuotedAndJapaneseNames) {
  const std::string project = File("counted.vnk");
  Fetch(project);
  Expect(0, RunCountCommand, {project, "--dsn", server_->Dsn(), "--all-tables"});
  TCatalogueStore store = Open(project);
  struct Case {
    const char* table;
    const char* count;
  };
  for (const Case& c : {Case{"customer", "3"}, Case{"odd \"name", "2"}, Case{"社員", "1"},
                        Case{"orders", "0"}, Case{"big_orders", "0"}}) {
    const TTableRec* table = TableNamed(store, c.table);
    ASSERT_NE(table, nullptr) << c.table;
    EXPECT_EQ(table->values[odbc_table::kCount], c.count) << c.table;
  }
}

TEST_F(OdbcProjectPostgreSQLTest, RelationCommandPlacesTheReferencedTables) {
  const std::string project = File("er.vnk");
  Fetch(project);
  Expect(0, RunErPlaceCommand,
         {project, "--sheet", "ER", "--table", "order_line@10,10", "--out", project});
  TCatalogueStore store = Open(project);
  ASSERT_EQ(store.er.sheets.size(), 1u);
  TERSheetRec& sheet = *store.er.sheets[0];
  ASSERT_EQ(sheet.tables.size(), 1u);
  EXPECT_EQ(AddTablesFromRelations(store, sheet, *sheet.tables[0],
                                   ProfileOf(Product::Odbc).columnPositions),
            2);
  std::vector<std::string> captions;
  for (const auto& window : sheet.tables) captions.push_back(window->caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"order_line", "orders", "customer"}));
  EXPECT_EQ(sheet.lines.size(), 2u);
  // The windows show the tables' columns, key marks included.
  ASSERT_EQ(sheet.tables[2]->columns.size(), 5u);
  EXPECT_EQ(sheet.tables[2]->columns[0].columnName, "id");
  EXPECT_EQ(sheet.tables[2]->columns[0].keyMark, "*");
}

TEST_F(OdbcProjectPostgreSQLTest, ExcelOutputAndImportWorkOnTheProject) {
  const std::string project = File("excel.vnk");
  const std::string book = File("tables.xlsx");
  Fetch(project);
  Expect(0, RunExcelCommand, {project, "--kind", "2", "--tables", "customer,社員", "--out", book});

  excel::ExcelApplication app;
  excel::Worksheet customer = app.Workbooks().Open(book).Worksheets().Item(1);
  EXPECT_EQ(ToUtf8(customer.Name()), "customer");
  EXPECT_EQ(customer.Range("B1").Value(), "customer");
  EXPECT_EQ(customer.Range("B6").Value(), "id");
  EXPECT_EQ(customer.Range("B8").Value(), "name");

  // The output workbook read back as table definitions of the project.
  std::istringstream no_input;
  std::ostringstream out, err;
  ASSERT_EQ(RunImportCommand({project,
                              "--workbook",
                              book,
                              "--all-sheets",
                              "--overwrite",
                              "no",
                              "--table-name-cell",
                              "B1",
                              "--name-column",
                              "B",
                              "--first-item-row",
                              "6",
                              "--type-column",
                              "C",
                              "--length-column",
                              "D",
                              "--precision-column",
                              "E",
                              "--scale-column",
                              "F"},
                             no_input, out, err, false),
            0)
      << err.str();
  TCatalogueStore store = Open(project);
  const RecordList& imported = store.Records(DataKind::Excel);
  ASSERT_EQ(imported.size(), 2u);
  EXPECT_EQ(imported[0]->name, "customer");
  EXPECT_EQ(imported[1]->name, ToCp932("社員"));
  ASSERT_EQ(imported[0]->columns.size(), 5u);
  EXPECT_EQ(imported[0]->columns[1].values[1], "code");
  // Sizes by the ODBC type rules: int4 4 bytes, varchar(10) 10 bytes.
  EXPECT_EQ(imported[0]->columns[0].values[8], "4");
  EXPECT_EQ(imported[0]->columns[1].values[8], "10");
}

// Terminates the fetching connection's backend at the first table once armed.
class TerminatingProgress : public IProgress {
 public:
  void Begin(const std::string&, int) override {}
  void Step(int done) override {
    if (armed && done == 1) {
      armed = false;
      terminate();
    }
  }
  void End() override { ++ended; }
  bool armed = false;
  std::function<void()> terminate;
  int ended = 0;
};

TEST_F(OdbcProjectPostgreSQLTest, ADriverErrorMidFetchFailsAndLeavesTheDataKindEmpty) {
  TCatalogueStore store;
  NewProject(store, Product::Odbc, EstimateTextWidth);
  TDbConnection connection;
  ScriptedPrompt prompt;
  RecordingStatusBar status;
  TerminatingProgress progress;
  DbSession session{connection, prompt, progress, status};
  // Rows through a declared cursor, ten at a time: later rows need the server.
  ASSERT_TRUE(connection.Connect(Product::Odbc, "MorvanePostgresCursor", "", "", prompt, status));
  // The catalogue functions still ask the server after the first table; PostgreSQL's own
  // reader has read everything by then.
  connection.OdbcFunctionsOnly = true;
  const std::string pid = OdbcQueryValue(connection.Dbc.get(), "SELECT pg_backend_pid()");
  TestConnection killer(server_->Dsn());
  progress.terminate = [&] {
    EXPECT_EQ(OdbcQueryValue(killer.dbc(), "SELECT pg_terminate_backend(" + pid + ")"), "1");
  };

  store.currentDataKind = DataKind::Table;
  ASSERT_TRUE(FetchCatalogue(store, session));
  ASSERT_FALSE(store.Records(DataKind::Table).empty());
  ASSERT_FALSE(store.relations.empty());

  progress.armed = true;
  EXPECT_FALSE(FetchCatalogue(store, session));
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_FALSE(prompt.shown[0].text.empty());
  EXPECT_NE(prompt.shown[0].text, ToCp932("内部エラー"));
  EXPECT_TRUE(store.Records(DataKind::Table).empty());
  EXPECT_TRUE(store.relations.empty());
  EXPECT_EQ(progress.ended, 2);
  EXPECT_EQ(status.busy_depth, 0);
}

// Asks to stop once `after` tables are done.
class CancellingProgress : public IProgress {
 public:
  void Begin(const std::string&, int) override {}
  void Step(int done) override { done_ = done; }
  void End() override { ++ended; }
  bool Cancelled() const override { return after >= 0 && done_ >= after; }
  int after = -1;
  int ended = 0;

 private:
  int done_ = 0;
};

TEST_F(OdbcProjectPostgreSQLTest, ACancelledFetchLeavesTheDataKindAsItWas) {
  TCatalogueStore store;
  NewProject(store, Product::Odbc, EstimateTextWidth);
  TDbConnection connection;
  ScriptedPrompt prompt;
  RecordingStatusBar status;
  CancellingProgress progress;
  DbSession session{connection, prompt, progress, status};
  ASSERT_TRUE(connection.Connect(Product::Odbc, server_->Dsn(), "", "", prompt, status));
  for (DataKind kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
    SCOPED_TRACE(DataKindCode(kind));
    store.currentDataKind = kind;
    progress.after = -1;
    ASSERT_TRUE(FetchCatalogue(store, session));
    std::vector<TTableRec> before;
    for (const auto& record : store.Records(kind)) before.push_back(*record);
    const std::vector<TRelationRec> relations = store.relations;

    progress.after = 1;
    EXPECT_FALSE(FetchCatalogue(store, session));
    EXPECT_TRUE(prompt.shown.empty());
    ASSERT_EQ(store.Records(kind).size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(*store.Records(kind)[i], before[i]);
    EXPECT_EQ(store.relations, relations);
    EXPECT_EQ(status.busy_depth, 0);
  }
}

TEST_F(OdbcProjectPostgreSQLTest, FetchReadsOnlyTheChosenSchemas) {
  const std::string project = File("sales.vnk");
  Expect(0, RunFetchCommand,
         {"--dsn", server_->Dsn(), "--product", "odbc", "--kinds", "2,3", "--schemas", "sales",
          "--out", project});
  TCatalogueStore store = Open(project);
  for (DataKind kind : {DataKind::Table, DataKind::Index}) {
    ASSERT_FALSE(store.Records(kind).empty());
    for (const auto& record : store.Records(kind)) EXPECT_EQ(record->owner, "sales");
  }
  Expect(2, RunFetchCommand,
         {"--dsn", server_->Dsn(), "--product", "oracle8", "--kinds", "2", "--schemas", "sales",
          "--out", project});
}

TEST_F(OdbcProjectPostgreSQLTest, FreeSqlSendsAndReadsJapaneseThroughTheWideFunctions) {
  TCatalogueStore store;
  NewProject(store, Product::Odbc, EstimateTextWidth);
  TDbConnection connection;
  ScriptedPrompt prompt;
  RecordingStatusBar status;
  RecordingProgress progress;
  DbSession session{connection, prompt, progress, status};
  ASSERT_TRUE(connection.Connect(Product::Odbc, server_->Dsn(), "", "", prompt, status));

  ASSERT_TRUE(ExecuteFreeSql(store, session, ToCp932("SELECT 番号, 氏名 AS 名前 FROM 社員"), 10,
                             EstimateTextWidth));
  const ItemList& items = store.Items(DataKind::Sql, kItemLevelColumn);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].name, ToCp932("番号"));
  EXPECT_EQ(items[1].name, ToCp932("名前"));
  ASSERT_EQ(store.Records(DataKind::Sql).size(), 1u);
  const TTableRec& result = *store.Records(DataKind::Sql)[0];
  ASSERT_EQ(result.columns.size(), 1u);
  EXPECT_EQ(result.columns[0].values.ToVector(), (std::vector<std::string>{"1", ToCp932("山田")}));

  // A failing statement shows the driver's message and leaves no result.
  EXPECT_FALSE(
      ExecuteFreeSql(store, session, ToCp932("SELECT * FROM 無い表"), 10, EstimateTextWidth));
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_NE(prompt.shown[0].text.find(ToCp932("無い表")), std::string::npos)
      << ToUtf8(prompt.shown[0].text);
  EXPECT_TRUE(store.Records(DataKind::Sql).empty());
  connection.Disconnect(status);
}

}  // namespace
}  // namespace morvane::server_test
