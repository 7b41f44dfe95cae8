// morvane-cli diff, run in-process against a copy of the Red Brick demo database: fetched, changed
// (a table and a column added, a column widened, a comment changed, a table dropped with its
// foreign key, an index added) and fetched again.
#include "app/cli/diff_command.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/cli/excel_command.h"
#include "app/cli/fetch_command.h"
#include "app/cli/import_command.h"
#include "odbc_client.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using emulator::test::OdbcClient;
using emulator::test::TempDataSources;

constexpr const char* kDsn = "DIFF_RB";

// What the DDL below changes, as `diff --format tsv` lists it: besides the objects named, the
// table's size follows its new and wider columns, and the dropped table's key index goes too.
constexpr const char* kExpectedTsv =
    "removed\trelation\tPAYMENTS->INVOICES\t\t\t\n"
    "changed\ttable\tSALES.BRANCHES\tSIZE(byte)\t182\t222\n"
    "added\tcolumn\tSALES.BRANCHES.FAX\t\t\t\n"
    "changed\tcolumn\tSALES.BRANCHES.PHONE\tLENGTH\t15\t40\n"
    "changed\tcolumn\tSALES.BRANCHES.PHONE\tLENGTH2\t15\t40\n"
    "changed\tcolumn\tSALES.BRANCHES.PHONE\tSIZE(byte)\t15\t40\n"
    "added\tindex\tSALES.IX_BRANCH_PREF\t\t\t\n"
    "removed\ttable\tSALES.PAYMENTS\t\t\t\n"
    "removed\tindex\tSALES.PK_PAYMENTS\t\t\t\n"
    "added\ttable\tSALES.PROMOTIONS\t\t\t\n"
    "changed\tcolumn\tSALES.REGIONS.REGION_NAME\tCOMMENT\t地域名\t地域の名前\n";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Widens a column the way the server's ALTER would: in the schema model the catalogue is
// derived from, with the schema generation raised so the catalogue is rebuilt.
void WidenColumn(const std::string& database, const char* table, const char* column, int length) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(database.c_str(), &db), SQLITE_OK);
  const std::string sql =
      "UPDATE \"mv$columns\" SET LENGTH = " + std::to_string(length) + " WHERE NAME = '" + column +
      "' AND OBJECT_ID = (SELECT ID FROM \"mv$objects\" WHERE NAME = '" + table +
      "'); UPDATE \"mv$meta\" SET VALUE = CAST(VALUE AS INTEGER) + 1 "
      "WHERE KEY = 'generation';";
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
      << (error ? error : "");
  sqlite3_free(error);
  EXPECT_EQ(sqlite3_changes(db), 1);
  sqlite3_close(db);
}

class DiffCommandTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new fs::path(fs::path(testing::TempDir()) / ("diff_cli_" + std::to_string(getpid())));
    fs::create_directories(*dir_);
    const std::string database = (*dir_ / "redbrick.db").string();
    fs::copy_file(fs::path(MORVANE_DEMO_DIR) / "redbrick.db", database,
                  fs::copy_options::overwrite_existing);
    sources_ = new TempDataSources();
    sources_->Add(kDsn, {{"Driver", "Morvane Red Brick"}, {"Database", database}});
    Fetch(Path("old.vnk"));
    OdbcClient client;
    ASSERT_TRUE(SQL_SUCCEEDED(client.Connect(kDsn, "sales", "sales")));
    std::string error;
    ASSERT_TRUE(client.Script(R"(
      CREATE TABLE PROMOTIONS (PROMO_ID INTEGER NOT NULL, PROMO_NAME VARCHAR(40));
      ALTER TABLE BRANCHES ADD (FAX VARCHAR(15));
      COMMENT ON COLUMN REGIONS.REGION_NAME IS '地域の名前';
      DROP TABLE PAYMENTS;
      CREATE INDEX IX_BRANCH_PREF ON BRANCHES (PREF_CODE);
    )",
                              &error))
        << error;
    WidenColumn(database, "BRANCHES", "PHONE", 40);
    Fetch(Path("new.vnk"));
  }
  static void TearDownTestSuite() {
    delete sources_;
    fs::remove_all(*dir_);
    delete dir_;
  }

  static std::string Path(const char* name) { return (*dir_ / name).string(); }

  static void Fetch(const std::string& out) {
    std::ostringstream ignored, err;
    ASSERT_EQ(RunFetchCommand({"--dsn", kDsn, "--uid", "sales", "--pwd", "sales", "--product",
                               "redbrick", "--kinds", "2,3", "--out", out},
                              ignored, err),
              0)
        << err.str();
  }

  int Diff(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return RunDiffCommand(args, out_, err_);
  }

  static inline fs::path* dir_ = nullptr;
  static inline TempDataSources* sources_ = nullptr;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(DiffCommandTest, ListsExactlyTheChangesInEveryFormat) {
  const std::string old_project = Path("old.vnk");
  const std::string new_project = Path("new.vnk");
  EXPECT_EQ(Diff({old_project, new_project, "--format", "tsv"}), 1) << err_.str();
  EXPECT_EQ(out_.str(), kExpectedTsv);
  for (const char* format : {"text", "markdown"}) {
    SCOPED_TRACE(format);
    EXPECT_EQ(Diff({old_project, new_project, "--format", format}), 1) << err_.str();
    const fs::path golden =
        fs::path(MORVANE_TEST_DATA) / (std::string("changes_") + format + ".txt");
    if (std::getenv("MORVANE_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << out_.str();
    EXPECT_EQ(out_.str(), ReadFile(golden));
  }
  // The database as it is now against the project fetched before the changes.
  EXPECT_EQ(
      Diff({old_project, "--dsn", kDsn, "--uid", "sales", "--pwd", "sales", "--format", "tsv"}), 1)
      << err_.str();
  EXPECT_EQ(out_.str(), kExpectedTsv);
}

TEST_F(DiffCommandTest, AProjectAgainstItselfOrItsUnchangedDatabasePrintsNothing) {
  EXPECT_EQ(Diff({Path("old.vnk"), Path("old.vnk")}), 0) << err_.str();
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(Diff({Path("new.vnk"), "--dsn", kDsn, "--uid", "sales", "--pwd", "sales"}), 0)
      << err_.str();
  EXPECT_EQ(out_.str(), "");
}

// The design workbook written with the standard layout of the table list and read back.
void WriteAndImportDesign(const std::string& design_from, const std::string& project,
                          const std::string& book) {
  std::ostringstream out, err;
  std::istringstream in;
  ASSERT_EQ(RunExcelCommand({design_from, "--kind", "2", "--all-tables", "--out", book}, out, err),
            0)
      << err.str();
  ASSERT_EQ(RunImportCommand({project,
                              "--workbook",
                              book,
                              "--all-sheets",
                              "--table-name-cell",
                              "B1",
                              "--first-item-row",
                              "6",
                              "--name-column",
                              "B",
                              "--type-column",
                              "C",
                              "--length-column",
                              "D",
                              "--precision-column",
                              "E",
                              "--scale-column",
                              "F",
                              "--size-column",
                              "I",
                              "--not-null-column",
                              "J",
                              "--unique-column",
                              "K",
                              "--primary-column",
                              "L",
                              "--comment1-column",
                              "Q",
                              "--overwrite",
                              "all"},
                             in, out, err, false),
            0)
      << err.str();
}

TEST_F(DiffCommandTest, TheDesignWorkbookMatchesUntilTheDatabaseChanges) {
  const std::string book = Path("design.xlsx");
  WriteAndImportDesign(Path("old.vnk"), Path("old.vnk"), book);
  EXPECT_EQ(Diff({Path("old.vnk"), "--kinds", "1:2"}), 0) << err_.str();
  EXPECT_EQ(out_.str(), "");
  // The same design against the definitions fetched after the changes.
  WriteAndImportDesign(Path("old.vnk"), Path("new.vnk"), book);
  EXPECT_EQ(Diff({Path("new.vnk"), "--kinds", "1:2", "--format", "tsv"}), 1) << err_.str();
  EXPECT_EQ(out_.str(),
            "removed\ttable\tPAYMENTS\t\t\t\n"
            "added\tcolumn\tSALES.BRANCHES.FAX\t\t\t\n"
            "changed\tcolumn\tSALES.BRANCHES.PHONE\tLENGTH\t15\t40\n"
            "added\ttable\tSALES.PROMOTIONS\t\t\t\n"
            "changed\tcolumn\tSALES.REGIONS.REGION_NAME\tCOMMENT\t地域名\t地域の名前\n");
}

TEST_F(DiffCommandTest, RefusesBadArgumentsAndUnreadableProjectsWithExitTwo) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{Path("old.vnk")},
        {Path("old.vnk"), Path("new.vnk"), "--format", "html"},
        {Path("old.vnk"), Path("new.vnk"), "--kinds", "2,9"},
        {Path("old.vnk"), Path("missing.vnk")}}) {
    EXPECT_EQ(Diff(args), 2) << args.back();
    EXPECT_FALSE(err_.str().empty());
  }
}

}  // namespace
}  // namespace morvane
