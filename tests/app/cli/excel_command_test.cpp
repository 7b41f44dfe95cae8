// morvane-cli excel and er-place on project files: arguments, exit codes, and the output file
// replaced only by a complete workbook.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli/er_place_command.h"
#include "app/cli/excel_command.h"
#include "app/cli/format_command.h"
#include "excel/application.h"
#include "model/standard_layout.h"
#include "project/new_project.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "temp_dir.h"
#include "text/codec.h"
#include "xlsx/drawing.h"
#include "xlsx/worksheet.h"

namespace morvane {
namespace {

using xlsx::testing::TempDir;

// An Oracle 8 project with tables EMP (3 columns), DEPT (2) and 受注 (1).
std::string WriteProject(const TempDir& dir) {
  TCatalogueStore store;
  NewProject(store, Product::Oracle8, EstimateTextWidth);
  const size_t table_values = store.Items(DataKind::Table, kItemLevelTable).size();
  const size_t column_values = store.Items(DataKind::Table, kItemLevelColumn).size();
  auto add = [&](const std::string& name, int columns) {
    TTableRec& record = store.AddRecord(DataKind::Table);
    record.owner = "SCOTT";
    record.type = "TABLE";
    record.name = name;
    std::vector<std::string> values(table_values);
    values[0] = "SCOTT";
    values[1] = name;
    values[2] = "TABLE";
    record.values = TValueList(values);
    for (int i = 1; i <= columns; ++i) {
      std::vector<std::string> row(column_values);
      row[0] = std::to_string(i);
      row[1] = name + "_COL" + std::to_string(i);
      row[2] = "NUMBER";
      record.columns.push_back({TValueList(row)});
    }
  };
  add("EMP", 3);
  add("DEPT", 2);
  add(ToCp932("受注"), 1);
  std::string path = dir.File("project.vnk");
  EXPECT_TRUE(SaveProjectFile(store, path).ok);
  return path;
}

struct Outcome {
  int code;
  std::string out, err;
};

Outcome Excel(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int code = RunExcelCommand(args, out, err);
  return {code, out.str(), err.str()};
}

std::vector<std::string> SheetNames(const std::string& file) {
  excel::ExcelApplication app;
  excel::Workbook& book = app.Workbooks().Open(file);
  std::vector<std::string> names;
  for (int i = 1; i <= book.Worksheets().Count(); ++i) {
    names.push_back(ToUtf8(book.Worksheets().Item(i).Name()));
  }
  return names;
}

std::string ReadAll(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ExcelCommandTest, WritesTheChosenTablesOrAllOfThem) {
  TempDir dir;
  std::string project = WriteProject(dir);
  std::string out = dir.File("out.xlsx");
  Outcome all = Excel({project, "--kind", "2", "--all-tables", "--out", out});
  ASSERT_EQ(all.code, 0) << all.err;
  EXPECT_NE(all.err.find("終了しました。"), std::string::npos);
  EXPECT_EQ(SheetNames(out), (std::vector<std::string>{"EMP", "DEPT", "受注"}));

  Outcome chosen = Excel({project, "--kind", "2", "--tables", "受注,EMP", "--out", out});
  ASSERT_EQ(chosen.code, 0) << chosen.err;
  EXPECT_EQ(SheetNames(out), (std::vector<std::string>{"EMP", "受注"}));  // store order

  excel::ExcelApplication app;
  excel::Workbook& book = app.Workbooks().Open(out);
  excel::Worksheet emp = book.Worksheets().Item(1);
  EXPECT_EQ(emp.Range("B1").Value(), "EMP");
  EXPECT_EQ(emp.Range("B6").Value(), "EMP_COL1");
  EXPECT_EQ(emp.Range("B8").Value(), "EMP_COL3");
}

TEST(ExcelCommandTest, AFailedOutputLeavesAnExistingFileAlone) {
  TempDir dir;
  std::string project = WriteProject(dir);
  std::string out = dir.File("out.xlsx");
  std::ofstream(out) << "previous";
  // A template whose active sheet is a chart... is not needed: a missing sheet fails at once.
  Outcome missing_sheet =
      Excel({project, "--sheet", "NOPE", "--kind", "2", "--all-tables", "--out", out});
  EXPECT_EQ(missing_sheet.code, 1);
  EXPECT_EQ(ReadAll(out), "previous");

  // The format check fails: start row 0.
  TCatalogueStore store;
  ASSERT_TRUE(OpenProjectFile(store, project, EstimateTextWidth, nullptr).ok);
  store.formatSettings.columnStartRow[DataKindIndex(DataKind::Table)] = 0;
  ASSERT_TRUE(SaveProjectFile(store, project).ok);
  Outcome invalid = Excel({project, "--kind", "2", "--all-tables", "--out", out});
  EXPECT_EQ(invalid.code, 1);
  EXPECT_NE(invalid.err.find("フォーマットが不正です。"), std::string::npos);
  EXPECT_NE(invalid.err.find("出力に失敗しました。"), std::string::npos);
  EXPECT_EQ(ReadAll(out), "previous");
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << entry.path();
  }
}

TEST(ExcelCommandTest, BadArgumentsAreUsageErrors) {
  TempDir dir;
  std::string project = WriteProject(dir);
  std::string out = dir.File("out.xlsx");
  const std::vector<std::vector<std::string>> cases = {
      {project, "--kind", "2", "--all-tables"},                             // no --out
      {project, "--kind", "9", "--all-tables", "--out", out},               // bad kind
      {project, "--kind", "2", "--out", out},                               // no tables
      {project, "--kind", "2", "--all-tables", "--er", "A", "--out", out},  // both outputs
      {project, "--kind", "2", "--tables", "NOSUCH", "--out", out},         // unknown table
      {project, "--er", "NOSUCH", "--out", out},                            // unknown ER sheet
      {project, "--kind", "2", "--all-tables", "--colour", "red", "--out", out},
  };
  for (const auto& args : cases) {
    Outcome outcome = Excel(args);
    EXPECT_EQ(outcome.code, 2) << args[1] << " " << args[2] << ": " << outcome.err;
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(ErPlaceCommandTest, PlacedTablesAndLinesComeOutAsADiagram) {
  TempDir dir;
  std::string project = WriteProject(dir);
  std::string placed = dir.File("placed.vnk");
  std::ostringstream out, err;
  int code = RunErPlaceCommand({project, "--sheet", "関連", "--table", "EMP@20,30", "--table",
                                "DEPT@300,30,160,120", "--line", "EMP:DEPT", "--out", placed},
                               out, err);
  ASSERT_EQ(code, 0) << err.str();
  TCatalogueStore store;
  ASSERT_TRUE(OpenProjectFile(store, placed, EstimateTextWidth, nullptr).ok);
  ASSERT_EQ(store.er.sheets.size(), 1u);  // the empty シート1 was taken over
  const TERSheetRec& sheet = *store.er.sheets[0];
  EXPECT_EQ(sheet.name, ToCp932("関連"));
  ASSERT_EQ(sheet.tables.size(), 2u);
  EXPECT_EQ(sheet.tables[1]->width, 160);
  EXPECT_EQ(sheet.tables[0]->columns.size(), 3u);
  ASSERT_EQ(sheet.lines.size(), 1u);

  std::string xlsx = dir.File("er.xlsx");
  Outcome er = Excel({placed, "--er", "関連", "--out", xlsx});
  ASSERT_EQ(er.code, 0) << er.err;
  excel::ExcelApplication app;
  excel::Worksheet drawn = app.Workbooks().Open(xlsx).Worksheets().Item(1);
  EXPECT_EQ(ToUtf8(drawn.Name()), "関連");
  ASSERT_TRUE(drawn.Lock()->drawing);
  std::string drawing = drawn.Lock()->drawing->ToXml();
  EXPECT_NE(drawing.find("cxnSp"), std::string::npos);
  EXPECT_NE(drawing.find("DEPT_COL2"), std::string::npos);

  std::ostringstream ignored;
  EXPECT_EQ(RunErPlaceCommand({project, "--sheet", "X", "--table", "NOSUCH@1,1", "--out", placed},
                              ignored, ignored),
            2);
  EXPECT_EQ(RunErPlaceCommand({project, "--sheet", "X", "--table", "EMP", "--out", placed}, ignored,
                              ignored),
            2);
}

std::string LineOf(const TItemDef& item) { return item.excelCell + "/" + item.excelColumn; }

TEST(FormatCommandTest, TheStandardPresetDrivesTheBundledTemplateAndKeepsTheRest) {
  TempDir dir;
  std::string project = WriteProject(dir);
  std::ostringstream out, err;
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{project}, {project, "--preset", "fancy"}, {"--preset"}}) {
    EXPECT_EQ(RunFormatCommand(bad, out, err), 2);
  }
  ASSERT_EQ(RunFormatCommand({project, "--preset", "standard"}, out, err), 0) << err.str();
  TCatalogueStore store;
  ASSERT_TRUE(OpenProjectFile(store, project, EstimateTextWidth, nullptr).ok);
  EXPECT_EQ(store.Records(DataKind::Table).size(), 3u);
  EXPECT_EQ(store.er.sheets.size(), 1u);
  EXPECT_EQ(store.importLayout, StandardImportLayout());
  EXPECT_EQ(LineOf(store.Items(DataKind::Table, kItemLevelTable)[0]), "C2/C");

  // Without --template: the bundled template's table sheet, or its ER sheet for ER output.
  std::string out_file = dir.File("standard.xlsx");
  Outcome tables = Excel({project, "--kind", "2", "--tables", "EMP", "--out", out_file});
  ASSERT_EQ(tables.code, 0) << tables.err;
  excel::ExcelApplication app;
  excel::Worksheet emp = app.Workbooks().Open(out_file).Worksheets().Item(1);
  EXPECT_EQ(emp.Range("C2").Value(), "EMP");
  EXPECT_EQ(emp.Range("C6").Value(), "EMP_COL1");
  EXPECT_EQ(emp.Range("C5").Value(), ToCp932("物理名"));

  std::string placed = dir.File("placed.vnk");
  ASSERT_EQ(
      RunErPlaceCommand({project, "--sheet", "E", "--table", "EMP@0,0", "--fit", "--out", placed},
                        out, err),
      0);
  std::string er_file = dir.File("er.xlsx");
  Outcome er = Excel({placed, "--er", "E", "--out", er_file});
  ASSERT_EQ(er.code, 0) << er.err;
  excel::Worksheet drawn = app.Workbooks().Open(er_file).Worksheets().Item(1);
  EXPECT_EQ(drawn.Range("A1").Value(), ToCp932("ER図"));
}

}  // namespace
}  // namespace morvane
