#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "excel/application.h"
#include "excel/excel_error.h"
#include "output_scenario.h"
#include "temp_dir.h"
#include "text/codec.h"
#include "xlsx/sheet_names.h"
#include "xlsx/workbook.h"
#include "xlsx/zip_package.h"

namespace morvane::excel {
namespace {

using testing::TableSheet;
using xlsx::testing::TempDir;

std::vector<TableSheet> SampleTables() {
  std::vector<std::vector<std::string>> rows;
  for (int i = 1; i <= 40; ++i) {
    rows.push_back({std::to_string(i), "COL_" + std::to_string(i), "VARCHAR2", "30",
                    i == 1 ? ToCp932("○") : ""});
  }
  return {
      {"EMPLOYEE", {"SCOTT", "EMPLOYEE", "TABLE", "1234"}, rows},
      {"EMPLOYEE", {"HR", "EMPLOYEE", "TABLE", "99"}, {rows[0]}},
      {std::string(40, 'X'), {"SCOTT", std::string(40, 'X')}, {}},
      {ToCp932("受注明細"), {"SALES", ToCp932("受注明細")}, rows},
  };
}

const std::vector<std::string> kHeadings = {"NO", "NAME", "TYPE", "LENGTH", "NOT NULL"};

std::string StyleOf(const Workbook& book, const Worksheet& sheet, const char* address) {
  const xlsx::Cell* cell = sheet.Lock()->data.Find(*xlsx::ParseCellRef(address));
  return cell ? book.engine().styles().Describe(cell->style) : "(none)";
}

void ExpectTablesWritten(Workbook& book) {
  ASSERT_EQ(book.Worksheets().Count(), 4);
  EXPECT_EQ(book.Worksheets().Item(1).Name(), "EMPLOYEE");
  EXPECT_EQ(book.Worksheets().Item(2).Name(), "EMPL (2)");
  EXPECT_EQ(book.Worksheets().Item(3).Name(), std::string(31, 'X'));
  Worksheet sheet = book.Worksheets().Item(ToCp932("受注明細"));
  EXPECT_EQ(sheet.Range("B1").Value(), ToCp932("受注明細"));
  EXPECT_EQ(sheet.Range("B5").Value(), "NAME");
  EXPECT_EQ(sheet.Range("B6").Value(), "COL_1");
  EXPECT_EQ(sheet.Range("E6").Value(), ToCp932("○"));
  EXPECT_EQ(sheet.Range("A45").Value(), "40");
  EXPECT_EQ(sheet.Range("B45").Value(), "COL_40");
  EXPECT_EQ(sheet.SpecialCells(11).Row(), 45);  // the last column row written
  EXPECT_EQ(book.Worksheets().Item(2).Range("D1").Value(), "99");
}

TEST(TableOutputTest, CopiesOfTheBundledTemplateCarryValuesStylesAndPrintTitles) {
  TempDir dir;
  ExcelApplication app;
  Workbook& format_book = app.Workbooks().OpenDefaultTemplate();
  Worksheet format = app.ActiveSheet();
  EXPECT_EQ(format.Name(), ToCp932("テーブル定義"));
  Workbook& out = testing::WriteTables(app, format, SampleTables(), kHeadings, 5);
  EXPECT_EQ(&app.ActiveWorkbook(), &out);
  EXPECT_EQ(app.ActiveSheet().Name(), ToCp932("受注明細"));
  EXPECT_EQ(app.SheetsInNewWorkbook(), 1);
  ExpectTablesWritten(out);
  // The template itself is never written.
  EXPECT_EQ(format.Range("B1").Value(), "");
  EXPECT_EQ(format.Range("A1").Value(), ToCp932("テーブル定義書"));
  EXPECT_TRUE(out.CarryOverNotices().empty());

  out.SaveAs(dir.File("out.xlsx"));
  ExcelApplication reader;
  Workbook& reread = reader.Workbooks().Open(dir.File("out.xlsx"));
  ExpectTablesWritten(reread);
  Worksheet copy = reread.Worksheets().Item(1);
  for (const char* address : {"A1", "B2", "C3", "E2", "A5", "K5"}) {
    EXPECT_EQ(StyleOf(reread, copy, address), StyleOf(format_book, format, address)) << address;
  }
  // The print names follow the renamed copy (the output proper also grows the print area).
  const auto& names = copy.Lock()->local_names;
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0].formula, "'EMPLOYEE'!$A$1:$K$5");
  EXPECT_EQ(names[1].formula, "'EMPLOYEE'!$5:$5");
}

