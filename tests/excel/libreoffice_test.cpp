// Opens files made through the Excel operations in LibreOffice Calc (headless) and checks what
// it reads: the values as CSV and the drawings as PDF text. Skipped when LibreOffice is not
// installed. Set MORVANE_KEEP_LO_OUTPUT to a directory to keep the files for a look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "excel/application.h"
#include "model/codec.h"
#include "output_scenario.h"
#include "temp_dir.h"

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
    if (!OnPath("soffice")) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
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
  EXPECT_NE(emp.find("テーブル定義書"), std::string::npos);
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
  if (std::system(command.c_str()) != 0) return;  // poppler-utils missing: the PDF is enough
  std::string text = ReadFile(dir_.File("d.txt"));
  for (const char* expected : {"EMP", "DEPTNO NUMBER", "SALGRADE", "BONUS", "折れ線"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
}

}  // namespace
}  // namespace morvane::excel
