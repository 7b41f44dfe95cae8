// Opens files made through the Excel operations in LibreOffice Calc (headless) and checks what
// it reads: the values as CSV and the drawings as PDF text. Skipped when LibreOffice is not
// installed (failed under CI). Set MORVANE_KEEP_LO_OUTPUT to a directory to keep the files for a
// look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "er/er_tables.h"
#include "excel/application.h"
#include "excel/output_excel.h"
#include "missing_dependency.h"
#include "output_fixture.h"
#include "output_scenario.h"
#include "temp_dir.h"
#include "text/codec.h"

namespace morvane::excel {
namespace {

namespace fs = std::filesystem;
using xlsx::testing::TempDir;

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (!dir.empty() && fs::exists(fs::path(dir) / program)) return true;
  }
  return false;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class LibreOfficeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!OnPath("soffice"))
      MORVANE_SKIP_MISSING_DEPENDENCY("LibreOffice (soffice) is not installed");
  }

  // Converts `file` with soffice into `dir`; the profile lives in a private home.
  void Convert(const std::string& file, const std::string& filter) {
    std::string command = "HOME='" + dir_.File("home") + "' timeout 300 soffice --headless " +
                          "--convert-to '" + filter + "' --outdir '" + dir_.path().string() +
                          "' '" + file + "' > '" + dir_.File("soffice.log") + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile(dir_.File("soffice.log"));
  }

  void Keep(const std::string& file) {
    const char* keep = std::getenv("MORVANE_KEEP_LO_OUTPUT");
    if (keep == nullptr) return;
    fs::create_directories(keep);
    fs::copy_file(file, fs::path(keep) / fs::path(file).filename(),
                  fs::copy_options::overwrite_existing);
  }

  TempDir dir_;
};

TEST_F(LibreOfficeTest, CalcReadsTheValuesOfEveryWrittenSheet) {
  ExcelApplication app;
  app.Workbooks().OpenDefaultTemplate();
  std::vector<std::vector<std::string>> rows;
  for (int i = 1; i <= 40; ++i) {
    rows.push_back(
        {std::to_string(i), "COL_" + std::to_string(i), "NUMBER", "10", i % 2 ? ToCp932("○") : ""});
  }
  Workbook& out =
      testing::WriteTables(app, app.ActiveSheet(),
                           {{"EMP", {"SCOTT", "EMP", "TABLE", "4096"}, rows},
                            {ToCp932("受注"), {"SALES", ToCp932("受注"), "TABLE", "512"}, rows}},
                           {"ID", "NAME", "TYPE", "LENGTH", "NOT NULL"}, 5);
  std::string file = dir_.File("tables.xlsx");
  out.SaveAs(file);
  Keep(file);
  Convert(file, "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1");
  std::string emp = ReadFile(dir_.File("tables-EMP.csv"));
  std::string sales = ReadFile(dir_.File("tables-受注.csv"));
  ASSERT_FALSE(emp.empty()) << ReadFile(dir_.File("soffice.log"));
  EXPECT_EQ(emp.rfind("SCOTT,EMP,TABLE,4096", 0), 0u);
  EXPECT_NE(emp.find("\nID,NAME,TYPE,LENGTH,NOT NULL"), std::string::npos);
  EXPECT_NE(emp.find("\n1,COL_1,NUMBER,10,○"), std::string::npos);
  EXPECT_NE(emp.find("\n40,COL_40,NUMBER,10,"), std::string::npos);
  EXPECT_NE(emp.find("位取り"), std::string::npos);  // a heading of the template kept
  EXPECT_NE(sales.find("SALES,受注,TABLE,512"), std::string::npos);
  EXPECT_NE(sales.find("\n39,COL_39,NUMBER,10,○"), std::string::npos);
}