TEST(TableOutputTest, CopiesOfACalcMadeTemplateKeepItsLayout) {
  TempDir dir;
  ExcelApplication app;
  Workbook& format_book = app.Workbooks().Open(MORVANE_FIXTURES "/calc_template.xlsx");
  Worksheet format = app.ActiveSheet();
  Workbook& out = testing::WriteTables(app, format, SampleTables(), kHeadings, 5);
  out.SaveAs(dir.File("calc_out.xlsx"));
  auto reread = xlsx::Workbook::Open(dir.File("calc_out.xlsx"));
  ASSERT_EQ(reread->SheetCount(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    const xlsx::Worksheet& sheet = reread->Sheet(i);
    pugi::xml_node root = sheet.doc.document_element();
    EXPECT_STREQ(root.child("mergeCells").child("mergeCell").attribute("ref").value(), "A1:E1");
    EXPECT_EQ(reread->CellText(sheet, {1, 1}), ToUtf8(SampleTables()[i].table_values[0]));
    EXPECT_EQ(reread->CellText(sheet, {2, 3}), "サイズ");  // the template's own text stays
    ASSERT_EQ(sheet.local_names.size(), 2u);
    EXPECT_EQ(sheet.local_names[0].formula, "'" + sheet.name + "'!$A$1:$E$30");
    for (const char* address : {"A1", "A2", "B2", "A5", "E30"}) {
      const xlsx::Cell* cell = sheet.data.Find(*xlsx::ParseCellRef(address));
      ASSERT_NE(cell, nullptr) << address;
      EXPECT_EQ(reread->styles().Describe(cell->style), StyleOf(format_book, format, address))
          << address;
    }
  }
  EXPECT_EQ(reread->CellText(reread->Sheet(3), {45, 2}), "COL_40");
}

TEST(ErOutputTest, ATextOfAThousandCharactersGoesInWholeAndInOrder) {
  ExcelApplication app;
  Worksheet sheet = app.Workbooks().Add().ActiveSheet();
  std::string text = ToCp932("受注明細");
  int lines = 0;
  while (xlsx::CharacterCount(ToUtf8(text)) < 1000) {
    text += "\n *" + ToCp932("項目") + std::to_string(++lines) + " VARCHAR2";
  }
  std::string utf8 = ToUtf8(text);
  text = ToCp932(xlsx::FirstCharacters(utf8, 1000));
  Shape box = sheet.Shapes().AddTextbox(1, 10, 20, 150, 150);
  testing::PutTextInPieces(box, text);
  EXPECT_EQ(box.TextFrame().Characters().Count(), 1000);
  EXPECT_EQ(box.TextFrame().Characters().Text(), text);
  EXPECT_EQ(box.TextFrame().Characters(5, 3).Text(), text.substr(8, 3));
  EXPECT_THROW(box.TextFrame().Characters(1002).Insert("x"), ExcelError);
  // Each line becomes a paragraph of the saved drawing, in order.
  pugi::xml_document drawing;
  drawing.load_string(sheet.Lock()->drawing->ToXml().c_str());
  std::string joined;
  for (pugi::xpath_node p : drawing.select_nodes("//a:p")) {
    if (!joined.empty()) joined += '\n';
    joined += p.node().select_node("a:r/a:t").node().text().get();
  }
  EXPECT_EQ(joined, ToUtf8(text));
}

TEST(ErOutputTest, ConnectorsOfEveryTypeGlueToTheGivenSites) {
  ExcelApplication app;
  Worksheet sheet = app.Workbooks().Add().ActiveSheet();
  std::vector<testing::ErBox> boxes = {{"A", 10, 10, 100, 80}, {"B", 300, 40, 100, 80}};
  for (int type = 1; type <= 3; ++type) {
    for (int from = 0; from <= 4; ++from) {
      for (int to = 0; to <= 4; ++to) {
        std::vector<Shape> shapes = testing::DrawDiagram(sheet, boxes, {{0, 1, from, to}}, type);
        Shape connector = sheet.Shapes().Item(sheet.Shapes().Count());
        const xlsx::DrawnShape& record = connector.Record();
        EXPECT_EQ(record.connector_type, static_cast<xlsx::ConnectorType>(type));
        EXPECT_EQ(record.begin.shape_id, shapes[0].id());
        EXPECT_EQ(record.end.shape_id, shapes[1].id());
        EXPECT_EQ(record.begin.site, from);
        EXPECT_EQ(record.end.site, to);
        EXPECT_EQ(shapes[0].Shadow().Type(), 6);
      }
    }
  }
  pugi::xml_document drawing;
  drawing.load_string(sheet.Lock()->drawing->ToXml().c_str());
  pugi::xpath_node_set connectors = drawing.select_nodes("//xdr:cxnSp");
  ASSERT_EQ(connectors.size(), 75u);
  // Type 1, sites 4 -> 2: glued by index (site - 1), a straight preset.
  pugi::xml_node right_to_left = connectors[4 * 5 + 2].node();
  EXPECT_STREQ(right_to_left.select_node(".//a:stCxn").node().attribute("idx").value(), "3");
  EXPECT_STREQ(right_to_left.select_node(".//a:endCxn").node().attribute("idx").value(), "1");
  EXPECT_STREQ(right_to_left.select_node(".//a:prstGeom").node().attribute("prst").value(),
               "straightConnector1");
  // A site of 0 places the end but does not glue it.
  pugi::xml_node loose = connectors[0].node();
  EXPECT_FALSE(loose.select_node(".//a:stCxn"));
  EXPECT_FALSE(loose.select_node(".//a:endCxn"));
  EXPECT_STREQ(connectors[25 + 4 * 5 + 2]
                   .node()
                   .select_node(".//a:prstGeom")
                   .node()
                   .attribute("prst")
                   .value(),
               "bentConnector3");
  EXPECT_STREQ(connectors[50 + 4 * 5 + 2]
                   .node()
                   .select_node(".//a:prstGeom")
                   .node()
                   .attribute("prst")
                   .value(),
               "curvedConnector3");
}

TEST(ErOutputTest, BadShapeCallsFail) {
  ExcelApplication app;
  app.SetSheetsInNewWorkbook(2);
  Workbook& book = app.Workbooks().Add();
  Worksheet one = book.Worksheets().Item(1);
  Worksheet two = book.Worksheets().Item(2);
  Shape box = one.Shapes().AddTextbox(1, 0, 0, 50, 50);
  Shape other = two.Shapes().AddTextbox(1, 0, 0, 50, 50);
  Shape line = one.Shapes().AddConnector(2, 0, 0, 0, 0);
  EXPECT_THROW(one.Shapes().AddConnector(4, 0, 0, 0, 0), ExcelError);
  EXPECT_THROW(one.Shapes().AddTextbox(5, 0, 0, 10, 10), ExcelError);
  EXPECT_THROW(line.ConnectorFormat().BeginConnect(box, 5), ExcelError);
  EXPECT_THROW(line.ConnectorFormat().BeginConnect(other, 1), ExcelError);
  EXPECT_THROW(box.ConnectorFormat().BeginConnect(box, 1), ExcelError);
  EXPECT_THROW(line.TextFrame().Characters().SetText("x"), ExcelError);
  EXPECT_THROW(box.Shadow().SetType(21), ExcelError);
  one.Delete();
  EXPECT_THROW(box.Name(), ExcelError);
}

}  // namespace
}  // namespace morvane::excel
