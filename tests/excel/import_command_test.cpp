#include "app/cli/import_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli/project_summary.h"
#include "import_fixture.h"
#include "model/data_kind.h"
#include "project/new_project.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "temp_dir.h"
#include "text/codec.h"

namespace morvane {
namespace {

using excel::testing::AddBook;

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

class ImportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    project = dir.File("p.vnk");
    workbook = dir.File("book.xlsx");
    TCatalogueStore store;
    NewProject(store, Product::Oracle8, EstimateTextWidth);
    ASSERT_TRUE(SaveProjectFile(store, project).ok);
    excel::ExcelApplication app;
    AddBook(app, {{"顧客",
                   {{"B2", "CUSTOMER"},
                    {"A4", "ID"},
                    {"B4", "number"},
                    {"D4", "10"},
                    {"E4", "0"},
                    {"A5", "NAME"},
                    {"B5", "varchar2"},
                    {"C5", "300"}}},
                  {"空", {}},
                  {"注文", {{"B2", "ORDERS"}, {"A4", "NO"}, {"B4", "DATE"}}}})
        .SaveAs(workbook);
  }
  int Run(std::vector<std::string> args, const std::string& input = "", bool terminal = false) {
    args.insert(args.begin(), project);
    std::istringstream in(input);
    out.str("");
    err.str("");
    return RunImportCommand(args, in, out, err, terminal);
  }
  std::vector<std::string> layout = {"--table-name-cell",  "b2", "--first-item-row", "4",
                                     "--type-column",      "B",  "--length-column",  "C",
                                     "--precision-column", "D",  "--scale-column",   "E"};
  TCatalogueStore Reopened() {
    TCatalogueStore store;
    EXPECT_TRUE(OpenProjectFile(store, project, EstimateTextWidth).ok);
    return store;
  }

  xlsx::testing::TempDir dir;
  std::string project;
  std::string workbook;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(ImportCommandTest, ImportsTheChosenSheetsAndSavesTheProject) {
  std::vector<std::string> args = {"--workbook", workbook,      "--sheets",
                                   "注文,顧客",  "--overwrite", "no"};
  args.insert(args.end(), layout.begin(), layout.end());
  ASSERT_EQ(Run(args), 0) << err.str();
  EXPECT_NE(out.str().find("Excelファイルをインポートしました。"), std::string::npos);
  TCatalogueStore store = Reopened();
  const RecordList& records = store.Records(DataKind::Excel);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0]->name, "CUSTOMER");  // workbook order, not argument order
  EXPECT_EQ(records[1]->name, "ORDERS");
  // Sizes by the column-size rules: NUMBER(10) 6 bytes, VARCHAR2(300) 300 bytes.
  EXPECT_EQ(records[0]->values.ToVector(),
            (std::vector<std::string>{"1", "CUSTOMER", "306", "1", "1"}));
  EXPECT_EQ(records[0]->columns[0].values[8], "6");
  EXPECT_EQ(records[0]->columns[1].values[6], "300");
  EXPECT_EQ(records[1]->columns[0].values[8], "7");
  EXPECT_EQ(store.importLayout.tableNameCell, "B2");
  EXPECT_EQ(store.importLayout.firstItemRow, 4);

  // Again, every sheet: the duplicates are answered by --overwrite.
  ASSERT_EQ(Run({"--workbook", workbook, "--all-sheets", "--overwrite", "all"}), 0) << err.str();
  EXPECT_EQ(Reopened().Records(DataKind::Excel).size(), 2u);
  // Without a terminal, a duplicate that needs asking stops the command, naming the table.
  const std::string imported = FileBytes(project);
  EXPECT_EQ(Run({"--workbook", workbook, "--all-sheets"}), 2);
  EXPECT_NE(err.str().find("「CUSTOMER」"), std::string::npos) << err.str();
  EXPECT_EQ(FileBytes(project), imported);
  EXPECT_EQ(Run({"--workbook", workbook, "--all-sheets"}, "x\nn\nc\n", true), 0) << err.str();
  EXPECT_NE(err.str().find("既に同名のテーブルが存在します。"), std::string::npos);
}

TEST_F(ImportCommandTest, ImportsWithoutATerminalWhenNoTableIsOverwritten) {
  std::vector<std::string> args = {"--workbook", workbook, "--sheets", "顧客"};
  args.insert(args.end(), layout.begin(), layout.end());
  ASSERT_EQ(Run(args), 0) << err.str();
  EXPECT_EQ(Reopened().Records(DataKind::Excel).size(), 1u);
}

TEST_F(ImportCommandTest, RefusesBadInputLeavingTheProjectAsItWas) {
  const std::string before = FileBytes(project);
  std::ofstream(dir.File("broken.xlsx")) << "PK\x03\x04 broken";
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    const char* message;
  };
  const std::vector<Case> cases = {
      {{"--workbook", dir.File("broken.xlsx"), "--all-sheets", "--overwrite", "no"}, 1, "ブック"},
      {{"--workbook", workbook, "--sheets", "無い", "--overwrite", "no"}, 2, "無い"},
      {{"--workbook", workbook, "--all-sheets", "--overwrite", "no", "--first-item-row", "0"},
       2,
       "レイアウトが不正です。"},
      {{"--workbook", workbook, "--all-sheets", "--overwrite", "no", "--name-column", ""},
       2,
       "--name-column"},
      {{"--workbook", workbook, "--overwrite", "no"}, 2, "--all-sheets"},
      {{"--workbook", workbook, "--all-sheets", "--overwrite", "maybe"}, 2, "--overwrite"},
      {{"--workbook", workbook, "--all-sheets", "--layout-from-project", "--size-column", "F"},
       2,
       "--layout-from-project"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.args), c.exit_code) << c.message;
    EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
  }
  EXPECT_EQ(FileBytes(project), before);
}

// An import that reads nothing fails and leaves the project alone; one that saves says how many
// tables it imported, and only once the project is saved.
TEST_F(ImportCommandTest, SaysWhatWasImportedOnlyOnceItIsSaved) {
  const std::string before = FileBytes(project);
  std::vector<std::string> args = {"--workbook", workbook, "--all-sheets", "--overwrite", "no"};
  std::vector<std::string> nothing = args;
  nothing.insert(nothing.end(), {"--table-name-cell", "Z99"});
  EXPECT_EQ(Run(nothing), 1);
  EXPECT_NE(err.str().find("インポートしたテーブルはありません"), std::string::npos) << err.str();
  EXPECT_EQ(out.str().find("インポートしました"), std::string::npos) << out.str();
  EXPECT_EQ(FileBytes(project), before);

  args.insert(args.end(), layout.begin(), layout.end());
  std::filesystem::permissions(project, std::filesystem::perms::owner_read);
  EXPECT_EQ(Run(args), 1);
  EXPECT_NE(err.str().find("ファイル「" + project + "」に保存できませんでした。"),
            std::string::npos)
      << err.str();
  EXPECT_EQ(out.str().find("インポートしました"), std::string::npos) << out.str();
  EXPECT_EQ(FileBytes(project), before);

  std::filesystem::permissions(project, std::filesystem::perms::owner_all);
  ASSERT_EQ(Run(args), 0) << err.str();
  EXPECT_NE(out.str().find("2 件のテーブルをインポートしました"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace morvane