TEST_F(LibreOfficeTest, CalcDrawsBoxesAndConnectorsOfEveryType) {
  ExcelApplication app;
  app.SetSheetsInNewWorkbook(3);
  Workbook& book = app.Workbooks().Add();
  const char* names[] = {"直線", "折れ線", "曲線"};
  for (int type = 1; type <= 3; ++type) {
    Worksheet sheet = book.Worksheets().Item(type);
    sheet.SetName(ToCp932(names[type - 1]));
    sheet.Range("A1").SetValue(ToCp932(names[type - 1]));
    std::string emp = "EMP\n *EMPNO NUMBER\n  ENAME VARCHAR2\n  DEPTNO NUMBER";
    testing::DrawDiagram(sheet,
                         {{emp, 20, 30, 130, 80},
                          {"DEPT\n *DEPTNO NUMBER\n  DNAME VARCHAR2", 260, 70, 130, 70},
                          {"BONUS\n  ENAME VARCHAR2", 40, 220, 130, 60},
                          {"SALGRADE\n *GRADE NUMBER", 300, 270, 130, 60}},
                         {{0, 1, 4, 2}, {0, 2, 3, 1}, {1, 3, 3, 1}, {2, 3, 4, 2}, {3, 0, 0, 0}},
                         type);
  }
  std::string file = dir_.File("diagram.xlsx");
  book.SaveAs(file);
  Keep(file);
  Convert(file, "pdf");
  Keep(dir_.File("diagram.pdf"));
  ASSERT_TRUE(fs::exists(dir_.File("diagram.pdf"))) << ReadFile(dir_.File("soffice.log"));
  std::string command =
      "pdftotext '" + dir_.File("diagram.pdf") + "' '" + dir_.File("d.txt") + "' > /dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << "pdftotext (poppler-utils) could not read the PDF";
  std::string text = ReadFile(dir_.File("d.txt"));
  for (const char* expected : {"EMP", "DEPTNO NUMBER", "SALGRADE", "BONUS", "折れ線"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
}

// Files made by the Excel output itself, read by LibreOffice (CSV, PDF) and by openpyxl.
class OutputReadersTest : public LibreOfficeTest {
 protected:
  // Runs python3's openpyxl on the file: sheet names, then "sheet!cell=value" for each cell
  // asked for, one per line (python3-openpyxl is one of the build's packages).
  std::string Openpyxl(const std::string& file, const std::vector<std::string>& cells) {
    std::string script = dir_.File("read.py");
    std::ofstream(script) << "import sys, openpyxl\n"
                             "wb = openpyxl.load_workbook(sys.argv[1])\n"
                             "print('|'.join(wb.sheetnames))\n"
                             "for arg in sys.argv[2:]:\n"
                             "    sheet, cell = arg.split('!')\n"
                             "    print(arg + '=' + str(wb[sheet][cell].value))\n";
    std::string command =
        "/usr/bin/python3 -c 'import openpyxl' 2>/dev/null && /usr/bin/python3 '" + script + "' '" +
        file + "'";
    for (const std::string& cell : cells) command += " '" + cell + "'";
    command += " > '" + dir_.File("openpyxl.txt") + "' 2>&1";
    int status = std::system(command.c_str());
    std::string text = ReadFile(dir_.File("openpyxl.txt"));
    EXPECT_EQ(status, 0) << text;
    return text;
  }
};

TEST_F(OutputReadersTest, TableWorkbooksReadBackInCalcAndOpenpyxl) {
  ExcelApplication app;
  app.Workbooks().OpenDefaultTemplate();
  TCatalogueStore store;
  testing::SetUpTableItems(store);
  testing::AddTable(store, "SCOTT", "EMPLOYEE", 40);
  testing::AddTable(store, "SCOTT", "EMPLOYEE", 2);
  testing::AddTable(store, "SALES", ToCp932("受注"), 3);
  std::vector<const TTableRec*> records;
  for (const auto& record : store.Records(DataKind::Table)) records.push_back(record.get());
  ScriptedPrompt prompt;
  NullProgress progress;
  ExcelOutput output(app, prompt, progress, {});
  OutputResult own = output.WriteTables(store, DataKind::Table, records);
  ASSERT_EQ(own.end, OutputEnd::kFinished);
  std::string file = dir_.File("own.xlsx");
  own.book->SaveAs(file);
  Keep(file);

  store.formatSettings.tableOneSheet[DataKindIndex(DataKind::Table)] = 1;
  app.Workbooks().Item(1).Activate();
  OutputResult one = output.WriteTables(store, DataKind::Table, records);
  ASSERT_EQ(one.end, OutputEnd::kFinished);
  std::string one_file = dir_.File("one.xlsx");
  one.book->SaveAs(one_file);
  Keep(one_file);

  Convert(file, "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1");
  std::string emp = ReadFile(dir_.File("own-EMPLOYEE.csv"));
  ASSERT_FALSE(emp.empty()) << ReadFile(dir_.File("soffice.log"));
  EXPECT_EQ(emp.rfind("SCOTT,EMPLOYEE,TABLE", 0), 0u);
  EXPECT_NE(emp.find("\nNO,COLUMN,TYPE"), std::string::npos);
  EXPECT_NE(emp.find("\n40,COL_40,NUMBER"), std::string::npos);
  EXPECT_NE(ReadFile(dir_.File("own-EMPL (2).csv")).find("\n2,COL_2,NUMBER"), std::string::npos);
  EXPECT_NE(ReadFile(dir_.File("own-受注.csv")).find("SALES,受注,TABLE"), std::string::npos);
  Convert(one_file,
          "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1");
  // One row per table under the header row, whatever else the template holds to their right.
  std::istringstream one_csv(ReadFile(dir_.File("one-テーブル定義.csv")));
  std::vector<std::string> starts;
  for (std::string line; std::getline(one_csv, line) && starts.size() < 4;) {
    starts.push_back(line.substr(0, line.find(',', line.find(',', line.find(',') + 1) + 1)));
  }
  EXPECT_EQ(starts, (std::vector<std::string>{"OWNER,NAME,TYPE", "SCOTT,EMPLOYEE,TABLE",
                                              "SCOTT,EMPLOYEE,TABLE", "SALES,受注,TABLE"}));
  Convert(file, "pdf");
  EXPECT_TRUE(fs::exists(dir_.File("own.pdf")));

  std::string read = Openpyxl(file, {"EMPLOYEE!B45", "受注!B1", "EMPL (2)!A5"});
  EXPECT_EQ(read.rfind("EMPLOYEE|EMPL (2)|受注\n", 0), 0u) << read;
  EXPECT_NE(read.find("EMPLOYEE!B45=COL_40"), std::string::npos) << read;
  EXPECT_NE(read.find("受注!B1=受注"), std::string::npos) << read;
  EXPECT_NE(read.find("EMPL (2)!A5=NO"), std::string::npos) << read;
  EXPECT_NE(Openpyxl(one_file, {"テーブル定義!A4"}).find("=SALES"), std::string::npos);
}

TEST_F(OutputReadersTest, ErWorkbooksReadBackInCalcAndOpenpyxl) {
  ExcelApplication app;
  app.Workbooks().OpenDefaultTemplate();
  TCatalogueStore store;
  store.formatSettings.lineType = kLineTypeStraight;
  auto sheet = std::make_unique<TERSheetRec>();
  sheet->name = ToCp932("受注");
  auto window = [&](const char* name, const char* caption, int left, int top) {
    TERTableRec& w = AddERTable(*sheet, name, caption, left, top, 170, 110);
    w.columns = {{"*", std::string(caption) + "_ID", "NUMBER(10)", true, ""},
                 {" ", "NAME", "VARCHAR2(40)", true, ""},
                 {" ", "CREATED_ON", "DATE", true, ""}};
    return &w;
  };
  TERTableRec* customers = window("Table1", "CUSTOMERS", 20, 140);
  TERTableRec* orders = window("Table2", "ORDERS", 300, 140);
  TERTableRec* details = window("Table3", "ORDER_DETAILS", 580, 140);
  TERTableRec* products = window("Table4", "PRODUCTS", 580, 360);
  AddERLine(*sheet, orders, customers);
  AddERLine(*sheet, details, orders);
  AddERLine(*sheet, details, products);
  store.er.sheets.push_back(std::move(sheet));
  ScriptedPrompt prompt;
  NullProgress progress;
  ExcelOutput output(app, prompt, progress, {});
  OutputResult result = output.WriteERSheets(store, {ToCp932("受注")});
  ASSERT_EQ(result.end, OutputEnd::kFinished);
  std::string file = dir_.File("er.xlsx");
  result.book->SaveAs(file);
  Keep(file);
  Convert(file, "pdf");
  Keep(dir_.File("er.pdf"));
  ASSERT_TRUE(fs::exists(dir_.File("er.pdf"))) << ReadFile(dir_.File("soffice.log"));
  std::string command =
      "pdftotext '" + dir_.File("er.pdf") + "' '" + dir_.File("er.txt") + "' > /dev/null 2>&1";
  if (std::system(command.c_str()) == 0) {
    std::string text = ReadFile(dir_.File("er.txt"));
    for (const char* expected :
         {"CUSTOMERS", "ORDER_DETAILS", "*PRODUCTS_ID", "NAME VARCHAR2(40)"}) {
      EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
  }
  std::string read = Openpyxl(file, {});
  EXPECT_EQ(read.rfind("受注\n", 0), 0u) << read;
}

}  // namespace
}  // namespace morvane::excel
